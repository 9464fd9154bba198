// CDTL911Analyzer: the panel (results grid, graph, titles, criteria grid, conclusion line),
// the selection of a pair and the greying of the criteria it matches.
#include <algorithm>
#include <initializer_list>

#include "module/dlt911/DTL911Analyzer.h"
#include "platform/common/TextCase.h"
#include "module/dlt911/DTL911Verdict.h"
#include "platform/common/GuiItem.h"
#include "platform/controls/GridCtrl.h"

namespace {

constexpr int kGridRows = 4;
constexpr int kGridColumns = 6;
constexpr COLORREF kMatchColour = 0x808080;

std::wstring Tr(const char* text) { return CGettext::Get().Translate(text); }

// Shape shared by both grids: one header row, read-only, whole-row selection.
void ShapeGrid(CGridCtrl* grid, int fixedColumns) {
  grid->SetFixedRowCount(1);
  if (fixedColumns > 0) {
    grid->SetFixedColumnCount(fixedColumns);
  }
  grid->SetRowCount(kGridRows);
  grid->SetColumnCount(kGridColumns);
  grid->SetEditable(FALSE);
  grid->SetRowResize(FALSE);
  grid->SetColumnResize(FALSE);
  grid->SetListMode(TRUE);
}

// Auto-sizes the given columns, gives columns 2 to 5 the widest of their widths, and lets
// column 1 take the rest of the grid's width.
void FitColumns(CGridCtrl* grid, std::initializer_list<int> autoSized) {
  for (const int column : autoSized) {
    grid->AutoSizeColumn(column);
  }
  int widest = 0;
  for (int column = 2; column <= 5; ++column) {
    widest = std::max(widest, grid->GetColumnWidth(column));
  }
  for (int column = 2; column <= 5; ++column) {
    grid->SetColumnWidth(column, widest);
  }
  grid->SetColumnWidth(1, 10);
  grid->ExpandColumn(1);
}

}  // namespace

void CDTL911Analyzer::CreatePanel(CORLOGuiItem* parent) {
  IBaseGuiManager* const owner = this;
  panel = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_CONTAINER);
  CORLOGuiItem* const conclusionRow = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_CONTAINER);
  graphItem = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_GRAPH);
  criteriaGrid = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_GRID);
  resultsGrid = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_GRID);
  CORLOGuiItem* const conclusionLabel = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_TEXT);
  conclusionItem = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_EDIT);
  CORLOGuiItem* const spacer = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_TEXT);
  CORLOGuiItem* const firstTitle = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_TEXT);
  CORLOGuiItem* const secondTitle = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_TEXT);
  if (panel == nullptr || conclusionRow == nullptr || graphItem == nullptr ||
      criteriaGrid == nullptr || resultsGrid == nullptr || conclusionLabel == nullptr ||
      conclusionItem == nullptr || spacer == nullptr || firstTitle == nullptr ||
      secondTitle == nullptr) {
    return;
  }

  criteriaGrid->SetItemHeight(91);
  resultsGrid->SetItemHeight(OxGetOrloModel() == 1 ? 0 : 91);
  spacer->SetItemHeight(10);
  firstTitle->SetItemHeight(15);
  secondTitle->SetItemHeight(15);
  firstTitle->SetText(Tr("Interpretation according to DL/T 911-2004, China 2005-06-01"));
  secondTitle->SetText(
      Tr("Frequency response analysis on winding deformation of power transformers"));

  conclusionRow->SetOrientation(1);
  conclusionRow->SetItemHeight(20);
  conclusionLabel->SetText(Tr("Conclusion:"));
  conclusionLabel->SetItemWidth(100);
  conclusionRow->AddChild(conclusionLabel);
  conclusionRow->AddChild(conclusionItem);
  conclusionRow->SetItemState(0);

  panel->SetOrientation(0);
  for (CORLOGuiItem* child :
       {resultsGrid, graphItem, spacer, firstTitle, secondTitle, criteriaGrid, conclusionRow}) {
    panel->AddChild(child);
  }
  panel->SetItemState(0);

  InitResultsGrid();
  InitCriteriaGrid();
  MakeConclusionReadOnly();
  AddBandRanges();
  RebuildResults(true);
}

int CDTL911Analyzer::DestroyPanel() {
  resultsGrid = nullptr;
  return DestroyPanelItems();
}

