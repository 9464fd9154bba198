// IBaseGuiManager: the callback interface of whoever owns GUI items spawned with
// ORLOSpawnGuiItem (see GuiItem.h), and the window-message record handed to it.
#pragma once

#include "platform/win/WinTypes.h"

class CORLOGuiItem;

// A window message as a control reported it (hwnd: the item's frame window).
struct ORLOWndMessage : MSG {};

class IBaseGuiManager {
 public:
  // A spawned item reports a window message (WM_COMMAND, WM_NOTIFY) of its control.
  virtual void OnGuiMessage(CORLOGuiItem* item, ORLOWndMessage* message) = 0;
  // A spawned dialog item is being built: the owner creates its controls.
  virtual void OnGuiCreate(CORLOGuiItem* item) = 0;
  // A spawned dialog item is being filled: the owner loads its data into the controls.
  virtual void OnGuiPopulate() = 0;

 protected:
  virtual ~IBaseGuiManager() = default;
};
