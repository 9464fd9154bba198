// Stories about what the correlation analysis computes and concludes for each sweep pair.
// Expected statistics and magnitude differences come from expected_values.py in this
// folder, an implementation of the documented arithmetic independent of the module.
#include <array>
#include <cmath>

#include "tests/module/xcorr/XCorrScenario.h"

namespace orlo::test {
namespace {

using XCorrEvaluation = XCorrScenario;
using Row = std::vector<std::wstring>;
using Grid = std::vector<Row>;

// Statistics of the three phases A, B, C (pairs AB, BC, CA) in the default bands.
constexpr double kLrxyAbLf = 0.9984728204737375;  // LRxy, pair A-B, band LF
constexpr double kNcepriAb = 0.1256188982292646;  // NCEPRI, pair A-B, 10 kHz - 700 kHz

TEST_F(XCorrEvaluation, EveryTechniqueGivesTheArithmeticBitForBit) {
  struct Case {
    const char* set;
    std::array<std::vector<double>, 3> values;
    std::array<const wchar_t*, 3> conclusions;
  };
  const Case cases[] = {
      {"LRxy",
       {{{kLrxyAbLf, 0.9932452765791834, 0.984286287133267},
         {0.9892238760806424, 0.9178131371054984, 0.8286527774386394},
         {0.9929986353668366, 0.9498559193235365, 0.9129011391404743}}},
       {L"Normal", L"Suspected Distortion", L"Normal"}},
      {"RXy",
       {{{2.8161099068320663, 2.1703924289176384, 1.8037211868874938},
         {1.9675374231143439, 1.0851975964306018, 0.7661229308375632},
         {2.1548173035725897, 1.2997803264775631, 1.0599875249654398}}},
       {L"Normal", L"Suspected Distortion", L"Normal"}},
      {"NCEPRI",
       {{{kNcepriAb}, {1.2280006122287173}, {0.7006221989687478}}},
       {L"Normal", L"Normal", L"Normal"}},
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
    EXPECT_EQ(analyzer->GetConclusionText(), c.conclusions[0]);
  }
}

// Each case judges the statistic of the pair A-B (x under LRxy and RXy, y under NCEPRI)
// with bands whose thresholds lie exactly on or around it, to show which side of each
// threshold counts; a band beyond the sweeps gives an error value.
TEST_F(XCorrEvaluation, EachBandIsJudgedByItsCriteriaInTheirOrder) {
  struct Case {
    const char* set;
    std::vector<BandSpec> bands;
    std::vector<std::wstring> values;      // criteria "Value" cell of each band row
    std::vector<std::vector<int>> greyed;  // greyed columns of each band row
    const wchar_t* conclusion;
  };
  const double x = kLrxyAbLf, y = kNcepriAb;
  const double lf[] = {1000, 100000}, wide[] = {10000, 700000}, out[] = {3.0e6, 4.0e6};
  const auto pair = [](double a, double b) { return std::optional{std::pair{a, b}}; };
  const std::optional<double> off;
  const Case cases[] = {
      // Normal from its threshold on; the Suspect end, the Obvious end and a Normal-only
      // threshold above the value count for nothing.
      {"LRxy",
       {{"N", lf[0], lf[1], x, pair(x - 0.1, x), x - 0.1}, {"E", lf[0], lf[1], off, pair(x - 0.1, x), off},
        {"O", lf[0], lf[1], x + 0.2, pair(x + 0.1, x + 0.2), x}, {"H", lf[0], lf[1], x + 1e-3, {}, off}},
       {L"0.9985", L"0.9985", L"0.9985", L"0.9985"}, {{5}, {2}, {2}, {2}}, L"Normal"},
      // Suspect from its start, before Obvious; Obvious below its end.
      {"LRxy", {{"S", lf[0], lf[1], x + 0.1, pair(x, x + 0.1), x + 0.1}}, {L"0.9985"}, {{4}},
       L"Suspected Distortion"},
      {"LRxy", {{"O", lf[0], lf[1], x + 0.2, pair(x + 0.1, x + 0.2), x + 0.1}}, {L"0.9985"}, {{3}},
       L"Obvious Distortion"},
      // An error value is an error even where it meets Normal; RXy turns it into R = 10.
      {"LRxy", {{"N", lf[0], lf[1], x, {}, off}, {"X", out[0], out[1], 0.0, {}, off}},
       {L"0.9985", L""}, {{5}, {2}}, L"Error"},
      {"RXy", {{"X", out[0], out[1], 2.0, pair(1.0, 2.0), 1.0}}, {L"10.00"}, {{5}}, L"Normal"},
      // NCEPRI: Normal up to its threshold, neither the Slight end nor the Serious end
      // counts; Slight up to its start; Serious above its end; an error value is an error.
      {"NCEPRI",
       {{"N", wide[0], wide[1], y, pair(y + 1, y), y + 1}, {"E", wide[0], wide[1], off, pair(y + 0.1, y), off},
        {"O", wide[0], wide[1], y - 0.2, pair(y - 0.1, y - 0.2), y}},
       {L"0.13", L"0.13", L"0.13"}, {{5}, {2}, {2}}, L"Normal"},
      {"NCEPRI", {{"S", wide[0], wide[1], y - 0.1, pair(y, y - 0.1), y}}, {L"0.13"}, {{4}},
       L"Slight Distortion"},
      {"NCEPRI", {{"O", wide[0], wide[1], y - 0.2, pair(y - 0.1, y - 0.2), y - 0.1}}, {L"0.13"},
       {{3}}, L"Serious Distortion"},
      {"NCEPRI", {{"X", out[0], out[1], 1e39, {}, off}}, {L""}, {{2}}, L"Error"},
  };

  host.AddThreePhases();
  host.Graph().SetVisibleSweeps({L"A", L"B"});
  WriteSettings("LRxy");
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.values) + " " + c.set);
    WriteSettings(c.set, true, 0.25, c.bands);
    SettingsChange();
    std::vector<std::wstring> values;
    for (const auto& row : Cells(*CriteriaGrid())) values.push_back(row[2]);
    EXPECT_EQ(std::vector(values.begin() + 1, values.end()), c.values);
    EXPECT_EQ(GreyedColumns(*CriteriaGrid()), c.greyed);
    EXPECT_EQ(ResultsGrid()->GetItemText(1, 2), c.conclusion);
    EXPECT_EQ(analyzer->GetConclusionText(), c.conclusion);
  }
  // Two visible sweeps: only pair 1-2 is evaluated; rows 2 and 3 keep their labels only.
  EXPECT_FALSE(analyzer->IsPairEvaluated(1) || analyzer->IsPairEvaluated(2));
  for (int row = 2; row <= 3; ++row) {
    const auto cells = Cells(*ResultsGrid())[row];
    EXPECT_EQ(std::vector(cells.begin() + 1, cells.end()), std::vector<std::wstring>(4)) << row;
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
    host.AddSweep(MakeSweep(name, [ratio](double) { return ratio; }, 200, 100.0, 1.0e5));
  }
  WriteSettings("LRxy", false, 0.25, std::vector<BandSpec>{});
  Start();

  // Off: three columns, the line and its display hidden, no magnitude texts.
  EXPECT_EQ(Cells(*ResultsGrid()),
            (Grid{{L"Id", L"Name", L"Conclusion"},
                                                    {L"R 1-2", L"[A] - [B]", L""},
                                                    {L"R 2-3", L"[B] - [C]", L""},
                                                    {L"R 3-1", L"[C] - [A]", L""}}));
  EXPECT_EQ(std::pair(analyzer->MagnDiffLine()->State(), analyzer->MagnDiffItem()->State()), std::pair(0, 0));
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
            (Grid{
                {L"Id", L"Name", L"Conclusion", L"Magn. Diff.", L"Magn. Diff. Concl."},
                {L"R 1-2", L"[A] - [B]", L"", L"0.25", L"Pass"},  // |d| equal to the limit
                {L"R 2-3", L"[B] - [C]", L"", L"0.01", L"Pass"},
                {L"R 3-1", L"[C] - [A]", L"", L"-0.26", L"Fail"}}));
  EXPECT_EQ(std::pair(analyzer->MagnDiffLine()->State(), analyzer->MagnDiffItem()->State()), std::pair(1, 1));
  EXPECT_EQ(analyzer->GetMagnitudeDifferenceText(), L"Pass");

  WriteSettings("LRxy", true, std::nextafter(0.25, 0.0), std::vector<BandSpec>{});
  SettingsChange();
  EXPECT_EQ(ResultsGrid()->GetItemText(1, 4), L"Fail");
  EXPECT_EQ(analyzer->GetMagnitudeDifferenceText(), L"Fail");

  // No defined crossing (E starts below -20 dB and rises), and a sweep (D) that ends
  // before 2 kHz: the upper edge is not on the merged grid.
  host.AddSweep(MakeSweep("E", [](double f) { return f < 300.0 ? 0.03 : 1.0; }, 200, 100.0, 1.0e5));
  host.AddSweep(MakeSweep("D", [](double) { return 1.0; }, 50, 100.0, 1500.0));
  host.Graph().SetVisibleSweeps({L"E", L"A", L"D"});
  EXPECT_EQ(Bits(analyzer->MagnDiff(0)), Bits(9e99));
  EXPECT_EQ(Bits(analyzer->MagnDiff(1)), Bits(3.099999992159408e38));
  EXPECT_EQ(Cells(*ResultsGrid())[1], (Row{L"R 1-2", L"[E] - [A]", L"", L"", L"Error"}));
  EXPECT_EQ(Cells(*ResultsGrid())[2], (Row{L"R 2-3", L"[A] - [D]", L"", L"", L"Out-of-Range"}));
  EXPECT_EQ(analyzer->MagnDiffText(2), L"Out-of-Range");

  // F is below -20 dB under 105 Hz, outside the span that starts at 110 Hz, and falls
  // through -20 dB at 500 Hz inside it: the difference is read there.
  host.AddSweep(MakeSweep("F", [](double f) { return f >= 105.0 && f < 500.0 ? 1.0 : 0.03; },
                          200, 100.0, 1.0e5));
  host.Graph().SetVisibleSweeps({L"F", L"A"});
  EXPECT_NEAR(analyzer->MagnDiff(0), 20.0 * std::log10(0.03), 1e-5);
  EXPECT_EQ(analyzer->MagnDiffText(0), L"Fail");
}

}  // namespace
}  // namespace orlo::test
