#include "host/session/AnalyzerRun.h"

#include "platform/common/GuiItem.h"
#include "platform/common/UserActions.h"
#include "platform/controls/GridCtrl.h"

namespace orlo::host {

namespace {

// The item of the tree under `item` whose control window is `control`, or null.
CORLOGuiItem* FindItemOf(CORLOGuiItem* item, const CWnd* control) {
  if (item == nullptr || control == nullptr) return nullptr;
  if (item->GetWnd() == control) return item;
  for (const auto& child : item->Children()) {
    if (CORLOGuiItem* found = FindItemOf(child.get(), control)) return found;
  }
  return nullptr;
}

// The first push button of the tree under `item` whose text is `text`, or null.
CORLOGuiItem* FindButton(CORLOGuiItem* item, const std::wstring& text) {
  if (item->Kind() == ORLO_GUI_BUTTON && item->Text() == text) return item;
  for (const auto& child : item->Children()) {
    if (CORLOGuiItem* found = FindButton(child.get(), text)) return found;
  }
  return nullptr;
}

void CollectButtonTexts(const CORLOGuiItem& item, std::vector<std::wstring>& texts) {
  if (item.Kind() == ORLO_GUI_BUTTON) texts.push_back(item.Text());
  for (const auto& child : item.Children()) CollectButtonTexts(*child, texts);
}

}  // namespace

bool CAnalyzerRun::Start(size_t index, IBaseAnalyzer& registered) {
  IBaseAnalyzer* analyzer = registered.CreateInstance();
  if (analyzer == nullptr) return false;
  if (!analyzer->Initialize()) {
    analyzer->Destroy();
    return false;
  }
  CORLOGuiItem* root = ORLOSpawnGuiItem(nullptr, nullptr, ORLO_GUI_CONTAINER);
  instances_.push_back({index, analyzer, root});
  analyzer->CreatePanel(root);
  root->Layout(RECT{0, 0, kPanelWidth, kPanelHeight});
  analyzer->OnLayout();
  analyzer->Activate(true);
  return true;
}

bool CAnalyzerRun::ClickResultsRow(int row, std::optional<size_t> only) {
  std::vector<CORLOGuiItem*> grids;
  for (const Instance& instance : instances_) {
    if (only && instance.index != *only) continue;
    auto* readout = dynamic_cast<IAnalyzerReadout*>(instance.analyzer);
    CGridCtrl* grid = readout != nullptr ? readout->GetResultsGrid() : nullptr;
    if (grid == nullptr) continue;
    if (row < grid->GetFixedRowCount() || row >= grid->GetRowCount()) return false;
    grids.push_back(FindItemOf(instance.root, grid));
  }
  for (CORLOGuiItem* grid : grids) orlo::user::ClickGridCell(grid, row, 1);
  return !grids.empty() || !only;
}

bool CAnalyzerRun::ClickButton(const std::wstring& text) {
  bool clicked = false;
  for (const Instance& instance : instances_) {
    if (CORLOGuiItem* button = FindButton(instance.root, text)) {
      clicked = orlo::user::ClickButton(button) || clicked;
    }
  }
  return clicked;
}

std::vector<std::wstring> CAnalyzerRun::ButtonTexts(size_t index) const {
  std::vector<std::wstring> texts;
  for (const Instance& instance : instances_) {
    if (instance.index == index) CollectButtonTexts(*instance.root, texts);
  }
  return texts;
}

std::vector<PanelSnapshot> CAnalyzerRun::Snapshot(const CGraphPlugin& graph) const {
  std::vector<PanelSnapshot> panels;
  for (const Instance& instance : instances_) {
    panels.push_back(TakePanelSnapshot(instance.index, *instance.analyzer, graph));
  }
  return panels;
}

void CAnalyzerRun::Stop() {
  for (const Instance& instance : instances_) {
    instance.analyzer->DestroyPanel();
    instance.analyzer->Uninitialize();
    instance.analyzer->Destroy();
    instance.root->DestroyWindows();
    instance.root->DestroyItem();
  }
  instances_.clear();
}

}  // namespace orlo::host
