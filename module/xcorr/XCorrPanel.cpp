// CXCorrAnalyzer: the panel (results grid, graph, criteria grid, the two conclusion lines,
// the model and sweep selectors), the selection of a pair and the greying of the criteria
// its band values match.
#include <algorithm>
#include <initializer_list>

#include "module/bands/BandText.h"
#include "module/bands/StatParams.h"
#include "module/comparison/SweepStatistics.h"
#include "module/core/TextFormat.h"
#include "module/xcorr/XCorrAnalyzer.h"
#include "module/xcorr/XCorrVerdict.h"
#include "platform/common/GuiItem.h"
#include "platform/controls/GridCtrl.h"

namespace {

constexpr int kResultsRows = 4;
constexpr int kCriteriaColumns = 6;
constexpr int kValueColumn = 2;
constexpr COLORREF kMatchColour = 0x808080;

// The criteria texts of a technique: headers of columns 3 and 4, and the rule formats of
// columns 3, 4 and 5.
struct CriteriaTexts {
  const char* obviousHeader;
  const char* suspectHeader;
  const char* obvious;
  const char* suspect;
  const char* normal;
};
constexpr CriteriaTexts kHigherIsBetter = {"Obvious Distortion", "Suspected Distortion",
                                           "Value < %s", "%s <= Value < %s", "%s <= Value"};
constexpr CriteriaTexts kLowerIsBetter = {"Serious Distortion", "Slight Distortion", "Value > %s",
                                          "%s >= Value > %s", "%s >= Value"};

std::wstring Tr(const char* text) { return CGettext::Get().Translate(text); }

// Read-only, fixed column widths and row heights, whole-row selection.
void LockGrid(CGridCtrl* grid) {
  grid->SetEditable(FALSE);
  grid->SetRowResize(FALSE);
  grid->SetColumnResize(FALSE);
  grid->SetListMode(TRUE);
}

// Auto-sizes every column, gives columns first..last the widest of their widths, and lets
// column `expand` take the rest of the grid's width.
void FitColumns(CGridCtrl* grid, int first, int last, int expand) {
  for (int column = 0; column < grid->GetColumnCount(); ++column) {
    grid->AutoSizeColumn(column);
  }
  int widest = 0;
  for (int column = first; column <= last; ++column) {
    widest = std::max(widest, grid->GetColumnWidth(column));
  }
  for (int column = first; column <= last; ++column) {
    grid->SetColumnWidth(column, widest);
  }
  grid->SetColumnWidth(expand, 10);
  grid->ExpandColumn(expand);
}

// The criteria cell (column 3, 4 or 5) each verdict greys; the value cell for the others.
int GreyedColumn(int verdict, bool hasText) {
  switch (verdict) {
    case xcorr::kNormal:
      return 5;
    case xcorr::kSuspect:
      return 4;
    case xcorr::kObvious:
      return 3;
    case xcorr::kNoCriterion:
      return hasText ? kValueColumn : -1;
    default:
      return kValueColumn;
  }
}

}  // namespace

