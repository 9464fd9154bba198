#include "host/graph/GraphUserActions.h"

#include "host/graph/GraphPlugin.h"

namespace orlo::user {

bool SelectSweeps(host::CGraphPlugin& graph, const std::vector<int>& numbers) {
  const std::vector<std::wstring> loaded = graph.SweepNames();
  std::vector<std::wstring> clicked;
  for (const int number : numbers) {
    if (number < 1 || static_cast<size_t>(number) > loaded.size()) return false;
    clicked.push_back(loaded[static_cast<size_t>(number) - 1]);
  }
  if (clicked.empty()) return false;
  for (size_t i = 0; i < clicked.size(); ++i) graph.ClickSweep(clicked[i], i > 0);
  return true;
}

}  // namespace orlo::user
