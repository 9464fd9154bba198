#include "module/bands/DialogItems.h"

#include <utility>

#include "platform/common/GuiItem.h"
#include "platform/common/Services.h"

namespace orlo::module {

namespace {
constexpr int kLabelMargin = 8;
}

CORLOGuiItem* AddRow(CORLOGuiItem* parent, int height) {
  CORLOGuiItem* row = ORLOSpawnGuiItem(parent, nullptr, ORLO_GUI_CONTAINER);
  if (row == nullptr) return nullptr;
  row->SetOrientation(1);
  row->SetItemHeight(height);
  return row;
}

CORLOGuiItem* AddItem(CORLOGuiItem* parent, IBaseGuiManager* owner, int kind,
                      const std::wstring& text, int width) {
  CORLOGuiItem* item = ORLOSpawnGuiItem(parent, owner, kind);
  if (item == nullptr) return nullptr;
  if (!text.empty()) item->SetText(text);
  item->SetItemWidth(width);
  return item;
}

CORLOGuiItem* AddLabel(CORLOGuiItem* parent, const std::wstring& text) {
  return AddItem(parent, nullptr, ORLO_GUI_TEXT, text,
                 GetSystemTextWidth(nullptr, text) + kLabelMargin);
}

std::wstring ControlText(const CORLOGuiItem* item) {
  const CWnd* window = item != nullptr ? item->GetWnd() : nullptr;
  return window != nullptr ? window->GetWindowText() : std::wstring();
}

int RunDialogItem(IBaseGuiManager* owner, CORLOGuiItem*& dialog) {
  dialog = ORLOSpawnGuiItem(nullptr, owner, ORLO_GUI_DIALOG);
  if (dialog == nullptr) return -1;
  const int result = dialog->RunModal();
  CORLOGuiItem* const item = std::exchange(dialog, nullptr);
  item->DestroyWindows();
  item->DestroyItem();
  return result;
}

void SizeDialog(CORLOGuiItem* dialog, int width, int height) {
  CWnd* window = dialog != nullptr ? dialog->GetWnd() : nullptr;
  if (window == nullptr) return;
  window->SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
  RECT placed;
  window->GetWindowRect(&placed);
  dialog->Layout(placed);
}

}  // namespace orlo::module
