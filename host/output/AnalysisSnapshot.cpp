#include "host/output/AnalysisSnapshot.h"

#include "host/graph/GraphPlugin.h"
#include "module/core/AnalyzerInterfaces.h"
#include "platform/common/GuiItem.h"
#include "platform/controls/GridCtrl.h"

#include <algorithm>

namespace orlo::host {

namespace {

// The graph windows of the panel tree's graph items, depth first.
void FindGraphWindows(const CORLOGuiItem* item, const CGraphPlugin& graph,
                      std::vector<const CGraphWindow*>& windows) {
  if (item == nullptr) return;
  if (item->Kind() == ORLO_GUI_GRAPH && item->GetWnd() != nullptr) {
    if (const CGraphWindow* window = graph.GraphWindowOf(item->GetWnd()->GetSafeHwnd())) {
      windows.push_back(window);
    }
  }
  for (const auto& child : item->Children()) FindGraphWindows(child.get(), graph, windows);
}

GraphWindowSnapshot SnapshotOf(const CGraphWindow& window) {
  GraphWindowSnapshot snapshot;
  snapshot.xLabel = window.AxisLabel().xLabel;
  snapshot.yLabel = window.AxisLabel().yLabel;
  if (const auto range = window.FixedValueRange()) snapshot.valueRange = *range;
  for (const XYCurve& curve : window.Curves()) {
    const auto drawn = curve.points.begin() + static_cast<std::ptrdiff_t>(curve.drawn);
    snapshot.curves.push_back(
        {curve.id, curve.colour, curve.width, std::vector<CurvePoint>(curve.points.begin(), drawn)});
  }
  return snapshot;
}

std::optional<GridSnapshot> SnapshotOf(const CGridCtrl* grid) {
  if (grid == nullptr) return std::nullopt;
  return TakeGridSnapshot(*grid);
}

void ReadGraph(const CORLOGuiItem* panel, const CGraphPlugin& graph, PanelSnapshot& snapshot) {
  std::vector<const CGraphWindow*> windows;
  FindGraphWindows(panel, graph, windows);
  if (windows.empty()) return;
  for (const CGraphWindow* window : windows) snapshot.graphs.push_back(SnapshotOf(*window));
  const CGraphWindow* window = windows.front();
  snapshot.ranges = window->Ranges();
  for (const CHostCurve* curve : graph.Curves()) {
    if (curve->GraphType() != window->GraphType() || curve->Points().empty()) continue;
    snapshot.curves.push_back(
        {curve->Name(), curve->Colour(), curve->Width(), curve->Points().size()});
  }
}

}  // namespace

bool GridSnapshot::IsGreyed(int row, int column) const {
  return std::find(greyed.begin(), greyed.end(), std::pair{row, column}) != greyed.end();
}

GridSnapshot TakeGridSnapshot(const CGridCtrl& grid) {
  GridSnapshot snapshot;
  for (int row = 0; row < grid.GetRowCount(); ++row) {
    auto& cells = snapshot.cells.emplace_back();
    for (int column = 0; column < grid.GetColumnCount(); ++column) {
      cells.push_back(grid.GetItemText(row, column));
      if (grid.GetItemBkColour(row, column) == kGreyedCell) {
        snapshot.greyed.emplace_back(row, column);
      }
    }
  }
  if (const int selected = grid.GetSelectedRow(); selected >= 0) snapshot.selectedRow = selected;
  return snapshot;
}

PanelSnapshot TakePanelSnapshot(size_t index, IBaseAnalyzer& analyzer, const CGraphPlugin& graph) {
  PanelSnapshot snapshot;
  snapshot.index = index;
  snapshot.name = analyzer.GetName();
  snapshot.guid = analyzer.GetGuid();
  if (auto* readout = dynamic_cast<IAnalyzerReadout*>(&analyzer)) {
    snapshot.hasReadout = true;
    snapshot.results = SnapshotOf(readout->GetResultsGrid());
    snapshot.criteria = SnapshotOf(readout->GetCriteriaGrid());
    snapshot.conclusion = readout->GetConclusionText();
    snapshot.magnitudeDifferenceConclusion = readout->GetMagnitudeDifferenceText();
    snapshot.pairs = readout->GetComputedPairs();
  }
  ReadGraph(analyzer.GetPanel(), graph, snapshot);
  return snapshot;
}

}  // namespace orlo::host
