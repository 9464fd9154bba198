// Stories about the report parameters of the correlation analysis. The band values are the
// statistics of expected_values.py in this folder, rounded to two decimals; the names carry
// the colours the graph plug-in gives the first three sweeps.
#include "tests/module/xcorr/XCorrScenario.h"

namespace orlo::test {
namespace {

using XCorrReport = XCorrScenario;

TEST_F(XCorrReport, EveryEvaluatedPairReportsItsBandsConclusionAndNamesInOrder) {
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
  SettingsChange();
  EXPECT_EQ(host.StartReport(), (std::vector<std::wstring>{
                L"XCorrAnalyser.R 1_2.RLF=2.82", L"XCorrAnalyser.R 1_2.RMF=2.17",
                L"XCorrAnalyser.R 1_2.RX=10.00", L"XCorrAnalyser.R 1_2.Conclusion=Normal",
                L"XCorrAnalyser.R 1_2.Name1=A#FF0000", L"XCorrAnalyser.R 1_2.Name2=B#009600",
                L"XCorrAnalyser.R 2_3.RLF=1.97", L"XCorrAnalyser.R 2_3.RMF=1.09",
                L"XCorrAnalyser.R 2_3.RX=10.00",
                L"XCorrAnalyser.R 2_3.Conclusion=Suspected Distortion",
                L"XCorrAnalyser.R 2_3.Name1=B#009600", L"XCorrAnalyser.R 2_3.Name2=C#0000FF",
                L"XCorrAnalyser.R 3_1.RLF=2.15", L"XCorrAnalyser.R 3_1.RMF=1.30",
                L"XCorrAnalyser.R 3_1.RX=10.00", L"XCorrAnalyser.R 3_1.Conclusion=Normal",
                L"XCorrAnalyser.R 3_1.Name1=C#0000FF", L"XCorrAnalyser.R 3_1.Name2=A#FF0000"}));

  // Under LRxy the band beyond the sweeps is an error value: empty, and the pair's "Error".
  WriteSettings("LRxy", true, 0.25, std::vector<BandSpec>{{"X", 3.0e6, 4.0e6, 0.6, {}, {}}});
  SettingsChange();
  const std::vector<std::wstring> parameters = host.StartReport();
  ASSERT_EQ(parameters.size(), 12u);
  EXPECT_EQ(parameters[4], L"XCorrAnalyser.R 2_3.RX=");
  EXPECT_EQ(parameters[5], L"XCorrAnalyser.R 2_3.Conclusion=Error");
}

}  // namespace
}  // namespace orlo::test
