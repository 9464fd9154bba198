// Stories about what the correlation analysis computes and concludes for each sweep pair.
// Expected statistics and magnitude differences come from expected_values.py in this
// folder, an implementation of the documented arithmetic independent of the module.
#include <array>
#include <cmath>

#include "tests/module/xcorr/XCorrScenario.h"

namespace orlo::test {
namespace {

using XCorrEvaluation = XCorrScenario;

// Statistics of the three phases A, B, C (pairs AB, BC, CA) in the default bands.
constexpr double kLrxyAbLf = 0.9984728204737375;  // LRxy, pair A-B, band LF
constexpr double kNcepriAb = 0.1256188982292646;  // NCEPRI, pair A-B, 10 kHz - 700 kHz

TEST_F(XCorrEvaluation, EveryTechniqueGivesTheArithmeticBitForBit) {
  struct Case {
    const char* set;
    std::array<std::vector<double>, 3> values;
    std::array<const wchar_t*, 3> conclusions;
    std::vector<const wchar_t*> pairOneValues;  // criteria "Value" cells of the selected pair
  };
  const Case cases[] = {
      {"LRxy",
       {{{kLrxyAbLf, 0.9932452765791834, 0.984286287133267},
         {0.9892238760806424, 0.9178131371054984, 0.8286527774386394},
         {0.9929986353668366, 0.9498559193235365, 0.9129011391404743}}},
       {L"Normal", L"Suspected Distortion", L"Normal"},
       {L"0.9985", L"0.9932", L"0.9843"}},
      {"RXy",
       {{{2.8161099068320663, 2.1703924289176384, 1.8037211868874938},
         {1.9675374231143439, 1.0851975964306018, 0.7661229308375632},
         {2.1548173035725897, 1.2997803264775631, 1.0599875249654398}}},
       {L"Normal", L"Suspected Distortion", L"Normal"},
       {L"2.82", L"2.17", L"1.80"}},
      {"NCEPRI",
       {{{kNcepriAb}, {1.2280006122287173}, {0.7006221989687478}}},
       {L"Normal", L"Normal", L"Normal"},
       {L"0.13"}},
  };
  // The magnitude difference does not depend on the technique.
  const double magnDiff[] = {-0.2050495147705078, 0.11087608337402344, 0.09417343139648438};
  const wchar_t* const magnDiffCells[] = {L"-0.21", L"0.11", L"0.09"};

  host.AddThreePhases();
  WriteSettings("RXy");
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    WriteSettings(c.set);
    SettingsChange();
    for (int pair = 0; pair < 3; ++pair) {
      ASSERT_EQ(analyzer->BandValues(pair).size(), c.values[pair].size());
      for (size_t band = 0; band < c.values[pair].size(); ++band) {
        EXPECT_EQ(Bits(analyzer->BandValues(pair)[band]), Bits(c.values[pair][band]))
            << pair << "/" << band;
      }
      EXPECT_EQ(Bits(analyzer->MagnDiff(pair)), Bits(magnDiff[pair])) << pair;
      const std::vector<std::wstring> row = Cells(*ResultsGrid())[pair + 1];
      EXPECT_EQ(row, (std::vector<std::wstring>{row[0], row[1], c.conclusions[pair],
                                                magnDiffCells[pair], L"Pass"}));
    }
    for (size_t band = 0; band < c.pairOneValues.size(); ++band) {
      EXPECT_EQ(CriteriaGrid()->GetItemText(static_cast<int>(band) + 1, 2), c.pairOneValues[band]);
    }
    EXPECT_EQ(analyzer->GetConclusionText(), c.conclusions[0]);
  }
}

// One band per line, each judging the same statistic of the pair A-B by its own criteria,
// placed exactly on or around the statistic to show which side of each threshold counts.
TEST_F(XCorrEvaluation, EachBandIsJudgedByItsCriteriaInTheirOrder) {
  struct Case {
    const char* story;
    const char* set;
    std::vector<BandSpec> bands;
    std::vector<std::wstring> values;      // criteria "Value" cell of each band row
    std::vector<std::vector<int>> greyed;  // greyed columns of each band row
    const wchar_t* conclusion;
  };
  const double x = kLrxyAbLf;
  const double lf[] = {1000, 100000};
  const double y = kNcepriAb;
  const double wide[] = {10000, 700000};
  const double outside[] = {3.0e6, 4.0e6};  // beyond the sweeps: an error value
  const auto pair = [](double a, double b) { return std::optional{std::pair{a, b}}; };
  const std::optional<double> off;
  const Case cases[] = {
      {"Normal from its threshold on; the Suspect end, the Obvious end and a Normal-only "
       "threshold above the value count for nothing",
       "LRxy",
       {{"N", lf[0], lf[1], x, pair(x - 0.1, x), x - 0.1},
        {"E", lf[0], lf[1], off, pair(x - 0.1, x), off},
        {"O", lf[0], lf[1], x + 0.2, pair(x + 0.1, x + 0.2), x},
        {"H", lf[0], lf[1], x + 1e-3, {}, off}},
       {L"0.9985", L"0.9985", L"0.9985", L"0.9985"},
       {{5}, {2}, {2}, {2}},
       L"Normal"},
      {"Suspect from its start, before Obvious",
       "LRxy",
       {{"S", lf[0], lf[1], x + 0.1, pair(x, x + 0.1), x + 0.1}},
       {L"0.9985"},
       {{4}},
       L"Suspected Distortion"},
      {"Obvious below its end",
       "LRxy",
       {{"O", lf[0], lf[1], x + 0.2, pair(x + 0.1, x + 0.2), x + 0.1}},
       {L"0.9985"},
       {{3}},
       L"Obvious Distortion"},
      {"An error value is an error even where it meets Normal",
       "LRxy",
       {{"N", lf[0], lf[1], x, {}, off}, {"X", outside[0], outside[1], 0.0, {}, off}},
       {L"0.9985", L""},
       {{5}, {2}},
       L"Error"},
      {"RXy turns the error values into R = 10",
       "RXy",
       {{"X", outside[0], outside[1], 2.0, pair(1.0, 2.0), 1.0}},
       {L"10.00"},
       {{5}},
       L"Normal"},
      {"NCEPRI: Normal up to its threshold; neither the Slight end nor the Serious end counts",
       "NCEPRI",
       {{"N", wide[0], wide[1], y, pair(y + 1, y), y + 1},
        {"E", wide[0], wide[1], off, pair(y + 0.1, y), off},
        {"O", wide[0], wide[1], y - 0.2, pair(y - 0.1, y - 0.2), y}},
       {L"0.13", L"0.13", L"0.13"},
       {{5}, {2}, {2}},
       L"Normal"},
      {"NCEPRI: Slight up to its start",
       "NCEPRI",
       {{"S", wide[0], wide[1], y - 0.1, pair(y, y - 0.1), y}},
       {L"0.13"},
       {{4}},
       L"Slight Distortion"},
      {"NCEPRI: Serious above its end",
       "NCEPRI",
       {{"O", wide[0], wide[1], y - 0.2, pair(y - 0.1, y - 0.2), y - 0.1}},
       {L"0.13"},
       {{3}},
       L"Serious Distortion"},
      {"NCEPRI: an error value is an error even where it meets Normal",
       "NCEPRI",
       {{"X", outside[0], outside[1], 1e39, {}, off}},
       {L""},
       {{2}},
       L"Error"},
  };

  host.AddThreePhases();
  host.Graph().SetVisibleSweeps({L"A", L"B"});
  WriteSettings("LRxy");
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.story);
    WriteSettings(c.set, true, 0.25, c.bands);
    SettingsChange();
    std::vector<std::wstring> values;
    for (int row = 1; row < CriteriaGrid()->GetRowCount(); ++row) {
      values.push_back(CriteriaGrid()->GetItemText(row, 2));
    }
    EXPECT_EQ(values, c.values);
    EXPECT_EQ(GreyedCriteria(), c.greyed);
    EXPECT_EQ(analyzer->ConclusionText(0), c.conclusion);
    EXPECT_EQ(ResultsGrid()->GetItemText(1, 2), c.conclusion);
    EXPECT_EQ(analyzer->GetConclusionText(), c.conclusion);
    // Two visible sweeps: only pair 1-2 is evaluated; rows 2 and 3 keep their labels only.
    EXPECT_FALSE(analyzer->IsPairEvaluated(1) || analyzer->IsPairEvaluated(2));
    for (int row = 2; row <= 3; ++row) {
      for (int column = 1; column < 5; ++column) {
        EXPECT_EQ(ResultsGrid()->GetItemText(row, column), L"") << row << "/" << column;
      }
    }
  }
}

