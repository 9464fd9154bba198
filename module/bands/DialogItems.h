// Building blocks of the band dialogs (CXCorrAnalyzerSettings, CXCorrAnalyzerEditor): their
// modal run, rows of GUI items inside a dialog item, and the text of an item's control. Every item made
// here belongs to its parent item; `owner` receives the item's control messages.
#pragma once

#include <string>

class CORLOGuiItem;
class IBaseGuiManager;

namespace orlo::module {

// A horizontal container at the end of `parent`, `height` high (free height when -1).
CORLOGuiItem* AddRow(CORLOGuiItem* parent, int height);
// An item of `kind` at the end of `parent` with `text` as its caption, `width` wide (free
// width when -1).
CORLOGuiItem* AddItem(CORLOGuiItem* parent, IBaseGuiManager* owner, int kind,
                      const std::wstring& text = L"", int width = -1);
// A text line of `text`, just wide enough for it.
CORLOGuiItem* AddLabel(CORLOGuiItem* parent, const std::wstring& text);
// The text of the item's control as the user sees it (empty without a window).
std::wstring ControlText(const CORLOGuiItem* item);
// Spawns a dialog item owned by `owner` into `dialog`, runs it modally (RunModal of the
// item) and destroys it again, leaving `dialog` null. Answers the dialog's result, or -1
// when no dialog item could be made.
int RunDialogItem(IBaseGuiManager* owner, CORLOGuiItem*& dialog);
// Sizes the dialog's window to width x height without moving it and lays its items out.
void SizeDialog(CORLOGuiItem* dialog, int width, int height);

}  // namespace orlo::module
