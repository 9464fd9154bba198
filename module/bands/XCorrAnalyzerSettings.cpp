#include "module/bands/XCorrAnalyzerSettings.h"

#include <algorithm>
#include <array>
#include <utility>

#include "module/bands/BandText.h"
#include "module/bands/DialogItems.h"
#include "module/bands/SettingsFile.h"
#include "module/bands/XCorrAnalyzerEditor.h"
#include "module/comparison/CorrAnalyzer.h"
#include "module/core/TextFormat.h"
#include "module/xcorr/XCorrAnalyzer.h"
#include "platform/common/FileLock.h"
#include "platform/common/GuiItem.h"
#include "platform/common/Services.h"
#include "platform/controls/GridCtrl.h"

using orlo::module::AddItem;
using orlo::module::AddLabel;
using orlo::module::AddRow;
using orlo::module::FillFormat;

namespace {

constexpr int kDialogWidth = 600;
constexpr int kDialogHeight = 400;
constexpr int kButtonWidth = 72;
constexpr int kRowHeight = 24;
constexpr int kCheckBoxWidth = 250;
constexpr int kLimitWidth = 128;
constexpr int kSelectorMargin = 40;
constexpr int kDropRows = 10;
constexpr int kColumns = 6;

// The technique selector's entries, in order; an entry's item data is its technique.
constexpr std::array<const char*, kStatTechniqueCount> kTechniqueTexts{
    "Cross-correlation", "DL/T 911 (Rxy)", "NCEPRI"};

CXCorrAnalyzerSettings* running = nullptr;

std::wstring Translate(const char* text) { return CGettext::Get().Translate(text); }

CWnd* WindowOf(const CORLOGuiItem* item) { return item != nullptr ? item->GetWnd() : nullptr; }

int ValidTechnique(int technique) {
  return technique >= 0 && technique < kStatTechniqueCount ? technique : STAT_LRXY;
}

// Header texts of the band grid and the criterion texts of one band, per technique.
struct GridTexts {
  const char* obviousHeader;
  const char* suspectHeader;
  const char* obvious;  // with obviousEnd
  const char* suspect;  // with suspectStart, suspectEnd
  const char* normal;   // with normalStart
};
const GridTexts kHigherIsAlike{"Obvious", "Suspect", "Value < %s", "%s <= Value < %s",
                               "%s <= Value"};
const GridTexts kLowerIsAlike{"Serious", "Slight", "Value >= %s", "%s > Value >= %s",
                              "%s > Value"};

const GridTexts& TextsOf(int technique) {
  return technique == STAT_NCEPRI ? kLowerIsAlike : kHigherIsAlike;
}

}  // namespace

CXCorrAnalyzerSettings::CXCorrAnalyzerSettings(CXCorrAnalyzer* owner) : analyzer(owner) {}

CXCorrAnalyzerSettings::~CXCorrAnalyzerSettings() = default;

CXCorrAnalyzerSettings* CXCorrAnalyzerSettings::Running() { return running; }

int CXCorrAnalyzerSettings::RunModal(CWnd* /*parent*/) {
  const CFileLock lock(SettingsFilePath());
  CXCorrAnalyzerSettings* const outer = std::exchange(running, this);
  const int result = orlo::module::RunDialogItem(this, dialog);
  running = outer;
  ForgetItems();
  return result;
}

void CXCorrAnalyzerSettings::ForgetItems() {
  dialog = bandGrid = addButton = deleteButton = editButton = okButton = cancelButton = nullptr;
  techniqueSelector = magnitudeDifferenceCheck = limitEdit = nullptr;
}

// ---------------------------------------------------------------------------------------
// Building and filling

void CXCorrAnalyzerSettings::OnGuiCreate(CORLOGuiItem* item) {
  if (item == nullptr || item != dialog) return;
  BuildControls();
}

