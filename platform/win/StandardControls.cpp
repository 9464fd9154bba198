// The edit box and button controls, and the notification every control sends.
#include "platform/win/StandardControls.h"

void NotifyParent(const CWnd& control, WORD code) {
  const HWND hwnd = control.m_hWnd;
  SendMessage(GetParent(hwnd), WM_COMMAND,
              MAKEWPARAM(static_cast<WORD>(control.GetDlgCtrlID()), code),
              reinterpret_cast<LPARAM>(hwnd));
}

void CEdit::UserType(const std::wstring& text) {
  if (!IsWindowEnabled() || IsReadOnly()) return;
  SetWindowText(text);
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTEXT) {
    const LRESULT set = CWnd::DefWindowProc(message, wParam, lParam);
    if (set != FALSE) NotifyParent(*this, EN_CHANGE);
    return set;
  }
  if (message == EM_SETREADONLY) {
    if (wParam != 0) {
      ModifyStyle(0, ES_READONLY);
    } else {
      ModifyStyle(ES_READONLY, 0);
    }
    return IsWindow(m_hWnd);
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void CButton::UserClick() {
  if (!IsWindowEnabled()) return;
  NotifyParent(*this, BN_CLICKED);
}

void CButton::UserTick(bool checked) {
  if (!IsWindowEnabled()) return;
  checked_ = checked;
  NotifyParent(*this, BN_CLICKED);
}

LRESULT CButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case BM_GETCHECK:
      return static_cast<LRESULT>(checked_ ? BST_CHECKED : BST_UNCHECKED);
    case BM_SETCHECK:
      checked_ = wParam == BST_CHECKED;
      return 0;
    default:
      return CWnd::DefWindowProc(message, wParam, lParam);
  }
}
