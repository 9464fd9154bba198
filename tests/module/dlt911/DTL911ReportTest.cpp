// Stories about the report parameters of the DL/T 911 analyzer.
#include "tests/module/dlt911/DTL911Scenario.h"

namespace orlo::test {
namespace {

using DTL911Report = DTL911Scenario;

TEST_F(DTL911Report, ThreeSweepsGiveEighteenParametersInPairOrder) {
  host.AddThreePhases();
  Start();

  // The factor texts as expected_factors.py computes them; the names with the colours the
  // graph plug-in gives the first three sweeps (COLORREF 0xFF0000, 0x009600, 0x0000FF).
  EXPECT_EQ(host.StartReport(), (std::vector<std::wstring>{
                      L"DTL_911.R 1_2.Rlf=2.82", L"DTL_911.R 1_2.Rmf=2.17",
                      L"DTL_911.R 1_2.Rhf=1.80", L"DTL_911.R 1_2.Conclusion=Normal",
                      L"DTL_911.R 1_2.Name1=A#FF0000", L"DTL_911.R 1_2.Name2=B#009600",
                      L"DTL_911.R 2_3.Rlf=1.97", L"DTL_911.R 2_3.Rmf=1.09",
                      L"DTL_911.R 2_3.Rhf=0.77", L"DTL_911.R 2_3.Conclusion=Light Distortion",
                      L"DTL_911.R 2_3.Name1=B#009600", L"DTL_911.R 2_3.Name2=C#0000FF",
                      L"DTL_911.R 3_1.Rlf=2.15", L"DTL_911.R 3_1.Rmf=1.30",
                      L"DTL_911.R 3_1.Rhf=1.06", L"DTL_911.R 3_1.Conclusion=Normal",
                      L"DTL_911.R 3_1.Name1=C#0000FF", L"DTL_911.R 3_1.Name2=A#FF0000"}));
  EXPECT_EQ(host.Report().Parameters().size(), 18u);
}

}  // namespace
}  // namespace orlo::test