void CXCorrAnalyzerSettings::BuildControls() {
  dialog->SetText(analyzer != nullptr ? analyzer->GetName() : std::wstring());
  dialog->SetOrientation(0);

  CORLOGuiItem* bandRow = AddRow(dialog, -1);
  bandGrid = AddItem(bandRow, this, ORLO_GUI_GRID);
  CORLOGuiItem* buttons = AddItem(bandRow, nullptr, ORLO_GUI_CONTAINER, L"", kButtonWidth);
  for (auto [button, caption] : {std::pair{&addButton, "Add..."}, std::pair{&deleteButton, "Delete"},
                                 std::pair{&editButton, "Edit..."}}) {
    *button = AddItem(buttons, this, ORLO_GUI_BUTTON, Translate(caption), kButtonWidth);
    (*button)->SetItemHeight(kRowHeight);
  }

  CORLOGuiItem* techniqueRow = AddRow(dialog, kRowHeight);
  AddLabel(techniqueRow, Translate("Statistical technique:"));
  int widest = 0;
  for (const char* text : kTechniqueTexts) {
    widest = std::max(widest, GetSystemTextWidth(nullptr, Translate(text)));
  }
  techniqueSelector = AddItem(techniqueRow, this, ORLO_GUI_DROPDOWN, L"", widest + kSelectorMargin);

  CORLOGuiItem* limitRow = AddRow(dialog, kRowHeight);
  magnitudeDifferenceCheck = AddItem(limitRow, this, ORLO_GUI_CHECKBOX,
                                     Translate("Magnitude Difference Parameter") + L"     ",
                                     kCheckBoxWidth);
  AddLabel(limitRow, Translate("Magnitude Difference limit:"));
  limitEdit = AddItem(limitRow, this, ORLO_GUI_EDIT, L"", kLimitWidth);

  CORLOGuiItem* closeRow = AddRow(dialog, kRowHeight);
  AddItem(closeRow, nullptr, ORLO_GUI_TEXT);  // pushes the buttons to the right
  okButton = AddItem(closeRow, this, ORLO_GUI_BUTTON, Translate("OK"), kButtonWidth);
  cancelButton = AddItem(closeRow, this, ORLO_GUI_BUTTON, Translate("Cancel"), kButtonWidth);

  orlo::module::SizeDialog(dialog, kDialogWidth, kDialogHeight);
}

void CXCorrAnalyzerSettings::OnGuiPopulate() { Reload(); }

void CXCorrAnalyzerSettings::Reload() {
  CGridCtrl* grid = CCorrAnalyzer::GridOf(bandGrid);
  CWnd* selector = WindowOf(techniqueSelector);
  CWnd* check = WindowOf(magnitudeDifferenceCheck);
  CWnd* limit = WindowOf(limitEdit);
  if (grid == nullptr || selector == nullptr || check == nullptr || limit == nullptr) return;

  grid->DeleteAllItems();
  for (StatParamSet& set : settings.StatParams) ClearBands(set.bands);
  fileRead = LoadAllSettings(settings);
  if (!fileRead) {
    settings.CurrentStatParam = STAT_RXY;
    settings.MagnitudeDifference = true;
    settings.MagnitudeDifferenceLimit = 0.25;
  }
  for (int technique = 0; technique < kStatTechniqueCount; ++technique) {
    StatParamSet& set = settings.StatParams[technique];
    if (set.bands.IsEmpty()) {
      AddDefaultBands(set.bands, technique);
      set.technique = technique;
    }
  }

  const int technique = ValidTechnique(settings.CurrentStatParam);
  FillGrid(*grid, technique);
  limit->SetWindowText(BandNumberText(settings.MagnitudeDifferenceLimit));
  check->SendMessage(BM_SETCHECK, settings.MagnitudeDifference ? BST_CHECKED : BST_UNCHECKED);
  FillTechniqueSelector(*selector, technique);

  if (grid->GetRowCount() <= 1) {
    selectedRow = -1;
    EnableBandButtons(false);
  } else {
    selectedRow = 1;
    grid->SelectRow(1);
    EnableBandButtons(true);
  }
  CCorrAnalyzer::SetDropHeight(techniqueSelector, kDropRows);
  SizeColumns(*grid, technique);
}