void CDTL911Analyzer::InitResultsGrid() {
  CGridCtrl* const grid = GetResultsGrid();
  if (grid == nullptr) {
    return;
  }
  ShapeGrid(grid, 0);
  const char* const header[kGridColumns] = {"Id", "Name", "R-LF", "R-MF", "R-HF", "Conclusion"};
  for (int column = 0; column < kGridColumns; ++column) {
    grid->SetItemText(0, column, Tr(header[column]));
  }
  for (int p = 0; p < dlt911::kPairCount; ++p) {
    grid->SetItemText(p + 1, 0, Tr(dlt911::kPairs[p].rowLabel));
  }
}

void CDTL911Analyzer::InitCriteriaGrid() {
  CGridCtrl* const grid = GetCriteriaGrid();
  if (grid == nullptr) {
    return;
  }
  ShapeGrid(grid, 1);
  // Criteria texts per row from column 2 on; nullptr stands for the blank " " cell.
  const char* const criteria[kGridRows][4] = {
      {"Severe Distortion", "Obvious Distortion", "Light Distortion", "Normal"},
      {"R-LF < 0.6", "0.6 <= R-LF < 1", "1 <= R-LF < 2", "2 <= R-LF"},
      {nullptr, "R-MF < 0.6", "0.6 <= R-MF < 1", "1 <= R-MF"},
      {nullptr, nullptr, nullptr, "0.6 <= R-HF"},
  };
  grid->SetItemText(0, 1, Tr("Value"));
  for (int row = 0; row < kGridRows; ++row) {
    if (row > 0) {
      grid->SetItemText(row, 0, Tr(dlt911::kBands[row - 1].criteriaLabel));
    }
    for (int i = 0; i < 4; ++i) {
      grid->SetItemText(row, i + 2, criteria[row][i] != nullptr ? Tr(criteria[row][i]) : L" ");
    }
  }
}

void CDTL911Analyzer::LayoutGrid() {
  CGridCtrl* const criteria = GetCriteriaGrid();
  if (criteria == nullptr) {
    return;
  }
  FitColumns(criteria, {0, 2, 3, 4, 5});
  if (CGridCtrl* const results = GetResultsGrid(); results != nullptr) {
    FitColumns(results, {0, 1, 2, 3, 4, 5});
  }
}

void CDTL911Analyzer::OnGuiNotify(CORLOGuiItem* item, ORLOWndMessage* message) {
  if (item != resultsGrid || item == nullptr) {
    CCorrAnalyzer::OnGuiNotify(item, message);
    return;
  }
  if (const int row = NotifiedGridRow(message); row != -1 && row != 0) {
    SelectPairRow(row);
  }
}

void CDTL911Analyzer::SelectPairRow(int row) {
  if (!ShowPairRow(GetResultsGrid(), row, sweepSlots)) {
    return;
  }
  const int pair = row - 1;
  const PairResult& result = pairs[pair];
  HighlightCriteria(1, result.rLf);
  HighlightCriteria(2, result.rMf);
  HighlightCriteria(3, result.rHf);
  if (conclusionItem != nullptr) {
    conclusionItem->SetText(result.conclusion);
  }
}

void CDTL911Analyzer::HighlightCriteria(int row, double factor) {
  CGridCtrl* const grid = GetCriteriaGrid();
  if (grid == nullptr) {
    return;
  }
  const std::wstring text = dlt911::FormatFactor(factor);
  for (int column = 1; column <= 5; ++column) {
    grid->SetItemBkColour(row, column, CLR_DEFAULT);
  }
  if (factor > 10) {
    if (!grid->GetItemText(row, 1).empty()) {
      grid->SetItemText(row, 1, std::wstring());
      grid->Invalidate();
    }
    return;
  }

  const int column = dlt911::MatchingCriteriaColumn(row, factor);
  if (column > 0) {
    grid->SetItemBkColour(row, column, kMatchColour);
  }
  if (!orlo::EqualsIgnoringCase(grid->GetItemText(row, 1), text)) {
    grid->Invalidate();
  }
  grid->SetItemText(row, 1, text);
}

void CDTL911Analyzer::ClearPairDisplay() {
  CGridCtrl* const grid = GetCriteriaGrid();
  if (grid == nullptr) {
    return;
  }
  if (sweepNameA.empty() && curveA.Get() != nullptr) {
    curveA->SetName(std::wstring());
    curveA->ClearPoints();
  }
  if (sweepNameB.empty() && curveB.Get() != nullptr) {
    curveB->SetName(std::wstring());
    curveB->ClearPoints();
  }
  for (int row = 1; row <= dlt911::kBandCount; ++row) {
    grid->SetItemText(row, 1, std::wstring());
    for (int column = 1; column <= 5; ++column) {
      grid->SetItemBkColour(row, column, CLR_DEFAULT);
    }
  }
  grid->Invalidate();
  if (conclusionItem != nullptr) {
    conclusionItem->SetText(std::wstring());
  }
}
