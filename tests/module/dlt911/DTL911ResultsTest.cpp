// Stories about what the DL/T 911 analyzer computes and shows in its grids.
#include "module/dlt911/DTL911Verdict.h"
#include "platform/common/Bus.h"
#include "platform/common/Services.h"
#include "platform/common/UserActions.h"
#include "tests/module/dlt911/DTL911Scenario.h"

namespace orlo::test {
namespace {

using DTL911Results = DTL911Scenario;

TEST_F(DTL911Results, ThreeIdenticalSweepsAreNormalEverywhere) {
  for (const char* name : {"A", "B", "C"}) {
    host.AddSweep(MakeSweep(name, [](double f) { return WindingResponse(f); }));
  }
  Start();

  for (int pair = 0; pair < 3; ++pair) {
    for (int band = 0; band < 3; ++band) {
      EXPECT_EQ(analyzer->Factor(pair, band), 10.0);
      EXPECT_EQ(analyzer->FactorText(pair, band), L"10.00");
      EXPECT_EQ(ResultsGrid()->GetItemText(pair + 1, band + 2), L"10.00");
    }
    EXPECT_EQ(analyzer->Conclusion(pair), L"Normal");
    EXPECT_EQ(ResultsGrid()->GetItemText(pair + 1, 5), L"Normal");
  }
  EXPECT_EQ(ResultsGrid()->GetItemText(1, 1), L"[A] - [B]");
  EXPECT_EQ(ResultsGrid()->GetItemText(2, 1), L"[B] - [C]");
  EXPECT_EQ(ResultsGrid()->GetItemText(3, 1), L"[C] - [A]");
  EXPECT_EQ(ResultsGrid()->GetSelectedRow(), 1);
  EXPECT_EQ(analyzer->GetConclusionText(), L"Normal");
  for (int row = 1; row <= 3; ++row) {
    EXPECT_EQ(CriteriaGrid()->GetItemText(row, 1), L"10.00");
    EXPECT_EQ(CriteriaGrid()->GetItemBkColour(row, 5), 0x808080u);
  }
}

TEST_F(DTL911Results, FactorsAreTheArithmeticBitForBit) {
  host.AddThreePhases();
  Start();
  const wchar_t* const names[] = {L"A", L"B", L"C"};
  for (int pair = 0; pair < 3; ++pair) {
    const std::wstring a = names[dlt911::kPairs[pair].slotA];
    const std::wstring b = names[dlt911::kPairs[pair].slotB];
    for (int band = 0; band < 3; ++band) {
      const double expected = DirectFactor(a, b, band);
      EXPECT_EQ(Bits(analyzer->Factor(pair, band)), Bits(expected)) << pair << "/" << band;
      EXPECT_EQ(analyzer->FactorText(pair, band), OxFormatValue(expected, 2, 4, 2));
    }
    const auto verdict = dlt911::ClassifyFactors(
        analyzer->Factor(pair, 0), analyzer->Factor(pair, 1), analyzer->Factor(pair, 2));
    EXPECT_EQ(analyzer->Conclusion(pair), CGettext::Get().Translate(dlt911::VerdictText(verdict)));
    EXPECT_LT(analyzer->Factor(pair, 0), 10.0);  // the story's curves differ
  }
  // The criteria grid greys, for the selected pair, the cell each factor falls into.
  for (int row = 1; row <= 3; ++row) {
    const int column = dlt911::MatchingCriteriaColumn(row, analyzer->Factor(0, row - 1));
    for (int c = 1; c <= 5; ++c) {
      EXPECT_EQ(CriteriaGrid()->GetItemBkColour(row, c) == 0x808080u, c == column)
          << row << "/" << c;
    }
    EXPECT_EQ(CriteriaGrid()->GetItemText(row, 1), analyzer->FactorText(0, row - 1));
  }
}

TEST_F(DTL911Results, ReorderedNamesRecomputeEveryPairAndAFourthSweepIsIgnored) {
  host.AddThreePhases();
  host.AddSweep(MakeSweep("D", [](double f) { return WindingResponse(f, 0.05, 3); }));
  Start();
  const double expected = DirectFactor(L"B", L"A", dlt911::kBandLf);
  BusRecorder bus;
  host.Graph().SetVisibleSweeps({L"B", L"A", L"C", L"D"});
  EXPECT_EQ(bus.SummariesTo(host.Listener(), L"GRAPH_AcquireRawData"),
            (std::vector<std::wstring>{L"B", L"A", L"A", L"C", L"C", L"B", L"B", L"A"}));
  EXPECT_EQ(Bits(analyzer->Factor(0, dlt911::kBandLf)), Bits(expected));
  EXPECT_EQ(ResultsGrid()->GetItemText(1, 1), L"[B] - [A]");
}

TEST_F(DTL911Results, TwoVisibleSweepsFillAndReportOnlyTheFirstPair) {
  host.AddSweep(MakeSweep("A", [](double f) { return WindingResponse(f); }));
  host.AddSweep(MakeSweep("B", [](double f) { return WindingResponse(f, 0.01, 1); }));
  Start();
  EXPECT_FALSE(analyzer->Conclusion(0).empty());
  for (int row = 2; row <= 3; ++row) {
    EXPECT_EQ(ResultsGrid()->GetItemText(row, 0), row == 2 ? L"R 2-3" : L"R 3-1");
    for (int column = 1; column <= 5; ++column)
      EXPECT_EQ(ResultsGrid()->GetItemText(row, column), L"");
  }
  EXPECT_EQ(ResultsGrid()->GetSelectedRow(), 1);
  EXPECT_EQ(analyzer->SweepNameA(), L"A");
  EXPECT_EQ(analyzer->SweepNameB(), L"B");
  ASSERT_EQ(analyzer->GetComputedPairs().size(), 1u);
  EXPECT_EQ(analyzer->GetComputedPairs()[0].statistics[2].value, analyzer->Factor(0, 2));

  host.Report().StartReport();
  ASSERT_EQ(host.Report().Parameters().size(), 6u);
  for (const auto& parameter : host.Report().Parameters()) {
    EXPECT_TRUE(parameter.name.starts_with(L"DTL_911.R 1_2.")) << parameter.name;
  }
}

TEST_F(DTL911Results, SweepsEndingBelowTheHighBandGiveTenThere) {
  const auto a = [](double f) { return WindingResponse(f); };
  const auto b = [](double f) { return WindingResponse(f, 0.01, 1); };
  host.AddSweep(MakeSweep("A", a, 400, 100.0, 5.0e5));
  host.AddSweep(MakeSweep("B", b, 400, 100.0, 5.0e5));
  Start();
  EXPECT_EQ(analyzer->Factor(0, dlt911::kBandHf), 10.0);
  EXPECT_EQ(analyzer->FactorText(0, dlt911::kBandHf), L"10.00");
  const auto verdict =
      dlt911::ClassifyFactors(analyzer->Factor(0, 0), analyzer->Factor(0, 1), 10.0);
  EXPECT_EQ(analyzer->Conclusion(0), CGettext::Get().Translate(dlt911::VerdictText(verdict)));
}

TEST_F(DTL911Results, OpenedFileRecomputesEvenWithUnchangedNames) {
  host.AddThreePhases();
  Start();
  BusRecorder bus;
  ORLOSendMessage("GRAPH_VisibleCurveCount", nullptr);
  ORLOSendMessage("ORLO_CloseFile", nullptr);
  EXPECT_EQ(bus.CountTo(host.Listener(), L"GRAPH_AcquireRawData"), 0);
  ORLOSendMessage("ORLO_OpenedFile", nullptr);
  EXPECT_EQ(bus.CountTo(host.Listener(), L"GRAPH_AcquireRawData"), 8);  // 3 pairs + row 1 drawn
  EXPECT_EQ(analyzer->Conclusion(2).empty(), false);
}

TEST_F(DTL911Results, HeaderClicksAndCriteriaNotificationsKeepThePair) {
  host.AddThreePhases();
  Start();
  ASSERT_TRUE(user::ClickGridCell(analyzer->ResultsGridItem(), 2, 3));
  EXPECT_EQ(ResultsGrid()->GetSelectedRow(), 2);
  EXPECT_EQ(analyzer->SweepNameA(), L"B");
  EXPECT_EQ(analyzer->SweepNameB(), L"C");
  EXPECT_EQ(analyzer->GetConclusionText(), analyzer->Conclusion(1));
  EXPECT_EQ(CriteriaGrid()->GetItemText(1, 1), analyzer->FactorText(1, 0));

  BusRecorder bus;
  user::ClickGridCell(analyzer->ResultsGridItem(), 0, 2);
  user::ClickGridCell(analyzer->CriteriaGridItem(), 1, 2);
  user::ClickGridCell(analyzer->CriteriaGridItem(), 3, 1);
  EXPECT_TRUE(bus.Records().empty());
  EXPECT_EQ(ResultsGrid()->GetSelectedRow(), 2);
  EXPECT_EQ(analyzer->SweepNameA(), L"B");
  EXPECT_EQ(analyzer->GetConclusionText(), analyzer->Conclusion(1));
}

}  // namespace
}  // namespace orlo::test