void CXCorrAnalyzerSettings::FillGrid(CGridCtrl& grid, int technique) {
  const GridTexts& texts = TextsOf(technique);
  const CFreqBandArray& bands = settings.StatParams[technique].bands;
  grid.SetListMode(TRUE);
  grid.SetEditable(FALSE);
  grid.SetColumnCount(kColumns);
  grid.SetRowCount(1 + bands.GetSize());
  grid.SetFixedRowCount(1);
  const char* headers[kColumns] = {"Text", "Min freq", "Max freq", texts.obviousHeader,
                                   texts.suspectHeader, "Normal"};
  for (int column = 0; column < kColumns; ++column) {
    grid.SetItemText(0, column, Translate(headers[column]));
  }
  for (int i = 0; i < bands.GetSize(); ++i) {
    const tagFREQBAND& band = *bands[i];
    const int row = i + 1;
    grid.SetItemText(row, 0, band.label);
    grid.SetItemText(row, 1, BandFrequencyText(band.minFreq));
    grid.SetItemText(row, 2, BandFrequencyText(band.maxFreq));
    if (band.obviousSet) {
      grid.SetItemText(row, 3, FillFormat(Translate(texts.obvious), {BandNumberText(band.obviousEnd)}));
    }
    if (band.suspectSet) {
      grid.SetItemText(row, 4, FillFormat(Translate(texts.suspect), {BandNumberText(band.suspectStart),
                                                                    BandNumberText(band.suspectEnd)}));
    }
    if (band.normalSet) {
      grid.SetItemText(row, 5, FillFormat(Translate(texts.normal), {BandNumberText(band.normalStart)}));
    }
  }
}

void CXCorrAnalyzerSettings::FillTechniqueSelector(CWnd& selector, int technique) {
  selector.SendMessage(CB_RESETCONTENT);
  for (int entry = 0; entry < kStatTechniqueCount; ++entry) {
    const std::wstring text = Translate(kTechniqueTexts[entry]);
    const LRESULT index = selector.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    selector.SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), entry);
  }
  selector.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(technique));
}

void CXCorrAnalyzerSettings::SizeColumns(CGridCtrl& grid, int technique) {
  for (int column = 0; column < kColumns; ++column) grid.AutoSizeColumn(column);
  if (technique == STAT_RXY || technique == STAT_NCEPRI) {
    int widest = 0;
    for (int column = 1; column < kColumns; ++column) {
      widest = std::max(widest, grid.GetColumnWidth(column));
    }
    for (int column = 1; column < kColumns; ++column) grid.SetColumnWidth(column, widest);
  }
  grid.ExpandColumn(0);
}

void CXCorrAnalyzerSettings::EnableBandButtons(bool enable) {
  for (CORLOGuiItem* button : {deleteButton, editButton}) {
    if (CWnd* window = WindowOf(button)) window->EnableWindow(enable ? TRUE : FALSE);
  }
}

// ---------------------------------------------------------------------------------------
// What the user does

void CXCorrAnalyzerSettings::OnGuiMessage(CORLOGuiItem* item, ORLOWndMessage* message) {
  if (item == nullptr || message == nullptr || CCorrAnalyzer::GridOf(bandGrid) == nullptr ||
      WindowOf(magnitudeDifferenceCheck) == nullptr || WindowOf(limitEdit) == nullptr) {
    return;
  }
  if (item == okButton) {
    Commit();
    dialog->EndModal(IDOK);
  } else if (item == cancelButton) {
    dialog->EndModal(IDCANCEL);
  } else if (item == addButton) {
    AddBand();
  } else if (item == editButton) {
    EditBand();
  } else if (item == deleteButton) {
    DeleteBand();
  } else if (item == bandGrid) {
    const auto* notify = reinterpret_cast<const NM_GRIDVIEW*>(message->lParam);
    if (message->message != WM_NOTIFY || notify == nullptr) return;
    selectedRow = notify->iRow;
    if (selectedRow != -1) EnableBandButtons(true);
  } else if (item == techniqueSelector) {
    ChangeTechnique();
  }
}