// Bands with all three criteria off: under LRxy and RXy a statistic from 0 on is below
// Normal and never a conclusion; under NCEPRI a statistic at or below 0 is Slight.
TEST_F(XCorrEvaluation, BandsWithoutCriteriaConcludeOnlyUnderNcepriAtZero) {
  host.AddThreePhases();
  host.AddSweep(MakeSweep("A again", [](double f) { return WindingResponse(f); }));
  host.Graph().SetVisibleSweeps({L"A", L"B", L"A again"});  // pair 3-1 compares A with itself
  const std::vector<BandSpec> bare = {{"1", 1000, 100000, {}, {}, {}},
                                      {"2", 10000, 700000, {}, {}, {}}};
  const std::vector<std::pair<const char*, std::array<const wchar_t*, 3>>> cases = {
      {"LRxy", {L"", L"", L""}},
      {"RXy", {L"", L"", L""}},
      {"NCEPRI", {L"", L"", L"Slight Distortion"}},
  };
  WriteSettings("LRxy");
  Start();
  for (const auto& [set, conclusions] : cases) {
    SCOPED_TRACE(set);
    WriteSettings(set, true, 0.25, bare);
    SettingsChange();
    for (int pair = 0; pair < 3; ++pair) {
      EXPECT_EQ(analyzer->ConclusionText(pair), conclusions[pair]) << pair;
    }
  }
  EXPECT_EQ(analyzer->BandValues(2), (std::vector<double>{0.0, 0.0}));
}

