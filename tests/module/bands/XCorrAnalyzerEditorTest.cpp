#include "module/bands/XCorrAnalyzerEditor.h"

#include <gtest/gtest.h>

#include "module/bands/SettingsFile.h"
#include "platform/common/Utf8.h"
#include "tests/module/bands/BandDialogs.h"
#include "tests/module/bands/BandFields.h"

namespace orlo::test {
namespace {

using orlo::user::ClickButton;
using orlo::user::TypeText;

// The texts of the text lines under `item`, depth first.
void CollectLabels(const CORLOGuiItem* item, std::vector<std::wstring>& labels) {
  if (item->Kind() == ORLO_GUI_TEXT && !item->Text().empty()) labels.push_back(item->Text());
  for (const auto& child : item->Children()) CollectLabels(child.get(), labels);
}

class BandEditorTest : public BandDialogTest {
 protected:
  int RunEditor(int technique, tagFREQBAND* band = nullptr) {
    CXCorrAnalyzerEditor editor(analyzer_, technique, band);
    return editor.RunModal(nullptr);
  }
};

TEST_F(BandEditorTest, CriteriaRowsFollowTheTechniqueAndMirrorTheThresholds) {
  std::vector<std::wstring> labels[2];
  for (int technique : {STAT_RXY, STAT_NCEPRI}) {
    Then([&labels, technique] {
      CollectLabels(Editor().Dialog(), labels[technique == STAT_NCEPRI]);
      EXPECT_EQ(Editor().Dialog()->Text(), L"Correlation analysis");
      EXPECT_EQ(TextOf(Editor().LabelEdit()), L"Text");
      TypeText(Editor().NormalEdit(), L"0.8");
      TypeText(Editor().SuspectEdit(), L"0.4");
      EXPECT_EQ(TextOf(Editor().SuspectEndEdit()), L"0.8");
      EXPECT_EQ(TextOf(Editor().ObviousEndEdit()), L"0.4");
      EXPECT_FALSE(TypeText(Editor().ObviousEndEdit(), L"1"));  // read-only
    });
    EXPECT_EQ(RunEditor(technique), IDCANCEL);
  }
  const std::vector<std::wstring> head{L"Label:", L"Min Freq:", L"Max Freq:", L"Settings"};
  auto expected = head;
  expected.insert(expected.end(), {L"Normal:", L"<=", L"Value", L"Suspect:", L"<=", L"Value", L"<",
                                   L"Obvious:", L"Value", L"<"});
  EXPECT_EQ(labels[0], expected);
  expected = head;
  expected.insert(expected.end(), {L"Normal:", L">", L"Value", L"Slight:", L">", L"Value", L">=",
                                   L"Serious:", L"Value", L">="});
  EXPECT_EQ(labels[1], expected);
  EXPECT_FALSE(folder.Exists());  // Cancel saves nothing
}

// The boxes the editor fills from a band copy their text on as typed text does, so "OK" on
// an unchanged band writes back exactly what was read.
TEST_F(BandEditorTest, OkOnAnUnchangedDefaultBandLeavesTheFileAsItWas) {
  XCorrSettings defaults;
  for (int set = 0; set < kStatTechniqueCount; ++set) AddDefaultBands(defaults.StatParams[set].bands, set);
  for (int technique = 0; technique < kStatTechniqueCount; ++technique) {
    defaults.CurrentStatParam = technique;
    SaveAllSettings(defaults);
    const std::string written = folder.Read();
    for (const tagFREQBAND* band : defaults.StatParams[technique].bands) {
      tagFREQBAND opened = *band;
      Then([] { ClickButton(Editor().OkButton()); });
      EXPECT_EQ(RunEditor(technique, &opened), IDOK);
      EXPECT_EQ(opened, *band);
      EXPECT_EQ(folder.Read(), written) << technique << " " << orlo::WideToUtf8(band->label);
    }
  }
}

// Invalid input shows the first failing check and leaves the editor open with the input
// kept; valid input is saved into the file's current set.
TEST_F(BandEditorTest, OkChecksTheInputInOrderAndSavesOnlyAValidBand) {
  const struct {
    int technique;
    const wchar_t* minFreq;
    const wchar_t* maxFreq;
    const wchar_t* normal;
    const wchar_t* suspect;
    const wchar_t* message;  // null: valid, saved as `saved`
    tagFREQBAND saved;
  } cases[] = {
      {STAT_RXY, L"2000", L"1000", L"", L"", L"Max < Min", {}},
      {STAT_RXY, L"0", L"-5", L"0", L"", L"Max < Min", {}},
      {STAT_RXY, L"0", L"1000", L"", L"", L"Min freq <= 0", {}},
      {STAT_LRXY, L"1000", L"1000", L"0", L"0.5", L"Normal Value must be > 0", {}},
      {STAT_RXY, L"1000", L"2000", L"0.6", L"0.6", L"Suspect must be between 0 and Normal value", {}},
      {STAT_LRXY, L"1000", L"2000", L"0.6", L"0", L"Suspect must be between 0 and Normal value", {}},
      {STAT_NCEPRI, L"1000", L"2000", L"2", L"2", L"Slight value must be > Normal value", {}},
      {STAT_RXY, L"1000", L"1000", L"0.6", L"0.3", nullptr,
       {L"B", 1000, 1000, true, 0.6, true, 0.3, 0.6, true, 0.3}},
      {STAT_NCEPRI, L"1000", L"1000", L"2", L"3", nullptr,
       {L"B", 1000, 1000, true, 2, true, 3, 2, true, 3}},
      {STAT_LRXY, L"1000", L"1000", L"", L"-3", nullptr,
       {L"B", 1000, 1000, false, 0, true, -3, 0, true, -3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message ? c.message : L"valid");
    orlo::win::ClearMessageBoxes();
    SaveGeneralSettings(c.technique, true, 0.25);
    Then([&c] {
      TypeText(Editor().LabelEdit(), L"B");
      TypeBand(c.minFreq, c.maxFreq, c.normal, c.suspect);
      ClickButton(Editor().OkButton());
    });
    if (c.message != nullptr) {
      Then([&c] {
        EXPECT_EQ(TextOf(Editor().MinFreqEdit()), c.minFreq);  // still open, input kept
        ClickButton(Editor().CancelButton());
      });
    }
    EXPECT_EQ(RunEditor(c.technique), c.message ? IDCANCEL : IDOK);
    const auto& boxes = orlo::win::MessageBoxes();
    EXPECT_EQ(boxes.size(), c.message ? 1u : 0u);
    if (c.message != nullptr && !boxes.empty()) {
      EXPECT_EQ(std::tie(boxes[0].text, boxes[0].style), std::tuple(c.message, 0u));
    }
    CFreqBandArray bands;
    int set = -1;
    bool flag = false;
    double limit = 0;
    EXPECT_TRUE(LoadCurrentSet(bands, set, flag, limit));
    EXPECT_EQ(Copies(bands), c.message ? std::vector<tagFREQBAND>{} : std::vector{c.saved});
    ClearBands(bands);
  }
}

}  // namespace
}  // namespace orlo::test
