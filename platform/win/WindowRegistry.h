// The process-wide registry of live windows (internal to ORLOWin).
//
// Every live window has one WindowRecord holding its state (owner object, parent and
// children, class style, text, styles, rectangle, control id). Handles are allocated
// from a counter and never reused. All access goes through the registry's lock; Visit
// runs a short function on a record under that lock, which must not call back into the
// registry or send messages. Messages are sent by the callers, outside the lock.
#pragma once

#include "platform/win/WinTypes.h"

#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

class CWnd;

namespace orlo::win::detail {

struct WindowRecord {
  CWnd* owner = nullptr;  // null once the object let go of a window that is being destroyed
  HWND parent = nullptr;
  std::vector<HWND> children;  // in creation order
  UINT classStyle = 0;
  std::wstring text;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect;  // in the parent's client coordinates; screen coordinates for a top-level window
  UINT id = 0;
  bool destroying = false;  // WM_DESTROY has been (or is being) sent
};

class WindowRegistry {
 public:
  static WindowRegistry& Get();

  // Registers the window under a new handle and appends it to its parent's children.
  HWND Add(WindowRecord record);
  // Forgets the window (its handle turns stale) and answers the object that owned it.
  CWnd* Remove(HWND hwnd);

  // Runs `fn` on the window's record under the lock; false for a stale handle.
  bool Visit(HWND hwnd, const std::function<void(WindowRecord&)>& fn);
  bool Contains(HWND hwnd);
  CWnd* Owner(HWND hwnd);
  std::vector<HWND> Children(HWND hwnd);
  // Offset of the window's client area from the screen origin (sum of the origins of the
  // window and all its ancestors).
  POINT ScreenOrigin(HWND hwnd);
  // WS_VISIBLE on the window and on every ancestor.
  bool IsVisible(HWND hwnd);

 private:
  WindowRegistry() = default;
  WindowRecord* Find(HWND hwnd);  // lock held

  std::mutex mutex_;
  std::unordered_map<HWND, WindowRecord> windows_;
  std::uintptr_t lastHandle_ = 0;
};

// How many handlers (SendMessage calls) are running on this thread.
int HandlerDepth();

}  // namespace orlo::win::detail
