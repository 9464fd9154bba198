#include "module/bands/XCorrAnalyzerEditor.h"

#include <memory>
#include <utility>
#include <vector>

#include "module/bands/BandText.h"
#include "module/bands/DialogItems.h"
#include "module/bands/SettingsFile.h"
#include "module/bands/StatParams.h"
#include "module/xcorr/XCorrAnalyzer.h"
#include "platform/common/GuiItem.h"
#include "platform/common/Services.h"

using orlo::module::AddItem;
using orlo::module::AddLabel;
using orlo::module::AddRow;
using orlo::module::ControlText;

namespace {

constexpr int kDialogWidth = 520;
constexpr int kDialogHeight = 260;
constexpr int kButtonWidth = 75;
constexpr int kRowHeight = 24;
constexpr int kCaptionWidth = 80;

CXCorrAnalyzerEditor* running = nullptr;

std::wstring Translate(const char* text) { return CGettext::Get().Translate(text); }

double NumberIn(const CORLOGuiItem* edit) { return ORLOParseFloatValue(ControlText(edit)); }
bool IsGiven(const CORLOGuiItem* edit) { return !ControlText(edit).empty(); }

// One criteria row: a caption, then words, signs and edit boxes in order.
struct Piece {
  const char* word = nullptr;      // translated
  const wchar_t* sign = nullptr;   // literal
  CORLOGuiItem** edit = nullptr;   // an edit box stored here
  bool readOnly = false;
};

}  // namespace

CXCorrAnalyzerEditor::CXCorrAnalyzerEditor(CXCorrAnalyzer* owner, int setTechnique,
                                           tagFREQBAND* edited)
    : analyzer(owner), band(edited), technique(setTechnique) {}

CXCorrAnalyzerEditor::~CXCorrAnalyzerEditor() = default;

CXCorrAnalyzerEditor* CXCorrAnalyzerEditor::Running() { return running; }

int CXCorrAnalyzerEditor::RunModal(CWnd* /*parent*/) {
  CXCorrAnalyzerEditor* const outer = std::exchange(running, this);
  const int result = orlo::module::RunDialogItem(this, dialog);
  running = outer;
  ForgetItems();
  return result;
}

void CXCorrAnalyzerEditor::ForgetItems() {
  dialog = labelEdit = minFreqEdit = maxFreqEdit = normalEdit = suspectEdit = nullptr;
  suspectEndEdit = obviousEndEdit = okButton = cancelButton = nullptr;
}

// ---------------------------------------------------------------------------------------
// Building and filling

void CXCorrAnalyzerEditor::OnGuiCreate(CORLOGuiItem* item) {
  if (item == nullptr || item != dialog) return;
  BuildControls();
}

CORLOGuiItem* CXCorrAnalyzerEditor::AddEdit(CORLOGuiItem* row, bool readOnly) {
  CORLOGuiItem* edit = AddItem(row, this, ORLO_GUI_EDIT);
  if (readOnly && edit != nullptr && edit->GetWnd() != nullptr) {
    edit->GetWnd()->SendMessage(EM_SETREADONLY, TRUE);
  }
  return edit;
}

void CXCorrAnalyzerEditor::BuildControls() {
  dialog->SetText(analyzer != nullptr ? analyzer->GetName() : std::wstring());
  dialog->SetOrientation(0);
  for (auto [edit, caption] : {std::pair{&labelEdit, "Label:"}, std::pair{&minFreqEdit, "Min Freq:"},
                               std::pair{&maxFreqEdit, "Max Freq:"}}) {
    CORLOGuiItem* row = AddRow(dialog, kRowHeight);
    AddItem(row, nullptr, ORLO_GUI_TEXT, Translate(caption), kCaptionWidth);
    *edit = AddEdit(row);
  }
  CORLOGuiItem* group = AddItem(dialog, nullptr, ORLO_GUI_CONTAINER);
  AddItem(group, nullptr, ORLO_GUI_TEXT, Translate("Settings"))->SetItemHeight(kRowHeight);
  BuildCriteria(group);

  CORLOGuiItem* closeRow = AddRow(dialog, kRowHeight);
  AddItem(closeRow, nullptr, ORLO_GUI_TEXT);  // pushes the buttons to the right
  okButton = AddItem(closeRow, this, ORLO_GUI_BUTTON, Translate("OK"), kButtonWidth);
  cancelButton = AddItem(closeRow, this, ORLO_GUI_BUTTON, Translate("Cancel"), kButtonWidth);

  if (band == nullptr) labelEdit->SetText(Translate("Text"));
  orlo::module::SizeDialog(dialog, kDialogWidth, kDialogHeight);
}

