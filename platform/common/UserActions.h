// What a user does with the controls of GUI items, as an API of the host.
//
// Each action changes the control as the user would and makes the control send the
// window message a real control sends (through the item's frame it reaches the owner's
// OnGuiMessage): typing → WM_COMMAND/EN_CHANGE, a click → WM_COMMAND/BN_CLICKED, a pick in
// a drop-down list → WM_COMMAND/CBN_SELCHANGE, ticking a check box → BN_CLICKED, a click
// on a grid cell → WM_NOTIFY/NM_CLICK with the row and column (a click outside the cells
// reports row and column -1). An action that a user could not do answers false and does
// nothing: a null item, an item of the wrong kind, without a control window, or whose
// control is hidden or disabled; typing into a read-only edit box; picking an entry that
// the drop-down list does not have.
#pragma once

#include <functional>
#include <string>

class CORLOGuiItem;

namespace orlo::user {

bool TypeText(CORLOGuiItem* editBox, const std::wstring& text);
bool ClickButton(CORLOGuiItem* button);
bool PickEntry(CORLOGuiItem* dropDown, int index);
bool TickCheckBox(CORLOGuiItem* checkBox, bool checked);
bool ClickGridCell(CORLOGuiItem* grid, int row, int column);

// Actions for the next modal dialogs, run in order by CORLOGuiItem::RunModal.
void QueueModalAction(std::function<void()> action);
void ClearModalActions();
// Takes the oldest queued action off the queue and runs it; answers false when the queue
// is empty.
bool RunNextModalAction();

}  // namespace orlo::user
