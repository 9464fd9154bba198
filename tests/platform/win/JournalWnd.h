// Test windows of the window-system tests: each writes the watched messages it receives
// into a shared journal ("name:WM_DESTROY"), so tests compare whole message sequences,
// and may answer chosen messages with a test-supplied handler.
#pragma once

#include "platform/win/Wnd.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace orlo::win::test {

inline std::string MessageName(UINT message) {
  static const std::map<UINT, std::string> names = {
      {WM_CREATE, "WM_CREATE"},
      {WM_DESTROY, "WM_DESTROY"},
      {WM_MOVE, "WM_MOVE"},
      {WM_SIZE, "WM_SIZE"},
      {WM_ENABLE, "WM_ENABLE"},
      {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
      {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
      {WM_NCDESTROY, "WM_NCDESTROY"},
      {WM_COMMAND, "WM_COMMAND"},
      {WM_TIMER, "WM_TIMER"},
  };
  auto it = names.find(message);
  return it != names.end() ? it->second : "WM_USER+" + std::to_string(message - WM_USER);
}

struct Journal {
  std::set<UINT> watched;
  std::vector<std::string> entries = {};
};

class CJournalWnd : public CWnd {
 public:
  using Handler = std::function<LRESULT(WPARAM, LPARAM)>;

  CJournalWnd(std::string name, Journal& journal) : name_(std::move(name)), journal_(journal) {}

  // A window of a class registered with class style 0; a child when `parent` is given.
  bool Make(CWnd* parent = nullptr, DWORD style = 0, RECT rect = {}, UINT id = 0) {
    const DWORD childStyle = parent != nullptr ? WS_CHILD : 0;
    const std::wstring caption(name_.begin(), name_.end());
    return Create(AfxRegisterWndClass(0), caption, style | childStyle, rect, parent, id) != FALSE;
  }

  // From now on `message` is answered by `handler` instead of the default processing.
  void On(UINT message, Handler handler) { handlers_[message] = std::move(handler); }

  using CWnd::Default;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (journal_.watched.count(message) != 0) {
      journal_.entries.push_back(name_ + ":" + MessageName(message));
    }
    auto it = handlers_.find(message);
    if (it != handlers_.end()) return it->second(wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
  }

 private:
  std::string name_;
  Journal& journal_;
  std::map<UINT, Handler> handlers_;
};

// A window's rectangle as {left, top, right, bottom}, in screen coordinates.
inline std::vector<long> Edges(const CWnd& window) {
  RECT r;
  window.GetWindowRect(&r);
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace orlo::win::test
