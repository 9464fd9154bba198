// CMainDialog: the host's main dialog, a hidden top-level window that parents the
// windows the module creates.
//
// It is a bus client and answers "ORLO_GetMainDialog" (payload: HWND*) with its window
// handle. Create makes the window and subscribes it; the window is destroyed with the
// object (or earlier with DestroyWindow), which also destroys the module windows under it.
#pragma once

#include "host/session/BusClient.h"

namespace orlo::host {

class CMainDialog : public CHostBusClient {
 public:
  // Makes the hidden window and puts it on the bus; false when no window could be made.
  bool CreateDialogWindow();
};

}  // namespace orlo::host
