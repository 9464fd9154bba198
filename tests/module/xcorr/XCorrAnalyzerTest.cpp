// Stories about the correlation analysis: what it computes, concludes and reports for each
// sweep pair, and what it shows (the criteria grid of each set, the band ranges in the graph
// and the redraw of changed sweeps). Expected statistics and magnitude differences come from
// ../expected_values.py, an implementation of the documented arithmetic independent of the
// module.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "module/bands/SettingsFile.h"
#include "module/bands/StatParams.h"
#include "module/xcorr/XCorrAnalyzer.h"
#include "platform/common/Bus.h"
#include "platform/common/GuiItem.h"
#include "platform/common/UserActions.h"
#include "platform/controls/GridCtrl.h"
#include "platform/win/MessageLoop.h"
#include "tests/support/BusRecorder.h"
#include "tests/support/GridText.h"
#include "tests/support/HostFixture.h"
#include "tests/support/SettingsFolder.h"

namespace orlo::test {
namespace {

// One band of a story; a criterion left out is off.
struct BandSpec {
  std::string label;
  double minFreq = 0.0;
  double maxFreq = 0.0;
  std::optional<double> normal;                      // normalStart
  std::optional<std::pair<double, double>> suspect;  // suspectStart, suspectEnd
  std::optional<double> obvious;                     // obviousEnd
};

inline std::wstring Wide(const std::string& text) { return {text.begin(), text.end()}; }

// A correlation analysis in the in-process host, with its own settings folder and the
// settings of a story written into it (how the file reads back is SettingsFileTest's).
class XCorrStory : public ::testing::Test {
 protected:
  void Start() { analyzer = host.Start<CXCorrAnalyzer>(); }

  // Writes the settings file: set `setName` current, with `bands` (its default bands when
  // not given) and no other set; once the analyzer runs, sends what the application sends
  // after its settings dialog closed.
  void WriteSettings(const std::string& setName, bool magnitudeDifference = true,
                            double limit = 0.25, std::optional<std::vector<BandSpec>> bands = {}) {
    XCorrSettings settings;
    settings.CurrentStatParam = StatParamFromName(Wide(setName));
    settings.MagnitudeDifference = magnitudeDifference;
    settings.MagnitudeDifferenceLimit = limit;
    CFreqBandArray& set = settings.StatParams[settings.CurrentStatParam].bands;
    if (!bands) AddDefaultBands(set, settings.CurrentStatParam);
    for (const BandSpec& b : bands.value_or(std::vector<BandSpec>{})) {
      const auto suspect = b.suspect.value_or(std::pair{0.0, 0.0});
      set.Add(new tagFREQBAND{Wide(b.label), b.minFreq, b.maxFreq, b.normal.has_value(), b.normal.value_or(0.0),
                              b.suspect.has_value(), suspect.first, suspect.second, b.obvious.has_value(),
                              b.obvious.value_or(0.0)});
    }
    ASSERT_TRUE(SaveAllSettings(settings));
    if (analyzer != nullptr) ORLOSendMessage("ANALYZER_SettingsChange", nullptr);
  }

  CGridCtrl* ResultsGrid() const { return analyzer->GetResultsGrid(); }
  CGridCtrl* CriteriaGrid() const { return analyzer->GetCriteriaGrid(); }