void CXCorrAnalyzer::CreatePanel(CORLOGuiItem* parent) {
  IBaseGuiManager* const owner = this;
  panel = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_CONTAINER);
  CORLOGuiItem* const conclusionRow = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_CONTAINER);
  CORLOGuiItem* const magnDiffRow = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_CONTAINER);
  graphItem = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_GRAPH);
  criteriaGrid = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_GRID);
  resultsGrid = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_GRID);
  CORLOGuiItem* const conclusionLine = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_TEXT);
  conclusionItem = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_EDIT);
  magnDiffLine = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_TEXT);
  magnDiffItem = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_EDIT);
  modelSelector = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_DROPDOWN);
  if (modelSelector != nullptr) {
    modelSelector->SetItemState(0);
  }
  sweepSelector = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_DROPDOWN);
  if (sweepSelector != nullptr) {
    sweepSelector->SetItemState(0);
  }
  CORLOGuiItem* const spacer = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_TEXT);
  for (CORLOGuiItem* item :
       {panel, conclusionRow, magnDiffRow, graphItem, criteriaGrid, resultsGrid, conclusionLine,
        conclusionItem, magnDiffLine, magnDiffItem, modelSelector, sweepSelector, spacer}) {
    if (item == nullptr) {
      return;
    }
  }

  resultsGrid->SetItemHeight(OxGetOrloModel() == 1 ? 0 : 91);
  criteriaGrid->SetItemHeight(91);
  spacer->SetItemHeight(10);

  const auto fillRow = [](CORLOGuiItem* row, CORLOGuiItem* line, const char* text,
                          CORLOGuiItem* display) {
    row->SetOrientation(1);
    row->SetItemHeight(20);
    line->SetText(Tr(text));
    line->SetItemWidth(200);
    row->AddChild(line);
    row->AddChild(display);
    row->SetItemState(0);
  };
  fillRow(conclusionRow, conclusionLine, "Conclusion:", conclusionItem);
  fillRow(magnDiffRow, magnDiffLine, "Magnitude Difference Conclusion:", magnDiffItem);

  panel->SetOrientation(0);
  for (CORLOGuiItem* child :
       {resultsGrid, graphItem, spacer, criteriaGrid, conclusionRow, magnDiffRow}) {
    panel->AddChild(child);
  }
  panel->SetItemState(0);

  ReloadSettings();
  InitResultsGrid();
  InitCriteriaGrid();
  MakeConclusionReadOnly();
  SetupGraph({&sweepCurves[0], &sweepCurves[1], &sweepCurves[2]});
  AddBandRanges();
  RefillModelSelector();
  RefillSweepSelector();
  RebuildResults(true);
}

int CXCorrAnalyzer::DestroyPanel() {
  for (CGraphCurvePtr& curve : sweepCurves) {
    curve = CGraphCurvePtr();
  }
  resultsGrid = magnDiffLine = magnDiffItem = nullptr;
  return DestroyPanelItems();
}

void CXCorrAnalyzer::InitResultsGrid() {
  CGridCtrl* const grid = GetResultsGrid();
  if (grid == nullptr) {
    return;
  }
  const int columns = magnitudeDifference ? 5 : 3;
  grid->SetFixedRowCount(1);
  grid->SetRowCount(kResultsRows);
  grid->SetColumnCount(columns);
  LockGrid(grid);
  const char* const header[] = {"Id", "Name", "Conclusion", "Magn. Diff.", "Magn. Diff. Concl."};
  for (int column = 0; column < columns; ++column) {
    grid->SetItemText(0, column, Tr(header[column]));
  }
  for (int p = 0; p < comparison::kPairCount; ++p) {
    grid->SetItemText(p + 1, 0, Tr(comparison::kPairs[p].rowLabel));
  }
}

void CXCorrAnalyzer::InitCriteriaGrid() {
  CGridCtrl* const grid = GetCriteriaGrid();
  if (grid == nullptr) {
    return;
  }
  grid->SetFixedRowCount(1);
  grid->SetFixedColumnCount(1);
  while (grid->GetRowCount() > 1) {
    grid->DeleteRow(grid->GetRowCount() - 1);
  }
  grid->SetColumnCount(kCriteriaColumns);
  LockGrid(grid);

  const CriteriaTexts& texts = currentStatParam == STAT_NCEPRI ? kLowerIsBetter : kHigherIsBetter;
  const char* const header[kCriteriaColumns] = {
      "", "Frequency", "Value", texts.obviousHeader, texts.suspectHeader, "Normal"};
  for (int column = 0; column < kCriteriaColumns; ++column) {
    grid->SetItemText(0, column, column == 0 ? std::wstring() : Tr(header[column]));
  }

  using orlo::module::FillFormat;
  for (const tagFREQBAND* band : bands) {
    const int row = grid->InsertRow(band->label);
    grid->SetItemText(row, 1,
                      BandFrequencyText(band->minFreq) + L" - " + BandFrequencyText(band->maxFreq));
    if (band->obviousSet) {
      grid->SetItemText(row, 3, FillFormat(Tr(texts.obvious), {BandNumberText(band->obviousEnd)}));
    }
    if (band->suspectSet) {
      grid->SetItemText(row, 4,
                        FillFormat(Tr(texts.suspect), {BandNumberText(band->suspectStart),
                                                       BandNumberText(band->suspectEnd)}));
    }
    if (band->normalSet) {
      grid->SetItemText(row, 5, FillFormat(Tr(texts.normal), {BandNumberText(band->normalStart)}));
    }
  }
  grid->Invalidate();
}

