// Stories about what the DL/T 911 analyzer computes and shows in its grids (three identical
// sweeps, all factors 10, are AnalyzeCommandTest's story).
#include "platform/common/Bus.h"
#include "platform/common/UserActions.h"
#include "tests/module/dlt911/DTL911Scenario.h"

namespace orlo::test {
namespace {

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

TEST_F(DTL911Results, ThreePhasesShowTheirFactorsAndTheChosenPairsCriteria) {
  host.AddThreePhases();
  Start();
  for (int pair = 0; pair < 3; ++pair) {
    for (int band = 0; band < 3; ++band) {
      EXPECT_EQ(analyzer->Factor(pair, band), kFactors[pair][band]) << pair << "/" << band;
    }
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
}

// Only an opened file recomputes unchanged names; reordered names recompute every pair.
TEST_F(DTL911Results, OpenedFileOrReorderedNamesRecomputeEveryPairAndAFourthSweepIsIgnored) {
  host.AddThreePhases();
  host.AddSweep(MakeSweep("D", [](double f) { return WindingResponse(f, 0.05, 3); }));
  Start();
  BusRecorder bus;
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

TEST_F(DTL911Results, TwoVisibleSweepsFillAndReportOnlyTheFirstPair) {
  host.AddSweep(MakeSweep("A", [](double f) { return WindingResponse(f); }));
  host.AddSweep(MakeSweep("B", [](double f) { return WindingResponse(f, 0.01, 1); }));
  Start();
  EXPECT_EQ(Cells(*ResultsGrid())[1], kRows[0]);
  EXPECT_EQ(Cells(*ResultsGrid())[2], (Row{L"R 2-3", L"", L"", L"", L"", L""}));
  EXPECT_EQ(Cells(*ResultsGrid())[3], (Row{L"R 3-1", L"", L"", L"", L"", L""}));
  EXPECT_EQ(analyzer->GetComputedPairs().size(), 1u);

  host.Report().StartReport();
  ASSERT_EQ(host.Report().Parameters().size(), 6u);
  for (const auto& parameter : host.Report().Parameters()) {
    EXPECT_TRUE(parameter.name.starts_with(L"DTL_911.R 1_2.")) << parameter.name;
  }
}

TEST_F(DTL911Results, SweepsEndingBelowTheHighBandGiveTenThere) {
  // 500 kHz is more than 1 % below the upper edge of R-MF and the lower edge of R-HF.
  host.AddSweep(MakeSweep("A", [](double f) { return WindingResponse(f); }, 400, 100.0, 5.0e5));
  host.AddSweep(MakeSweep("B", [](double f) { return WindingResponse(f, 0.01, 1); }, 400, 100.0, 5.0e5));
  Start();
  EXPECT_EQ(analyzer->Factor(0, 0), 2.8167088586183238);  // ../expected_values.py
  EXPECT_EQ(Cells(*ResultsGrid())[1],
            (Row{L"R 1-2", L"[A] - [B]", L"2.82", L"10.00", L"10.00", L"Normal"}));
}

}  // namespace
}  // namespace orlo::test
