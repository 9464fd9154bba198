#include "module/bands/XCorrAnalyzerSettings.h"

#include <gtest/gtest.h>

#include "module/bands/SettingsFile.h"
#include "tests/module/bands/BandDialogs.h"

namespace orlo::test {
namespace {

using Grid = std::vector<std::vector<std::wstring>>;
using orlo::user::ClickButton;
using orlo::user::ClickGridCell;
using orlo::user::PickEntry;
using orlo::user::TickCheckBox;
using orlo::user::TypeText;

struct General {
  int set = -1;
  bool flag = false;
  double limit = -1;
};
General FileGeneral() {
  CFreqBandArray bands;
  General general;
  LoadCurrentSet(bands, general.set, general.flag, general.limit);
  ClearBands(bands);
  return general;
}

TEST_F(BandDialogTest, FirstUseShowsTheRxyDefaultsAndOkWritesAllThreeSets) {
  Then([this] {
    CXCorrAnalyzerSettings& dialog = Settings();
    EXPECT_EQ(dialog.Dialog()->Text(), L"Correlation analysis");
    EXPECT_EQ(TextOf(dialog.TechniqueSelector()), L"DL/T 911 (Rxy)");
    EXPECT_EQ(dialog.MagnitudeDifferenceCheck()->GetWnd()->SendMessage(BM_GETCHECK), 1);
    EXPECT_EQ(TextOf(dialog.LimitEdit()), L"0.25");
    EXPECT_EQ(Cells(BandGridOf(dialog)),
              (Grid{{L"Text", L"Min freq", L"Max freq", L"Obvious", L"Suspect", L"Normal"},
                     {L"LF", L"1 kHz", L"100 kHz", L"Value < 1", L"1 <= Value < 2", L"2 <= Value"},
                     {L"MF", L"100 kHz", L"600 kHz", L"Value < 0.6", L"0.6 <= Value < 1", L"1 <= Value"},
                     {L"HF", L"600 kHz", L"1 MHz", L"", L"", L"0.6 <= Value"}}));
    EXPECT_EQ(dialog.SelectedRow(), 1);
    EXPECT_EQ(BandGridOf(dialog).GetSelectedRow(), 1);
    // Techniques 1 and 2: the criteria columns are equally wide (the widest, "0.6 <= Value
    // < 1": 16 characters of 7 pixels and the margins); nothing is left for the text column.
    const CGridCtrl& grid = BandGridOf(dialog);
    for (int column = 1; column < 6; ++column) EXPECT_EQ(grid.GetColumnWidth(column), 120) << column;
    EXPECT_EQ(grid.GetColumnWidth(0), 4 * 7 + 8);
    EXPECT_FALSE(folder.Exists());  // nothing written yet
    ClickButton(dialog.OkButton());
  });
  Show();
  EXPECT_TRUE(orlo::win::MessageBoxes().empty());
  XCorrSettings saved;
  ASSERT_TRUE(LoadAllSettings(saved));
  EXPECT_EQ(saved.CurrentStatParam, STAT_RXY);
  EXPECT_TRUE(saved.MagnitudeDifference);
  EXPECT_EQ(saved.MagnitudeDifferenceLimit, 0.25);
  EXPECT_EQ(saved.StatParams[0].bands.GetSize(), 3);
  EXPECT_EQ(saved.StatParams[1].bands.GetSize(), 3);
  EXPECT_EQ(saved.StatParams[2].bands.GetSize(), 1);
  EXPECT_EQ(saved.StatParams[0].bands[1]->suspectStart, 0.7488);
}

TEST_F(BandDialogTest, ATechniquePickIsWrittenAtOnceAndShowsThatSet) {
  Then([] { PickEntry(Settings().TechniqueSelector(), 2); });
  Then([this] {
    EXPECT_EQ(FileGeneral().set, STAT_NCEPRI);  // before OK or Cancel
    EXPECT_EQ(Cells(BandGridOf(Settings())),
              (Grid{{L"Text", L"Min freq", L"Max freq", L"Serious", L"Slight", L"Normal"},
                     {L"NCEPRI", L"10 kHz", L"700 kHz", L"Value >= 7", L"7 > Value >= 3.5",
                      L"3.5 > Value"}}));
    TickCheckBox(Settings().MagnitudeDifferenceCheck(), false);
    TypeText(Settings().LimitEdit(), L"0,5");
    PickEntry(Settings().TechniqueSelector(), 0);
  });
  Then([this] {
    const General general = FileGeneral();
    EXPECT_EQ(general.set, STAT_LRXY);
    EXPECT_FALSE(general.flag);
    EXPECT_EQ(general.limit, 0.5);  // typed with a decimal comma
    // Technique 0: every column keeps its own width (text width of 7 pixels per
    // character plus the margins): "Min freq" and "0.7488 <= Value < 0.9".
    EXPECT_EQ(BandGridOf(Settings()).GetColumnWidth(1), 8 * 7 + 8);
    EXPECT_EQ(BandGridOf(Settings()).GetColumnWidth(4), 21 * 7 + 8);
    ClickButton(Settings().CancelButton());
  });
  Show();
  EXPECT_EQ(FileGeneral().set, STAT_LRXY);  // Cancel undoes nothing
}

TEST_F(BandDialogTest, TheTextColumnTakesTheWidthLeft) {
  SaveGeneralSettings(STAT_RXY, true, 0.25);
  SaveBand(tagFREQBAND{L"A", 1, 2}, STAT_RXY, 0, 0);
  Then([] {
    const CGridCtrl& grid = BandGridOf(Settings());
    EXPECT_EQ(Cells(BandGridOf(Settings()))[1], (std::vector<std::wstring>{L"A", L"1 Hz", L"2 Hz", L"", L"", L""}));
    RECT client;
    grid.GetClientRect(&client);
    for (int column = 1; column < 6; ++column) EXPECT_EQ(grid.GetColumnWidth(column), 8 * 7 + 8);
    EXPECT_EQ(grid.GetColumnWidth(0), client.right - 5 * (8 * 7 + 8));
  });
  Show();
}

TEST_F(BandDialogTest, DeletingAsksFirstAndNoChangesNothing) {
  SaveGeneralSettings(STAT_RXY, true, 0.25);
  const std::string before = folder.Read();
  Then([] {
    ClickGridCell(Settings().BandGrid(), 1, 0);
    ClickButton(Settings().DeleteButton());  // answered No
  });
  Then([this, &before] {
    EXPECT_EQ(folder.Read(), before);
    EXPECT_EQ(Cells(BandGridOf(Settings())).size(), 4u);
    orlo::win::QueueMessageBoxAnswer(IDYES);
    ClickGridCell(Settings().BandGrid(), 2, 0);
    ClickButton(Settings().DeleteButton());
  });
  Then([] {
    EXPECT_EQ(Cells(BandGridOf(Settings()))[1][0], L"LF");
    EXPECT_EQ(Cells(BandGridOf(Settings()))[2][0], L"HF");
  });
  Show();
  ASSERT_EQ(orlo::win::MessageBoxes().size(), 2u);
  EXPECT_EQ(orlo::win::MessageBoxes()[0].text, L"Delete LF?");
  EXPECT_EQ(orlo::win::MessageBoxes()[0].style, 0x24u);
  EXPECT_EQ(orlo::win::MessageBoxes()[1].text, L"Delete MF?");
  XCorrSettings saved;  // the deletion was written, with everything else
  ASSERT_TRUE(LoadAllSettings(saved));
  EXPECT_EQ(saved.StatParams[STAT_RXY].bands.GetSize(), 2);
  EXPECT_EQ(saved.StatParams[STAT_NCEPRI].bands.GetSize(), 1);
}

TEST_F(BandDialogTest, EditingKeepsTheRowSelectedAndAddingAppends) {
  // No settings file: a band cancelled or refused in the editor writes nothing; the
  // editor's "OK" writes the defaults shown and then the band, which stays with them.
  Then([] { ClickButton(Settings().AddButton()); });
  Then([] {
    TypeBand(L"0", L"1000", L"", L"");
    ClickButton(Editor().OkButton());  // refused
    ClickButton(Editor().CancelButton());
  });
  Then([this] {
    EXPECT_FALSE(folder.Exists());
    ClickGridCell(Settings().BandGrid(), 3, 0);
    ClickButton(Settings().EditButton());
  });
  Then([] {  // in the editor, filled from the HF band
    EXPECT_EQ(TextOf(Editor().LabelEdit()), L"HF");
    EXPECT_EQ(TextOf(Editor().MinFreqEdit()), L"600000");
    EXPECT_EQ(TextOf(Editor().NormalEdit()), L"0.6");
    EXPECT_EQ(TextOf(Editor().SuspectEdit()), L"");  // Suspect not in use
    TypeText(Editor().LabelEdit(), L"HF2");
    ClickButton(Editor().OkButton());
  });
  Then([] {
    EXPECT_EQ(Settings().SelectedRow(), 3);
    EXPECT_EQ(BandGridOf(Settings()).GetSelectedRow(), 3);
    EXPECT_EQ(Cells(BandGridOf(Settings()))[3][0], L"HF2");
    ClickButton(Settings().AddButton());
  });
  Then([] {
    EXPECT_EQ(TextOf(Editor().LabelEdit()), L"Text");
    TypeBand(L"1500000", L"2000000", L"0.5", L"0.25");
    ClickButton(Editor().OkButton());
  });
  Then([] {
    EXPECT_EQ(Cells(BandGridOf(Settings()))[4],
              (std::vector<std::wstring>{L"Text", L"1.5 MHz", L"2 MHz", L"Value < 0.25",
                                         L"0.25 <= Value < 0.5", L"0.5 <= Value"}));
    EXPECT_EQ(Settings().SelectedRow(), 1);
  });
  Show();
  ASSERT_EQ(orlo::win::MessageBoxes().size(), 1u);
  EXPECT_EQ(orlo::win::MessageBoxes()[0].text, L"Min freq <= 0");
  XCorrSettings saved;
  ASSERT_TRUE(LoadAllSettings(saved));
  EXPECT_EQ(saved.StatParams[STAT_RXY].bands.GetSize(), 4);
  EXPECT_EQ(saved.StatParams[STAT_RXY].bands[2]->label, L"HF2");
  EXPECT_EQ(saved.StatParams[STAT_NCEPRI].bands.GetSize(), 1);
}

}  // namespace
}  // namespace orlo::test
