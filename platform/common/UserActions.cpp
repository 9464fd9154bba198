#include "platform/common/UserActions.h"

#include "platform/common/GuiItem.h"
#include "platform/controls/GridCtrl.h"
#include "platform/win/StandardControls.h"

#include <deque>
#include <utility>

namespace orlo::user {

namespace {

std::deque<std::function<void()>>& ModalActions() {
  static auto& actions = *new std::deque<std::function<void()>>;  // lives until the process ends
  return actions;
}

// The control of `item` when it is of `kind` and a user can reach it, else null.
template <typename Control>
Control* Reachable(CORLOGuiItem* item, int kind) {
  if (item == nullptr || item->Kind() != kind) return nullptr;
  CWnd* control = item->GetWnd();
  if (control == nullptr || !control->IsWindowVisible() || !control->IsWindowEnabled()) {
    return nullptr;
  }
  return static_cast<Control*>(control);
}

}  // namespace

bool TypeText(CORLOGuiItem* editBox, const std::wstring& text) {
  auto* edit = Reachable<CEdit>(editBox, ORLO_GUI_EDIT);
  if (edit == nullptr || edit->IsReadOnly()) return false;
  edit->UserType(text);
  return true;
}

bool ClickButton(CORLOGuiItem* button) {
  auto* control = Reachable<CButton>(button, ORLO_GUI_BUTTON);
  if (control == nullptr) return false;
  control->UserClick();
  return true;
}

bool PickEntry(CORLOGuiItem* dropDown, int index) {
  auto* combo = Reachable<CComboBox>(dropDown, ORLO_GUI_DROPDOWN);
  if (combo == nullptr || index < 0 || index >= combo->GetCount()) return false;
  combo->UserSelect(index);
  return true;
}

bool TickCheckBox(CORLOGuiItem* checkBox, bool checked) {
  auto* control = Reachable<CButton>(checkBox, ORLO_GUI_CHECKBOX);
  if (control == nullptr) return false;
  control->UserTick(checked);
  return true;
}

bool ClickGridCell(CORLOGuiItem* grid, int row, int column) {
  auto* control = Reachable<CGridCtrl>(grid, ORLO_GUI_GRID);
  if (control == nullptr) return false;
  control->UserClick(row, column);
  return true;
}

void QueueModalAction(std::function<void()> action) {
  if (action) ModalActions().push_back(std::move(action));
}

void ClearModalActions() { ModalActions().clear(); }

bool RunNextModalAction() {
  auto& actions = ModalActions();
  if (actions.empty()) return false;
  const std::function<void()> action = std::move(actions.front());
  actions.pop_front();
  action();
  return true;
}

}  // namespace orlo::user
