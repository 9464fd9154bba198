// Stories about the DL/T 911 analyzer: its graph (set-up, band ranges, the curves of the
// selected pair and their redraw when sweeps change) and what it computes, shows in its grids
// and reports (three identical sweeps, all factors 10, are AnalyzeCommandTest's story); the
// verdict rules and the criteria column a factor meets.
#include <cmath>
#include <limits>
#include <tuple>

#include "module/dlt911/DTL911Verdict.h"
#include "platform/common/Bus.h"
#include "platform/common/DataItem.h"
#include "platform/common/UserActions.h"
#include "platform/win/MessageBox.h"
#include "platform/win/MessageLoop.h"
#include "tests/module/dlt911/DTL911Scenario.h"

namespace orlo::test {
namespace {

using DTL911Graph = DTL911Scenario;

// The dB value the analyzer draws for a stored ratio: log10 in double, rounded to float,
// times 20 in float.
double Decibels(float ratio) {
  return 20.0f * static_cast<float>(std::log10(static_cast<double>(ratio)));
}

// The panel sets up the graph with the three bands; activation configures the host, and the
// bus shows the flag of the entry that took an item: only model removal has flag 1 among the
// graph's notifications.
TEST_F(DTL911Graph, PanelSetsUpTheGraphWithTheThreeBandsAndActivationTheHost) {
  BusRecorder bus;
  Start();
  const host::CGraphWindow* window = host.Graph().GraphWindowOf(analyzer->GraphTarget());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(bus.NamesTo(analyzer->GraphTarget()),
            (std::vector<std::wstring>{L"GRAPH_SetGraphType", L"GRAPH_SetAxisLabel",
                                       L"GRAPH_SetCursorLabel", L"GRAPH_AddRange",
                                       L"GRAPH_AddRange", L"GRAPH_AddRange"}));
  EXPECT_EQ(window->GraphType(), 101);
  EXPECT_EQ(window->AxisLabel().xLabel, L"Frequency (Hz)");
  EXPECT_EQ(window->CursorLabel().yLabel, L"Magnitude (dB)");
  std::vector<std::tuple<std::wstring, double, double, COLORREF, int, int, int>> ranges;
  for (const tagRANGE& r : window->Ranges()) {
    ranges.emplace_back(r.label, r.low, r.high, r.colour, r.flag1, r.flag2, r.flag3);
  }
  EXPECT_EQ(ranges, (decltype(ranges){{L"R-LF", 1000, 100000, 0x8CC8FF, 1, 0, 1},
                                      {L"R-MF", 100000, 600000, 0xFFB4B4, 1, 0, 1},
                                      {L"R-HF", 600000, 1000000, 0xFFDCAA, 1, 0, 1}}));
  // Curve A starts red at the default width (2); curve B as the graph made it.
  ASSERT_EQ(host.Graph().Curves().size(), 2u);
  EXPECT_EQ(host.Graph().Curves()[0]->Colour(), 255u);
  EXPECT_EQ(host.Graph().Curves()[0]->Width(), 2);
  EXPECT_EQ(host.Graph().Curves()[1]->GraphType(), 101);

  bus.Clear();
  analyzer->Activate(false);
  EXPECT_TRUE(bus.Records().empty());
  analyzer->Activate(true);
  EXPECT_EQ(bus.NamesTo(host.Listener()),
            (std::vector<std::wstring>{L"ORLO_ShowLegend", L"ORLO_ShowModels", L"ORLO_ShowActions",
                                       L"GRAPH_MultiSelect"}));
  EXPECT_EQ(host.Graph().MultiSelectMode(), 1);
  analyzer->ShowDialogs(true);
  analyzer->ShowErrorCurve(true);
  EXPECT_TRUE(window->DialogsShown());
  EXPECT_TRUE(window->ErrorCurveShown());
  analyzer->ShowDialogs(false);
  EXPECT_FALSE(window->DialogsShown());

  for (const auto& [name, flag] : {std::pair{L"GRAPH_RemoveModel", 1}, {L"GRAPH_ApplyModel", 0},
                                   {L"GRAPH_RecalcModels", 0}}) {
    auto* item = new CORLODataItem(name, L"", nullptr);
    SendMessage(analyzer->GetSafeHwnd(), WM_DATAITEM, reinterpret_cast<WPARAM>(item), 0);
    EXPECT_EQ(item->MatchedFlag(), flag) << testing::PrintToString(name);
    item->Release();
  }
}

// The pair 1-2 is drawn in dB with the sweeps' colours; only its sweeps' value updates
// redraw, once per tick of the 500 ms timer; width -1 means the graph's default width.
TEST_F(DTL911Graph, SelectedPairIsDrawnInDecibelsAndRedrawnOncePerTick) {
  host.AddThreePhases();
  Start();
  const host::CHostCurve* a = host.CurveNamed(L"A");
  ASSERT_NE(a, nullptr);
  ASSERT_NE(host.CurveNamed(L"B"), nullptr);
  const host::Sweep& sweep = *host.Graph().FindSweep(L"A");
  ASSERT_EQ(a->Points().size(), sweep.points.size());
  for (size_t i = 0; i < sweep.points.size(); ++i) {
    EXPECT_EQ(a->Points()[i].x, static_cast<double>(sweep.points[i].frequency));
    EXPECT_EQ(a->Points()[i].y, Decibels(sweep.points[i].magnitudeRatio));
  }
  EXPECT_EQ(a->Colour(), *host.Graph().SweepColor(L"A"));
  EXPECT_EQ(host.CurveNamed(L"B")->Colour(), *host.Graph().SweepColor(L"B"));
  EXPECT_GT(host.Graph().RepaintCount(), 0);

  BusRecorder bus;
  host.Graph().SetSweepPoints(L"C", sweep.points);  // C is not part of the pair
  win::AdvanceClock(500);
  EXPECT_EQ(bus.CountTo(host.Listener(), L"GRAPH_AcquireRawData"), 0);

  std::vector<host::Sweep::Point> louder(sweep.points.begin(), sweep.points.end());
  for (auto& point : louder) point.magnitudeRatio *= 2.0f;
  host.Graph().SetSweepPoints(L"A", louder);
  win::AdvanceClock(200);
  host.Graph().SetSweepPoints(L"A", louder);
  win::AdvanceClock(299);
  EXPECT_EQ(a->RefreshCount(), 0);
  win::AdvanceClock(1);
  EXPECT_EQ(a->RefreshCount(), 1);
  EXPECT_EQ(bus.SummariesTo(host.Listener(), L"GRAPH_AcquireRawData"),
            std::vector<std::wstring>{L"A"});
  EXPECT_EQ(a->Points().front().y, Decibels(louder.front().magnitudeRatio));
  win::AdvanceClock(1000);
  EXPECT_EQ(a->RefreshCount(), 1);

  host.Graph().SetSweepWidth(L"A", -1);
  host.Graph().SetDefaultWidth(7);
  host.Graph().SetSweepColor(L"A", 0x123456);  // makes the analyzer redraw
  EXPECT_EQ(host.CurveNamed(L"A")->Width(), 7);
  EXPECT_EQ(host.CurveNamed(L"A")->Colour(), 0x123456u);
}

class DTL911WithoutCurves : public DTL911Scenario {
 protected:
  DTL911WithoutCurves() : DTL911Scenario(HostOptions{.curves = false}) {}
};

TEST_F(DTL911WithoutCurves, TellsTheUserAndKeepsWorking) {
  host.AddThreePhases();
  Start();
  ASSERT_EQ(win::MessageBoxes().size(), 1u);
  EXPECT_EQ(win::MessageBoxes()[0].text,
            L"Failed to create curves.\nVerify that Graph plug-in is loaded.");
  EXPECT_EQ(win::MessageBoxes()[0].caption, L"Error");
  EXPECT_EQ(win::MessageBoxes()[0].style, static_cast<UINT>(MB_OK));
  EXPECT_FALSE(analyzer->Conclusion(0).empty());
  host.Graph().SetSweepPoints(L"A", host.Graph().FindSweep(L"B")->points);
  win::AdvanceClock(500);  // the redraw of a sweep without curve must not fail
  EXPECT_EQ(win::MessageBoxes().size(), 1u);
}

using DTL911Results = DTL911Scenario;
using Row = std::vector<std::wstring>;

// What the analyzer must make of AddThreePhases, pairs A-B, B-C and C-A: the factors bit for
// bit (the relative factors of ../expected_values.py, which shares no code with the module),
// the rows of the results grid and the report parameters.
constexpr double kFactors[3][3] = {{2.8161099068320663, 2.1703924289176384, 1.8037211868874938},
                                   {1.9675374231143439, 1.0851975964306018, 0.7661229308375632},
                                   {2.1548173035725897, 1.2997803264775631, 1.0599875249654398}};
const Row kRows[3] = {{L"R 1-2", L"[A] - [B]", L"2.82", L"2.17", L"1.80", L"Normal"},
                        {L"R 2-3", L"[B] - [C]", L"1.97", L"1.09", L"0.77", L"Light Distortion"},
                        {L"R 3-1", L"[C] - [A]", L"2.15", L"1.30", L"1.06", L"Normal"}};

// A fourth sweep is ignored. Only an opened file recomputes unchanged names; reordered
// names recompute every pair.
TEST_F(DTL911Results, ThreePhasesShowTheirFactorsAndTheChosenPairsCriteriaAndRecomputeWhenNeeded) {
  host.AddThreePhases();
  host.AddSweep(MakeSweep("D", [](double f) { return WindingResponse(f, 0.05, 3); }));
  Start();
  for (int pair = 0; pair < 3; ++pair) {
    EXPECT_EQ((std::vector{analyzer->Factor(pair, 0), analyzer->Factor(pair, 1), analyzer->Factor(pair, 2)}),
              std::vector(kFactors[pair], kFactors[pair] + 3)) << pair;  // bit for bit: no zero, no NaN
    EXPECT_EQ(Cells(*ResultsGrid())[pair + 1], kRows[pair]);
  }
  // The names carry the colours the graph plug-in gives the first three sweeps.
  EXPECT_EQ(host.StartReport(), (Row{L"DTL_911.R 1_2.Rlf=2.82", L"DTL_911.R 1_2.Rmf=2.17",
                                     L"DTL_911.R 1_2.Rhf=1.80", L"DTL_911.R 1_2.Conclusion=Normal",
                                     L"DTL_911.R 1_2.Name1=A#FF0000", L"DTL_911.R 1_2.Name2=B#009600",
                                     L"DTL_911.R 2_3.Rlf=1.97", L"DTL_911.R 2_3.Rmf=1.09",
                                     L"DTL_911.R 2_3.Rhf=0.77", L"DTL_911.R 2_3.Conclusion=Light Distortion",
                                     L"DTL_911.R 2_3.Name1=B#009600", L"DTL_911.R 2_3.Name2=C#0000FF",
                                     L"DTL_911.R 3_1.Rlf=2.15", L"DTL_911.R 3_1.Rmf=1.30",
                                     L"DTL_911.R 3_1.Rhf=1.06", L"DTL_911.R 3_1.Conclusion=Normal",
                                     L"DTL_911.R 3_1.Name1=C#0000FF", L"DTL_911.R 3_1.Name2=A#FF0000"}));

  // Row 2, B against C: R-LF 1.97 is light distortion, R-MF and R-HF are normal. Clicks on
  // the header row and on the criteria grid keep the pair and send nothing.
  ASSERT_TRUE(user::ClickGridCell(analyzer->ResultsGridItem(), 2, 3));
  BusRecorder bus;
  user::ClickGridCell(analyzer->ResultsGridItem(), 0, 2);
  user::ClickGridCell(analyzer->CriteriaGridItem(), 3, 1);
  EXPECT_TRUE(bus.Records().empty());
  EXPECT_EQ(ResultsGrid()->GetSelectedRow(), 2);
  EXPECT_EQ(analyzer->SweepNameA(), L"B");
  EXPECT_EQ(analyzer->SweepNameB(), L"C");
  EXPECT_EQ(analyzer->GetConclusionText(), L"Light Distortion");
  const auto criteria = Cells(*CriteriaGrid());
  EXPECT_EQ((Row{criteria[1][1], criteria[2][1], criteria[3][1]}), (Row{L"1.97", L"1.09", L"0.77"}));
  EXPECT_EQ(GreyedColumns(*CriteriaGrid()), (std::vector<std::vector<int>>{{4}, {5}, {5}}));

  bus.Clear();
  ORLOSendMessage("GRAPH_VisibleCurveCount", nullptr);
  ORLOSendMessage("ORLO_CloseFile", nullptr);
  EXPECT_EQ(bus.CountTo(host.Listener(), L"GRAPH_AcquireRawData"), 0);
  ORLOSendMessage("ORLO_OpenedFile", nullptr);
  EXPECT_EQ(bus.SummariesTo(host.Listener(), L"GRAPH_AcquireRawData"),  // 3 pairs + row 1 drawn
            (Row{L"A", L"B", L"B", L"C", L"C", L"A", L"A", L"B"}));
  EXPECT_EQ(Cells(*ResultsGrid())[3], kRows[2]);
  bus.Clear();
  host.Graph().SetVisibleSweeps({L"B", L"A", L"C", L"D"});
  EXPECT_EQ(bus.SummariesTo(host.Listener(), L"GRAPH_AcquireRawData"),
            (Row{L"B", L"A", L"A", L"C", L"C", L"B", L"B", L"A"}));
  EXPECT_EQ(Cells(*ResultsGrid())[2],
            (Row{L"R 2-3", L"[A] - [C]", L"2.15", L"1.30", L"1.06", L"Normal"}));
}

// Two visible sweeps fill and report only the first pair. They end at 500 kHz, more than 1 %
// below the upper edge of R-MF and the lower edge of R-HF: 10 there.
TEST_F(DTL911Results, TwoVisibleSweepsEndingBelowTheHighBandFillAndReportOnlyTheFirstPair) {
  host.AddSweep(MakeSweep("A", [](double f) { return WindingResponse(f); }, 400, 100.0, 5.0e5));
  host.AddSweep(MakeSweep("B", [](double f) { return WindingResponse(f, 0.01, 1); }, 400, 100.0, 5.0e5));
  Start();
  EXPECT_EQ(analyzer->Factor(0, 0), 2.8167088586183238);  // ../expected_values.py
  EXPECT_EQ(Cells(*ResultsGrid()),
            (std::vector<Row>{Cells(*ResultsGrid())[0],
                              {L"R 1-2", L"[A] - [B]", L"2.82", L"10.00", L"10.00", L"Normal"},
                              {L"R 2-3", L"", L"", L"", L"", L""},
                              {L"R 3-1", L"", L"", L"", L"", L""}}));
  EXPECT_EQ(analyzer->GetComputedPairs().size(), 1u);
  EXPECT_EQ(host.StartReport(), (Row{L"DTL_911.R 1_2.Rlf=2.82", L"DTL_911.R 1_2.Rmf=10.00",
                                     L"DTL_911.R 1_2.Rhf=10.00", L"DTL_911.R 1_2.Conclusion=Normal",
                                     L"DTL_911.R 1_2.Name1=A#FF0000", L"DTL_911.R 1_2.Name2=B#009600"}));
}

using dlt911::Verdict;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(DTL911Verdict, RulesInOrderThresholdsToTheHigherGradeNaNComparesFalse) {
  const struct {
    double lf, mf, hf;
    Verdict verdict;
  } cases[] = {
      {0.59, 3, 3, Verdict::kSevere},    {0.6, 3, 3, Verdict::kObvious},
      {5, 0.5, 5, Verdict::kObvious},    {1.5, 0.2, 5, Verdict::kObvious},
      {1.0, 3, 3, Verdict::kLight},      {5, 0.8, 0.1, Verdict::kLight},
      {2, 1, 0.6, Verdict::kNormal},     {2, 1, 0.59, Verdict::kHfAboveLimit},
      {kNaN, 0.3, 3, Verdict::kObvious}, {kNaN, 3, 3, Verdict::kError},
      {5, 3, kNaN, Verdict::kError},     {0.2, kNaN, kNaN, Verdict::kSevere},
      {10.5, 3, 3, Verdict::kNone},      {0.1, 3, 11, Verdict::kNone},
      {10, 10, 10, Verdict::kNormal},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(dlt911::ClassifyFactors(c.lf, c.mf, c.hf), c.verdict)
        << c.lf << " " << c.mf << " " << c.hf;
  }
  EXPECT_STREQ(dlt911::VerdictText(Verdict::kNone), "");
  EXPECT_STREQ(dlt911::VerdictText(Verdict::kHfAboveLimit),
               "R-HF above limit, R-LF and R-MF normal");
}

TEST(DTL911Verdict, FactorTextIsEmptyAboveTen) {
  EXPECT_EQ(dlt911::FormatFactor(10.0000001), L"");
  EXPECT_EQ(dlt911::FormatFactor(10.0), L"10.00");
  EXPECT_EQ(dlt911::FormatFactor(1.23456), L"1.23");
  EXPECT_EQ(dlt911::FormatFactor(kNaN), L"NaN");
}

TEST(DTL911Verdict, CriteriaCellOfAFactor) {
  const struct {
    int row;
    double factor;
    int column;
  } cases[] = {{1, 0.59, 2}, {1, 0.6, 3},  {1, 1.0, 4}, {1, 2.0, 5},  {1, kNaN, 0},
               {2, 0.5, 3},  {2, 0.6, 4},  {2, 1.0, 5}, {2, kNaN, 0}, {3, 0.5, 1},
               {3, 0.6, 5},  {3, kNaN, 1}, {4, 1.0, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(dlt911::MatchingCriteriaColumn(c.row, c.factor), c.column)
        << c.row << " " << c.factor;
  }
}

}  // namespace
}  // namespace orlo::test
