// COxBaseManager: a hidden child window of the host's main dialog that exists to receive
// bus messages and to parent what its owner creates.
//
// CreateManager makes the window (asking the host for its main dialog over the bus when
// no parent is given) and then runs the OnManagerCreated hook. The window never becomes
// visible while m_bVisible is false, whatever show request reaches it; nothing in the
// module sets the flag. DestroyManager destroys the window when CanDestroyManager agrees.
// Derived classes chain their window-message tables to this class's table.
#pragma once

#include "platform/win/Wnd.h"

class COxBaseManager : public CWnd {
 public:
  COxBaseManager() = default;

  // Hook run by CreateManager once the window exists; its answer is CreateManager's.
  virtual BOOL OnManagerCreated();
  // Asked by DestroyManager before it destroys the window.
  virtual BOOL CanDestroyManager();
  // Creates the hidden window as child of `parent`, or of the host's main dialog when
  // `parent` is null or has no window. FALSE when no window could be made; the hook
  // then does not run.
  virtual BOOL CreateManager(CWnd* parent);
  virtual void DestroyManager();

  BOOL IsManagerVisible() const { return m_bVisible; }
  // Stores the flag and shows (TRUE) or hides (FALSE) an existing window.
  void SetManagerVisible(BOOL visible);

  // Control identifier of every manager window.
  static constexpr UINT kManagerControlId = 1;

 protected:
  // Keeps the window hidden while m_bVisible is false, then runs the default processing.
  LRESULT OnWindowPosChanging(WPARAM wParam, LPARAM lParam);

  BOOL m_bVisible = FALSE;

  DECLARE_MESSAGE_MAP()
};
