// Stories about what the correlation analysis shows: the criteria grid of each set, the
// band ranges in the graph and the redraw of changed sweeps.
#include "platform/common/UserActions.h"
#include "platform/win/MessageLoop.h"
#include "tests/module/xcorr/XCorrScenario.h"

namespace orlo::test {
namespace {

using XCorrPanel = XCorrScenario;
using Grid = std::vector<std::vector<std::wstring>>;

// The criteria grid spells out the rules of every band of the set, with the Value of the
// pair shown (row 1 first, then the row clicked) and the criterion it meets greyed.
TEST_F(XCorrPanel, CriteriaGridShowsTheRulesAndTheClickedPairsValues) {
  host.AddThreePhases();
  WriteSettings("LRxy");
  Start();
  EXPECT_EQ(Cells(*CriteriaGrid()),
            (Grid{{L"", L"Frequency", L"Value", L"Obvious Distortion", L"Suspected Distortion",
                   L"Normal"},
                  {L"LF", L"1 kHz - 100 kHz", L"0.9985", L"Value < 0.9", L"0.9 <= Value < 0.99",
                   L"0.99 <= Value"},
                  {L"MF", L"100 kHz - 600 kHz", L"0.9932", L"Value < 0.7488",
                   L"0.7488 <= Value < 0.9", L"0.9 <= Value"},
                  {L"HF", L"600 kHz - 1 MHz", L"0.9843", L"", L"", L"0.7488 <= Value"}}));

  ASSERT_TRUE(user::ClickGridCell(analyzer->ResultsGridItem(), 3, 1));
  EXPECT_EQ(analyzer->SweepNameA() + L"-" + analyzer->SweepNameB(), L"C-A");
  const Grid criteria = Cells(*CriteriaGrid());
  EXPECT_EQ((std::vector{criteria[1][2], criteria[2][2], criteria[3][2]}),
            (std::vector<std::wstring>{L"0.9930", L"0.9499", L"0.9129"}));
  EXPECT_EQ(GreyedColumns(*CriteriaGrid()), (std::vector<std::vector<int>>{{5}, {5}, {5}}));
  EXPECT_EQ(analyzer->GetConclusionText(), L"Normal");
  EXPECT_EQ(analyzer->GetMagnitudeDifferenceText(), L"Pass");
  ASSERT_TRUE(user::ClickGridCell(analyzer->ResultsGridItem(), 0, 1));  // the header
  EXPECT_EQ(ResultsGrid()->GetSelectedRow(), 3);
  EXPECT_EQ(analyzer->SweepNameA(), L"C");

  WriteSettings("NCEPRI");  // the clicked pair C-A stays chosen
  SettingsChange();
  EXPECT_EQ(
      Cells(*CriteriaGrid()),
      (Grid{{L"", L"Frequency", L"Value", L"Serious Distortion", L"Slight Distortion", L"Normal"},
            {L"NCEPRI", L"10 kHz - 700 kHz", L"0.70", L"Value > 7", L"7 >= Value > 3.5",
             L"3.5 >= Value"}}));
  EXPECT_EQ(GreyedColumns(*CriteriaGrid()), (std::vector<std::vector<int>>{{5}}));
}

TEST_F(XCorrPanel, ElevenBandsCycleTheRangeColoursAndAnEarlierSetGoesFirst) {
  std::vector<BandSpec> eleven;
  for (int i = 0; i < 11; ++i) {
    eleven.push_back({"B" + std::to_string(i), 1000.0 * (i + 1), 1000.0 * (i + 2), 0.5, {}, {}});
  }
  WriteSettings("LRxy", true, 0.25, eleven);
  Start();
  const host::CGraphWindow* window = host.Graph().GraphWindowOf(analyzer->GraphTarget());
  ASSERT_NE(window, nullptr);
  const COLORREF colours[] = {0x8CC8FF, 0xFFB4B4, 0xFFDCAA, 0xC9FFBA, 0xEEF3CC, 0xE4E0DE,
                              0xDFF8FA, 0xFCE3EC, 0xE1FBE8, 0xCBD5F5, 0x8CC8FF};
  ASSERT_EQ(window->Ranges().size(), 11u);
  for (size_t i = 0; i < 11; ++i) {
    EXPECT_EQ(window->Ranges()[i].colour, colours[i]) << i;
    EXPECT_EQ(window->Ranges()[i].label, L"B" + std::to_wstring(i));
    EXPECT_EQ(window->Ranges()[i].low, 1000.0 * (i + 1));
  }
  EXPECT_EQ(CriteriaGrid()->GetRowCount(), 12);

  std::vector<std::wstring> deleted(analyzer->RangeIds().rbegin(), analyzer->RangeIds().rend());
  ASSERT_EQ(deleted.size(), 11u);
  WriteSettings("RXy");
  BusRecorder bus;
  SettingsChange();
  std::vector<std::wstring> expected(11, L"GRAPH_DelRange");
  expected.insert(expected.end(),
                  {L"GRAPH_AddRange", L"GRAPH_AddRange", L"GRAPH_AddRange", L"GRAPH_Repaint"});
  EXPECT_EQ(bus.NamesTo(analyzer->GraphTarget(), L"GRAPH_"), expected);
  EXPECT_EQ(bus.SummariesTo(analyzer->GraphTarget(), L"GRAPH_DelRange"), deleted);
  ASSERT_EQ(window->Ranges().size(), 3u);
  EXPECT_EQ(window->Ranges()[2].label, L"HF");
  EXPECT_EQ(window->Ranges()[2].colour, 0xFFDCAAu);
  EXPECT_EQ(CriteriaGrid()->GetRowCount(), 4);
}

TEST_F(XCorrPanel, WithoutASettingsFileThereAreNoBands) {
  host.AddThreePhases();
  Start();
  EXPECT_EQ(CriteriaGrid()->GetRowCount(), 1);
  EXPECT_TRUE(host.Graph().GraphWindowOf(analyzer->GraphTarget())->Ranges().empty());
  for (int pair = 0; pair < 3; ++pair) {
    EXPECT_TRUE(analyzer->IsPairEvaluated(pair));
    EXPECT_EQ(ResultsGrid()->GetItemText(pair + 1, 2), L"");
  }
  EXPECT_EQ(analyzer->GetConclusionText(), L"");
  EXPECT_EQ(analyzer->CurrentStatParam(), 0);
}

TEST_F(XCorrPanel, EverySlotHasItsCurveAndOnlyTheirUpdatesRedrawOncePerTick) {
  host.AddThreePhases();
  host.AddSweep(MakeSweep("D", [](double f) { return WindingResponse(f, 0.05, 3); }));
  WriteSettings("LRxy");
  Start();
  for (const wchar_t* name : {L"A", L"B", L"C"}) {
    const host::CHostCurve* curve = host.CurveNamed(name);
    ASSERT_NE(curve, nullptr) << name;
    EXPECT_EQ(curve->Points().size(), 600u);
    EXPECT_EQ(curve->GraphType(), CXCorrAnalyzer::kGraphType);
  }
  EXPECT_EQ(host.CurveNamed(L"D"), nullptr);

  BusRecorder bus;
  auto louder = host.Graph().FindSweep(L"D")->points;
  for (auto& point : louder) point.magnitudeRatio *= 2.0f;
  host.Graph().SetSweepPoints(L"D", louder);
  win::AdvanceClock(500);
  EXPECT_EQ(bus.CountTo(host.Listener(), L"GRAPH_AcquireRawData"), 0);

  host.Graph().SetSweepPoints(L"C", louder);
  host.Graph().SetSweepPoints(L"C", host.Graph().FindSweep(L"A")->points);
  win::AdvanceClock(500);
  EXPECT_EQ(bus.SummariesTo(host.Listener(), L"GRAPH_AcquireRawData"),
            std::vector<std::wstring>{L"C"});
  EXPECT_EQ(host.CurveNamed(L"C")->RefreshCount(), 1);
  EXPECT_EQ(host.CurveNamed(L"C")->Points(), host.CurveNamed(L"A")->Points());
}

}  // namespace
}  // namespace orlo::test
