// CWnd: position, size, visibility and coordinate conversion.
#include "platform/win/Wnd.h"

#include "platform/win/WindowRegistry.h"

#include <algorithm>

using orlo::win::detail::WindowRecord;
using orlo::win::detail::WindowRegistry;

namespace {

// The one road of every show/move request: WM_WINDOWPOSCHANGING (the handler may edit the
// request), apply what is left of it, WM_WINDOWPOSCHANGED.
BOOL ApplyWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  if (!IsWindow(hwnd)) return FALSE;
  WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
  SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  const bool alive = WindowRegistry::Get().Visit(hwnd, [&pos](WindowRecord& record) {
    RECT& rect = record.rect;
    if ((pos.flags & SWP_NOMOVE) == 0) {
      rect = {pos.x, pos.y, pos.x + (rect.right - rect.left), pos.y + (rect.bottom - rect.top)};
    }
    if ((pos.flags & SWP_NOSIZE) == 0) {
      rect.right = rect.left + std::max(0, pos.cx);
      rect.bottom = rect.top + std::max(0, pos.cy);
    }
    if ((pos.flags & SWP_SHOWWINDOW) != 0) record.style |= WS_VISIBLE;
    if ((pos.flags & SWP_HIDEWINDOW) != 0) record.style &= ~WS_VISIBLE;
  });
  if (!alive) return FALSE;
  SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  return TRUE;
}

RECT WindowRect(HWND hwnd) {
  RECT rect;
  WindowRegistry::Get().Visit(hwnd, [&rect](WindowRecord& record) { rect = record.rect; });
  return rect;
}

// Moves a point or a rectangle by the window's screen origin, `sign` times.
void ShiftByOrigin(HWND hwnd, long sign, POINT* point) {
  if (point == nullptr || !IsWindow(hwnd)) return;
  const POINT origin = WindowRegistry::Get().ScreenOrigin(hwnd);
  point->x += sign * origin.x;
  point->y += sign * origin.y;
}

void ShiftByOrigin(HWND hwnd, long sign, RECT* rect) {
  if (rect == nullptr) return;
  POINT topLeft{rect->left, rect->top};
  POINT bottomRight{rect->right, rect->bottom};
  ShiftByOrigin(hwnd, sign, &topLeft);
  ShiftByOrigin(hwnd, sign, &bottomRight);
  *rect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

}  // namespace

BOOL ShowWindow(HWND hwnd, int nCmdShow) {
  bool wasVisible = false;
  if (!WindowRegistry::Get().Visit(hwnd, [&wasVisible](WindowRecord& record) {
        wasVisible = (record.style & WS_VISIBLE) != 0;
      })) {
    return FALSE;
  }
  const UINT show = nCmdShow == SW_HIDE ? SWP_HIDEWINDOW : SWP_SHOWWINDOW;
  ApplyWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | show);
  return wasVisible ? TRUE : FALSE;
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }

BOOL CWnd::IsWindowVisible() const { return WindowRegistry::Get().IsVisible(m_hWnd) ? TRUE : FALSE; }

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ApplyWindowPos(m_hWnd, insertAfter != nullptr ? insertAfter->m_hWnd : nullptr, x, y, cx,
                        cy, flags);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
  ApplyWindowPos(m_hWnd, nullptr, x, y, width, height, SWP_NOZORDER | (repaint ? 0 : SWP_NOREDRAW));
}

void CWnd::MoveWindow(const RECT& rect, BOOL repaint) {
  MoveWindow(static_cast<int>(rect.left), static_cast<int>(rect.top),
             static_cast<int>(rect.right - rect.left), static_cast<int>(rect.bottom - rect.top),
             repaint);
}

void CWnd::GetWindowRect(RECT* rect) const {
  if (rect == nullptr || !IsWindow(m_hWnd)) return;
  const RECT own = WindowRect(m_hWnd);
  *rect = {0, 0, own.right - own.left, own.bottom - own.top};
  ShiftByOrigin(m_hWnd, 1, rect);
}

void CWnd::GetClientRect(RECT* rect) const {
  if (rect == nullptr || !IsWindow(m_hWnd)) return;
  const RECT own = WindowRect(m_hWnd);
  *rect = {0, 0, own.right - own.left, own.bottom - own.top};
}

void CWnd::ScreenToClient(RECT* rect) const { ShiftByOrigin(m_hWnd, -1, rect); }