void CXCorrAnalyzer::LayoutGrid() {
  CGridCtrl* const criteria = GetCriteriaGrid();
  if (criteria == nullptr) {
    return;
  }
  FitColumns(criteria, 1, criteria->GetColumnCount() - 1, kValueColumn);
  if (CGridCtrl* const results = GetResultsGrid(); results != nullptr) {
    FitColumns(results, 2, results->GetColumnCount() - 2, 1);
  }
}

void CXCorrAnalyzer::MakeConclusionReadOnly() {
  CCorrAnalyzer::MakeConclusionReadOnly();
  for (CORLOGuiItem* item : {magnDiffLine, magnDiffItem}) {
    if (item != nullptr) {
      item->SetItemState(magnitudeDifference ? 1 : 0);
    }
  }
  if (magnitudeDifference) {
    MakeItemReadOnly(magnDiffItem);
  }
}

void CXCorrAnalyzer::OnGuiNotify(CORLOGuiItem* item, ORLOWndMessage* message) {
  if (item != resultsGrid || item == nullptr) {
    CCorrAnalyzer::OnGuiNotify(item, message);
    return;
  }
  if (const int row = NotifiedGridRow(message); row != -1 && row != 0) {
    SelectPairRow(row);
  }
}

void CXCorrAnalyzer::SelectPairRow(int row) {
  if (!ShowPairRow(GetResultsGrid(), row, sweepSlots)) {
    return;
  }
  const int pair = row - 1;
  ShowBandDetails(pair);
  if (conclusionItem != nullptr) {
    conclusionItem->SetText(conclusionText[pair]);
  }
  if (magnitudeDifference && magnDiffItem != nullptr) {
    magnDiffItem->SetText(magnDiffText[pair]);
  }
}

void CXCorrAnalyzer::ClearPairDisplay() {
  for (int s = 0; s < comparison::kSlotCount; ++s) {
    if (sweepSlots[s].empty() && sweepCurves[s].Get() != nullptr) {
      sweepCurves[s]->SetName(std::wstring());
      sweepCurves[s]->ClearPoints();
    }
  }
  if (CGridCtrl* const grid = GetCriteriaGrid(); grid != nullptr) {
    for (int row = 1; row < grid->GetRowCount(); ++row) {
      grid->SetItemText(row, kValueColumn, std::wstring());
      for (int column = kValueColumn; column < kCriteriaColumns; ++column) {
        grid->SetItemBkColour(row, column, CLR_DEFAULT);
      }
    }
    grid->Invalidate();
  }
  for (CORLOGuiItem* display : {conclusionItem, magnDiffItem}) {
    if (display != nullptr) {
      display->SetText(std::wstring());
    }
  }
}

void CXCorrAnalyzer::ShowBandDetails(int pair) {
  const int shown = std::min(bands.GetSize(), static_cast<int>(results.size()));
  for (int i = 0; i < shown; ++i) {
    const double value = ResultAt(i).value[pair];
    SetBandValue(i + 1, value, ClassifyBandValue(*bands[i], value));
  }
}

void CXCorrAnalyzer::SetBandValue(int row, double value, int verdict) {
  CGridCtrl* const grid = GetCriteriaGrid();
  if (grid == nullptr) {
    return;
  }
  const int maxDecimals = currentStatParam == STAT_LRXY ? 4 : 2;
  const std::wstring text =
      value >= STAT_NO_LOW_EDGE ? std::wstring() : OxFormatValue(value, 2, 4, maxDecimals);
  grid->SetItemText(row, kValueColumn, text);
  for (int column = kValueColumn; column < kCriteriaColumns; ++column) {
    grid->SetItemBkColour(row, column, CLR_DEFAULT);
  }
  if (const int column = GreyedColumn(verdict, !text.empty()); column > 0) {
    grid->SetItemBkColour(row, column, kMatchColour);
  }
  grid->Invalidate();
}
