#include "host/output/SettingsSnapshot.h"

#include "platform/common/GuiItem.h"
#include "platform/controls/GridCtrl.h"
#include "platform/win/StandardControls.h"

namespace orlo::host {

namespace {

// The first control of `kind` under `item`, depth first.
CWnd* FindControl(const CORLOGuiItem& item, int kind) {
  if (item.Kind() == kind) return item.GetWnd();
  for (const auto& child : item.Children()) {
    if (CWnd* found = FindControl(*child, kind)) return found;
  }
  return nullptr;
}

}  // namespace

std::optional<SettingsSnapshot> TakeSettingsSnapshot(const CORLOGuiItem& dialog) {
  const auto* readout = dynamic_cast<const ISettingsReadout*>(dialog.Owner());
  auto* selector = static_cast<CComboBox*>(FindControl(dialog, ORLO_GUI_DROPDOWN));
  auto* grid = static_cast<CGridCtrl*>(FindControl(dialog, ORLO_GUI_GRID));
  CWnd* check = FindControl(dialog, ORLO_GUI_CHECKBOX);
  CWnd* limit = FindControl(dialog, ORLO_GUI_EDIT);
  if (readout == nullptr || selector == nullptr || grid == nullptr || check == nullptr ||
      limit == nullptr) {
    return std::nullopt;
  }
  SettingsSnapshot snapshot;
  snapshot.title = dialog.Text();
  for (int entry = 0; entry < selector->GetCount(); ++entry) {
    snapshot.techniques.push_back(selector->GetEntryText(entry));
  }
  const LRESULT selected = selector->SendMessage(CB_GETCURSEL);
  snapshot.selectedTechnique = selected == CB_ERR ? -1 : static_cast<int>(selected);
  snapshot.bands = TakeGridSnapshot(*grid);
  snapshot.magnitudeDifference = check->SendMessage(BM_GETCHECK) == BST_CHECKED;
  snapshot.limit = limit->GetWindowText();
  snapshot.held = readout->GetSettingsReadout();
  snapshot.messageBoxes = win::MessageBoxes();
  return snapshot;
}

}  // namespace orlo::host