// Flat sweeps at 0 dB (A), -0.25 dB (B) and -0.26 dB (C): the reference never falls to
// -20 dB, so each pair's difference is read at the last point of the span.
TEST_F(XCorrEvaluation, MagnitudeDifferenceVerdictsAndItsSwitch) {
  for (const auto& [name, level] : {std::pair{"A", 0.0}, {"B", -0.25}, {"C", -0.26}}) {
    const double ratio = std::pow(10.0, level / 20.0);
    host.AddSweep(MakeSweep(
        name, [ratio](double) { return ratio; }, 200, 100.0, 1.0e5));
  }
  WriteSettings("LRxy", false, 0.25, std::vector<BandSpec>{});
  Start();

  // Off: three columns, the line and its display hidden, no magnitude texts.
  EXPECT_EQ(Cells(*ResultsGrid()),
            (std::vector<std::vector<std::wstring>>{{L"Id", L"Name", L"Conclusion"},
                                                    {L"R 1-2", L"[A] - [B]", L""},
                                                    {L"R 2-3", L"[B] - [C]", L""},
                                                    {L"R 3-1", L"[C] - [A]", L""}}));
  EXPECT_EQ(analyzer->MagnDiffLine()->State(), 0);
  EXPECT_EQ(analyzer->MagnDiffItem()->State(), 0);
  EXPECT_EQ(analyzer->MagnDiffItem()->Text(), L"");
  EXPECT_EQ(analyzer->GetMagnitudeDifferenceText(), std::nullopt);

  // Switched on by a settings change: five columns with every pair's values at once.
  WriteSettings("LRxy", true, 0.25, std::vector<BandSpec>{});
  SettingsChange();
  const double differences[] = {0.25, 0.01000019907951355, -0.26000019907951355};
  for (int pair = 0; pair < 3; ++pair) {
    EXPECT_EQ(Bits(analyzer->MagnDiff(pair)), Bits(differences[pair])) << pair;
  }
  EXPECT_EQ(Cells(*ResultsGrid()),
            (std::vector<std::vector<std::wstring>>{
                {L"Id", L"Name", L"Conclusion", L"Magn. Diff.", L"Magn. Diff. Concl."},
                {L"R 1-2", L"[A] - [B]", L"", L"0.25", L"Pass"},  // |d| equal to the limit
                {L"R 2-3", L"[B] - [C]", L"", L"0.01", L"Pass"},
                {L"R 3-1", L"[C] - [A]", L"", L"-0.26", L"Fail"}}));
  EXPECT_EQ(analyzer->MagnDiffLine()->State(), 1);
  EXPECT_EQ(analyzer->MagnDiffItem()->State(), 1);
  EXPECT_EQ(analyzer->GetMagnitudeDifferenceText(), L"Pass");

  WriteSettings("LRxy", true, std::nextafter(0.25, 0.0), std::vector<BandSpec>{});
  SettingsChange();
  EXPECT_EQ(ResultsGrid()->GetItemText(1, 4), L"Fail");
  EXPECT_EQ(analyzer->GetMagnitudeDifferenceText(), L"Fail");

  // No defined crossing (E starts below -20 dB and rises), and a sweep (D) that ends
  // before 2 kHz: the upper edge is not on the merged grid.
  host.AddSweep(MakeSweep(
      "E", [](double f) { return f < 300.0 ? 0.03 : 1.0; }, 200, 100.0, 1.0e5));
  host.AddSweep(MakeSweep(
      "D", [](double) { return 1.0; }, 50, 100.0, 1500.0));
  host.Graph().SetVisibleSweeps({L"E", L"A", L"D"});
  EXPECT_EQ(Bits(analyzer->MagnDiff(0)), Bits(9e99));
  EXPECT_EQ(Bits(analyzer->MagnDiff(1)), Bits(3.099999992159408e38));
  EXPECT_EQ(Cells(*ResultsGrid())[1],
            (std::vector<std::wstring>{L"R 1-2", L"[E] - [A]", L"", L"", L"Error"}));
  EXPECT_EQ(Cells(*ResultsGrid())[2],
            (std::vector<std::wstring>{L"R 2-3", L"[A] - [D]", L"", L"", L"Out-of-Range"}));
  EXPECT_EQ(analyzer->MagnDiffText(2), L"Out-of-Range");
}

}  // namespace
}  // namespace orlo::test