void CXCorrAnalyzerSettings::RunEditor(tagFREQBAND* band) {
  CXCorrAnalyzerEditor editor(analyzer, SelectedTechnique(), band);
  if (!fileRead) editor.SetBeforeSave([this] { Commit(); });
  editor.RunModal(WindowOf(dialog));
}

void CXCorrAnalyzerSettings::AddBand() {
  RunEditor(nullptr);
  Reload();
}

void CXCorrAnalyzerSettings::EditBand() {
  tagFREQBAND* band = SelectedBand();
  if (band == nullptr) return;
  const int row = selectedRow;
  RunEditor(band);
  Reload();
  selectedRow = row;
  if (CGridCtrl* grid = CCorrAnalyzer::GridOf(bandGrid)) grid->SelectRow(row);
}

void CXCorrAnalyzerSettings::DeleteBand() {
  tagFREQBAND* band = SelectedBand();
  if (band == nullptr) return;
  const std::wstring question = FillFormat(Translate("Delete %s?"), {band->label});
  if (TransMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  settings.StatParams[SelectedTechnique()].bands.RemoveAt(selectedRow - 1);
  delete band;
  Commit();
  Reload();
}

void CXCorrAnalyzerSettings::ChangeTechnique() {
  SaveGeneralSettings(SelectedTechnique(), IsMagnitudeDifferenceChecked(), LimitFromEdit());
  Reload();
}

void CXCorrAnalyzerSettings::Commit() {
  if (WindowOf(techniqueSelector) == nullptr || WindowOf(magnitudeDifferenceCheck) == nullptr ||
      WindowOf(limitEdit) == nullptr) {
    return;
  }
  settings.CurrentStatParam = SelectedTechnique();
  settings.MagnitudeDifference = IsMagnitudeDifferenceChecked();
  settings.MagnitudeDifferenceLimit = LimitFromEdit();
  SaveAllSettings(settings);
}

// ---------------------------------------------------------------------------------------
// Reading the controls

int CXCorrAnalyzerSettings::SelectedTechnique() const {
  CWnd* selector = WindowOf(techniqueSelector);
  if (selector == nullptr) return STAT_LRXY;
  const LRESULT entry = selector->SendMessage(CB_GETCURSEL);
  if (entry == CB_ERR) return STAT_LRXY;
  const LRESULT technique = selector->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(entry));
  return technique >= 0 && technique < kStatTechniqueCount ? static_cast<int>(technique) : STAT_LRXY;
}

bool CXCorrAnalyzerSettings::IsMagnitudeDifferenceChecked() const {
  CWnd* check = WindowOf(magnitudeDifferenceCheck);
  return check != nullptr && check->SendMessage(BM_GETCHECK) == static_cast<LRESULT>(BST_CHECKED);
}

double CXCorrAnalyzerSettings::LimitFromEdit() const {
  std::wstring text = orlo::module::ControlText(limitEdit);
  std::replace(text.begin(), text.end(), L',', L'.');
  return strToFloat(text);
}

SettingsReadout CXCorrAnalyzerSettings::GetSettingsReadout() const {
  SettingsReadout readout{SettingsFilePath(), fileRead, settings.CurrentStatParam,
                          settings.MagnitudeDifference, settings.MagnitudeDifferenceLimit, {}};
  for (int technique = 0; technique < kStatTechniqueCount; ++technique) {
    const CFreqBandArray& bands = settings.StatParams[technique].bands;
    BandSetReadout& set = readout.sets.emplace_back(BandSetReadout{StatParamName(technique), {}});
    for (int i = 0; i < bands.GetSize(); ++i) set.bands.push_back(*bands[i]);
  }
  return readout;
}

tagFREQBAND* CXCorrAnalyzerSettings::SelectedBand() const {
  const CFreqBandArray& bands = settings.StatParams[SelectedTechnique()].bands;
  return selectedRow > 0 && selectedRow <= bands.GetSize() ? bands[selectedRow - 1] : nullptr;
}
