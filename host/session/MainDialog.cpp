#include "host/session/MainDialog.h"

namespace orlo::host {

bool CMainDialog::CreateDialogWindow() {
  if (!CreateClient(nullptr)) return false;
  On("ORLO_GetMainDialog", [this](IORLODataItem& item) {
    if (auto* handle = static_cast<HWND*>(item.GetData()); handle != nullptr) *handle = m_hWnd;
  });
  Subscribe();
  return true;
}

}  // namespace orlo::host
