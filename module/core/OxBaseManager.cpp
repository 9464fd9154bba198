#include "module/core/OxBaseManager.h"

#include "platform/common/Bus.h"

BEGIN_MESSAGE_MAP(COxBaseManager, CWnd)
ON_MESSAGE(WM_WINDOWPOSCHANGING, OnWindowPosChanging)
END_MESSAGE_MAP()

BOOL COxBaseManager::OnManagerCreated() { return TRUE; }

BOOL COxBaseManager::CanDestroyManager() { return TRUE; }

BOOL COxBaseManager::CreateManager(CWnd* parent) {
  HWND parentHandle = parent != nullptr ? parent->GetSafeHwnd() : nullptr;
  if (parentHandle == nullptr) {
    ORLOSendMessage("ORLO_GetMainDialog", &parentHandle);
  }
  // A child window needs a live parent: without a main dialog there is no window.
  CWnd* parentWindow = CWnd::FromHandle(parentHandle);
  if (parentWindow == nullptr) return FALSE;

  const RECT noArea{0, 0, 0, 0};
  if (!Create(AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW), L"", WS_CHILD, noArea, parentWindow,
              kManagerControlId)) {
    return FALSE;
  }
  return OnManagerCreated();
}

void COxBaseManager::DestroyManager() {
  if (CanDestroyManager()) DestroyWindow();
}

void COxBaseManager::SetManagerVisible(BOOL visible) {
  m_bVisible = visible;
  if (m_hWnd != nullptr) ShowWindow(visible ? SW_SHOW : SW_HIDE);
}

LRESULT COxBaseManager::OnWindowPosChanging(WPARAM /*wParam*/, LPARAM lParam) {
  auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
  if (!m_bVisible && position != nullptr) position->flags &= ~SWP_SHOWWINDOW;
  return Default();
}
