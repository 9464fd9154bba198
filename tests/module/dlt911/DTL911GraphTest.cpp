// Stories about the DL/T 911 analyzer's graph: set-up, band ranges, the curves of the
// selected pair and their redraw when sweeps change.
#include <cmath>
#include <tuple>

#include "platform/common/Bus.h"
#include "platform/common/DataItem.h"
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

  auto louder = sweep.points;
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

}  // namespace
}  // namespace orlo::test