  SettingsFolder settings;  // before the host: the analyzer reads it when it starts
  HostFixture host;
  CXCorrAnalyzer* analyzer = nullptr;  // owned by the host fixture
};

using Row = std::vector<std::wstring>;
using Grid = std::vector<Row>;

// Statistics of the three phases A, B, C (pairs AB, BC, CA) in the default bands.
constexpr double kLrxyAbLf = 0.9984728204737375;  // LRxy, pair A-B, band LF
constexpr double kNcepriAb = 0.1256188982292646;  // NCEPRI, pair A-B, 10 kHz - 700 kHz

TEST_F(XCorrStory, EveryTechniqueGivesTheArithmeticBitForBit) {
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
    for (int pair = 0; pair < 3; ++pair) {
      EXPECT_EQ(analyzer->BandValues(pair), c.values[pair]) << pair;  // no zero, no NaN: exact
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
TEST_F(XCorrStory, EachBandIsJudgedByItsCriteriaInTheirOrder) {
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
    std::vector<std::wstring> values;
    for (const auto& row : Cells(*CriteriaGrid())) values.push_back(row[2]);
    EXPECT_EQ(std::vector(values.begin() + 1, values.end()), c.values);
    EXPECT_EQ(GreyedColumns(*CriteriaGrid()), c.greyed);
    EXPECT_EQ(ResultsGrid()->GetItemText(1, 2), c.conclusion);
    EXPECT_EQ(analyzer->GetConclusionText(), c.conclusion);
  }
  // Two visible sweeps: only pair 1-2 is evaluated; rows 2 and 3 keep their labels only.
  EXPECT_FALSE(analyzer->IsPairEvaluated(1) || analyzer->IsPairEvaluated(2));
  const Grid cells = Cells(*ResultsGrid());
  EXPECT_EQ((Grid(cells.begin() + 2, cells.end())), (Grid{{L"R 2-3", L"", L"", L"", L""}, {L"R 3-1", L"", L"", L"", L""}}));
}

// Bands with all three criteria off: under LRxy and RXy a statistic from 0 on is below
// Normal and never a conclusion; under NCEPRI a statistic at or below 0 is Slight.
TEST_F(XCorrStory, BandsWithoutCriteriaConcludeOnlyUnderNcepriAtZero) {
  host.AddThreePhases();
  host.AddSweep(MakeSweep("A again", [](double f) { return WindingResponse(f); }));
  host.Graph().SetVisibleSweeps({L"A", L"B", L"A again"});  // pair 3-1 compares A with itself
  const std::vector<BandSpec> bare = {{"1", 1000, 100000, {}, {}, {}},
                                      {"2", 10000, 700000, {}, {}, {}}};
  const std::pair<const char*, std::array<const wchar_t*, 3>> cases[] = {
      {"LRxy", {L"", L"", L""}}, {"RXy", {L"", L"", L""}}, {"NCEPRI", {L"", L"", L"Slight Distortion"}}};
  WriteSettings("LRxy");
  Start();
  for (const auto& [set, conclusions] : cases) {
    WriteSettings(set, true, 0.25, bare);
    for (int pair = 0; pair < 3; ++pair) EXPECT_EQ(analyzer->ConclusionText(pair), conclusions[pair]) << set << pair;
  }
  EXPECT_EQ(analyzer->BandValues(2), (std::vector<double>{0.0, 0.0}));
}

// Flat sweeps at 0 dB (A), -0.25 dB (B) and -0.26 dB (C): the reference never falls to
// -20 dB, so each pair's difference is read at the last point of the span.
TEST_F(XCorrStory, MagnitudeDifferenceVerdictsAndItsSwitch) {
  for (const auto& [name, level] : {std::pair{"A", 0.0}, {"B", -0.25}, {"C", -0.26}}) {
    const double ratio = std::pow(10.0, level / 20.0);
    host.AddSweep(MakeSweep(name, [ratio](double) { return ratio; }, 200, 100.0, 1.0e5));
  }
  WriteSettings("LRxy", false, 0.25, std::vector<BandSpec>{});
  Start();

  // Off: three columns, the line and its display hidden, no magnitude texts.
  EXPECT_EQ(Cells(*ResultsGrid()), (Grid{{L"Id", L"Name", L"Conclusion"}, {L"R 1-2", L"[A] - [B]", L""},
                                         {L"R 2-3", L"[B] - [C]", L""}, {L"R 3-1", L"[C] - [A]", L""}}));
  EXPECT_EQ(std::pair(analyzer->MagnDiffLine()->State(), analyzer->MagnDiffItem()->State()), std::pair(0, 0));
  EXPECT_EQ(analyzer->MagnDiffItem()->Text(), L"");
  EXPECT_EQ(analyzer->GetMagnitudeDifferenceText(), std::nullopt);

  // Switched on by a settings change: five columns with every pair's values at once.
  WriteSettings("LRxy", true, 0.25, std::vector<BandSpec>{});
  EXPECT_EQ((std::vector{analyzer->MagnDiff(0), analyzer->MagnDiff(1), analyzer->MagnDiff(2)}),
            (std::vector{0.25, 0.01000019907951355, -0.26000019907951355}));  // exact: no zero, no NaN
  EXPECT_EQ(Cells(*ResultsGrid()),
            (Grid{{L"Id", L"Name", L"Conclusion", L"Magn. Diff.", L"Magn. Diff. Concl."},
                {L"R 1-2", L"[A] - [B]", L"", L"0.25", L"Pass"},  // |d| equal to the limit
                {L"R 2-3", L"[B] - [C]", L"", L"0.01", L"Pass"},
                {L"R 3-1", L"[C] - [A]", L"", L"-0.26", L"Fail"}}));
  EXPECT_EQ(std::pair(analyzer->MagnDiffLine()->State(), analyzer->MagnDiffItem()->State()), std::pair(1, 1));
  EXPECT_EQ(analyzer->GetMagnitudeDifferenceText(), L"Pass");

  WriteSettings("LRxy", true, std::nextafter(0.25, 0.0), std::vector<BandSpec>{});
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

// The report parameters: the band values are the statistics above rounded to two decimals;
// the names carry the colours the graph plug-in gives the first three sweeps.
TEST_F(XCorrStory, EveryEvaluatedPairReportsItsBandsConclusionAndNamesInOrder) {
  host.AddThreePhases();
  host.Graph().SetVisibleSweeps({L"A", L"B"});
  WriteSettings("LRxy");
  Start();
  EXPECT_EQ(host.StartReport(), (std::vector<std::wstring>{
                L"XCorrAnalyser.R 1_2.RLF=1.00", L"XCorrAnalyser.R 1_2.RMF=0.99",
                L"XCorrAnalyser.R 1_2.RHF=0.98", L"XCorrAnalyser.R 1_2.Conclusion=Normal",
                L"XCorrAnalyser.R 1_2.Name1=A#FF0000", L"XCorrAnalyser.R 1_2.Name2=B#009600"}));

  // Three sweeps and three bands, the third beyond the sweeps (R = 10 there).
  host.Graph().SetVisibleSweeps({L"A", L"B", L"C"});
  WriteSettings("RXy", true, 0.25,
                std::vector<BandSpec>{{"LF", 1000, 100000, 2.0, std::pair{1.0, 2.0}, 1.0},
                                      {"MF", 100000, 600000, 1.0, std::pair{0.6, 1.0}, 0.6},
                                      {"X", 3.0e6, 4.0e6, 0.6, {}, {}}});
  // Every pair in turn (the order is the shared one DTL911Results pins); pair 2-3:
  const std::vector<std::wstring> all = host.StartReport();
  ASSERT_EQ(all.size(), 18u);
  EXPECT_EQ(std::vector(all.begin() + 6, all.begin() + 12),
            (std::vector<std::wstring>{L"XCorrAnalyser.R 2_3.RLF=1.97", L"XCorrAnalyser.R 2_3.RMF=1.09",
                                       L"XCorrAnalyser.R 2_3.RX=10.00",
                                       L"XCorrAnalyser.R 2_3.Conclusion=Suspected Distortion",
                                       L"XCorrAnalyser.R 2_3.Name1=B#009600",
                                       L"XCorrAnalyser.R 2_3.Name2=C#0000FF"}));

  // Under LRxy the band beyond the sweeps is an error value: empty, and the pair's "Error".
  WriteSettings("LRxy", true, 0.25, std::vector<BandSpec>{{"X", 3.0e6, 4.0e6, 0.6, {}, {}}});
  const std::vector<std::wstring> parameters = host.StartReport();
  ASSERT_EQ(parameters.size(), 12u);
  EXPECT_EQ(parameters[4], L"XCorrAnalyser.R 2_3.RX=");
  EXPECT_EQ(parameters[5], L"XCorrAnalyser.R 2_3.Conclusion=Error");
}

// The criteria grid spells out the rules of every band of the set (none without a settings
// file), with the Value of the pair shown (row 1 first, then the row clicked) and the
// criterion it meets greyed.
TEST_F(XCorrStory, CriteriaGridShowsTheRulesAndTheClickedPairsValues) {
  host.AddThreePhases();
  Start();  // without a settings file: no bands, every pair evaluated, nothing concluded
  EXPECT_EQ(CriteriaGrid()->GetRowCount(), 1);
  EXPECT_TRUE(host.Graph().GraphWindowOf(analyzer->GraphTarget())->Ranges().empty());
  EXPECT_TRUE(analyzer->IsPairEvaluated(0) && analyzer->IsPairEvaluated(1) && analyzer->IsPairEvaluated(2));
  EXPECT_EQ(ResultsGrid()->GetItemText(1, 2) + ResultsGrid()->GetItemText(2, 2) + ResultsGrid()->GetItemText(3, 2) +
                analyzer->GetConclusionText(), L"");
  EXPECT_EQ(analyzer->CurrentStatParam(), 0);

  WriteSettings("LRxy");
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
  EXPECT_EQ(Cells(*CriteriaGrid()),
      (Grid{{L"", L"Frequency", L"Value", L"Serious Distortion", L"Slight Distortion", L"Normal"},
            {L"NCEPRI", L"10 kHz - 700 kHz", L"0.70", L"Value > 7", L"7 >= Value > 3.5",
             L"3.5 >= Value"}}));
  EXPECT_EQ(GreyedColumns(*CriteriaGrid()), (std::vector<std::vector<int>>{{5}}));
}

TEST_F(XCorrStory, ElevenBandsCycleTheRangeColoursAndAnEarlierSetGoesFirst) {
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
  BusRecorder bus;
  WriteSettings("RXy");
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

TEST_F(XCorrStory, EverySlotHasItsCurveAndOnlyTheirUpdatesRedrawOncePerTick) {
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
  const host::SweepPoints& d = host.Graph().FindSweep(L"D")->points;
  std::vector<host::Sweep::Point> louder(d.begin(), d.end());
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