void CXCorrAnalyzerEditor::BuildCriteria(CORLOGuiItem* group) {
  const bool lowerIsAlike = technique == STAT_NCEPRI;
  const wchar_t* const toValue = lowerIsAlike ? L">" : L"<=";
  const wchar_t* const toEnd = lowerIsAlike ? L">=" : L"<";
  const struct {
    const char* caption;
    std::vector<Piece> pieces;
  } rows[] = {
      {"Normal:", {{nullptr, nullptr, &normalEdit}, {nullptr, toValue}, {"Value"}}},
      {lowerIsAlike ? "Slight:" : "Suspect:",
       {{nullptr, nullptr, &suspectEdit}, {nullptr, toValue}, {"Value"}, {nullptr, toEnd},
        {nullptr, nullptr, &suspectEndEdit, true}}},
      {lowerIsAlike ? "Serious:" : "Obvious:",
       {{"Value"}, {nullptr, toEnd}, {nullptr, nullptr, &obviousEndEdit, true}}},
  };
  for (const auto& criterion : rows) {
    CORLOGuiItem* row = AddRow(group, kRowHeight);
    AddItem(row, nullptr, ORLO_GUI_TEXT, Translate(criterion.caption), kCaptionWidth);
    for (const Piece& piece : criterion.pieces) {
      if (piece.edit != nullptr) {
        *piece.edit = AddEdit(row, piece.readOnly);
      } else {
        AddLabel(row, piece.word != nullptr ? Translate(piece.word) : piece.sign);
      }
    }
  }
}

void CXCorrAnalyzerEditor::OnGuiPopulate() {
  if (band == nullptr) return;
  labelEdit->SetText(band->label);
  minFreqEdit->SetText(BandNumberText(band->minFreq));
  maxFreqEdit->SetText(BandNumberText(band->maxFreq));
  if (band->normalSet) normalEdit->SetText(BandNumberText(band->normalStart));
  if (band->suspectSet) {
    suspectEdit->SetText(BandNumberText(band->suspectStart));
    suspectEndEdit->SetText(BandNumberText(band->suspectEnd));
  }
  if (band->obviousSet) obviousEndEdit->SetText(BandNumberText(band->obviousEnd));
}

// ---------------------------------------------------------------------------------------
// What the user does

void CXCorrAnalyzerEditor::OnGuiMessage(CORLOGuiItem* item, ORLOWndMessage* /*message*/) {
  if (item == nullptr) return;
  if (item == normalEdit) {
    suspectEndEdit->SetText(ControlText(normalEdit));
  } else if (item == suspectEdit) {
    obviousEndEdit->SetText(ControlText(suspectEdit));
  } else if (item == cancelButton) {
    dialog->EndModal(IDCANCEL);
  } else if (item == okButton) {
    if (const char* failure = CheckInput()) {
      TransMessageBox(Translate(failure), MB_OK);
      return;
    }
    SaveInput();
    dialog->EndModal(IDOK);
  }
}

const char* CXCorrAnalyzerEditor::CheckInput() const {
  const double minFreq = NumberIn(minFreqEdit);
  const double maxFreq = NumberIn(maxFreqEdit);
  const double normal = NumberIn(normalEdit);
  const double suspect = NumberIn(suspectEdit);
  const bool bothGiven = IsGiven(normalEdit) && IsGiven(suspectEdit);
  if (minFreq > maxFreq) return "Max < Min";
  if (minFreq <= 0) return "Min freq <= 0";
  if (IsGiven(normalEdit) && normal <= 0) return "Normal Value must be > 0";
  if (technique == STAT_NCEPRI) {
    if (bothGiven && suspect <= normal) return "Slight value must be > Normal value";
  } else if (bothGiven && (suspect <= 0 || suspect >= normal)) {
    return "Suspect must be between 0 and Normal value";
  }
  return nullptr;
}

void CXCorrAnalyzerEditor::SaveInput() {
  if (beforeSave) beforeSave();
  std::unique_ptr<tagFREQBAND> created;
  tagFREQBAND* target = band;
  double oldMinFreq = 0.0;
  double oldMaxFreq = 0.0;
  if (target == nullptr) {
    created = std::make_unique<tagFREQBAND>();
    target = created.get();
  } else {
    oldMinFreq = target->minFreq;
    oldMaxFreq = target->maxFreq;
  }
  target->label = ControlText(labelEdit);
  target->minFreq = NumberIn(minFreqEdit);
  target->maxFreq = NumberIn(maxFreqEdit);
  target->normalSet = IsGiven(normalEdit);
  target->suspectSet = IsGiven(suspectEdit);
  target->obviousSet = target->suspectSet;
  target->normalStart = NumberIn(normalEdit);
  target->suspectStart = NumberIn(suspectEdit);
  target->suspectEnd = NumberIn(suspectEndEdit);
  target->obviousEnd = NumberIn(obviousEndEdit);
  SaveEditedBand(*target, oldMinFreq, oldMaxFreq, technique);
}
