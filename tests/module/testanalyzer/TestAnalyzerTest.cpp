// Stories about the test analyzer: the two sweeps a user selects in the graph, their
// difference and sliding correlation (bit for bit against a literal computation here), the
// two buttons, and the set-up of the three graphs.
#include "host/graph/GraphUserActions.h"
#include "module/testanalyzer/TestAnalyzer.h"
#include "platform/common/GuiItem.h"
#include "platform/common/UserActions.h"
#include "tests/support/HostFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace orlo::test {
namespace {

using Points = std::vector<host::CurvePoint>;
using Names = std::vector<std::wstring>;

// A sweep as the analyzer holds it: frequencies and magnitudes in dB (log10 in double of the
// float ratio, rounded to float, times 20 in float).
struct DbSweep {
  std::vector<float> f;
  std::vector<float> m;
};

DbSweep Decibels(const host::Sweep& sweep) {
  DbSweep db;
  for (const host::Sweep::Point& p : sweep.points) {
    db.f.push_back(p.frequency);
    db.m.push_back(20.0f * static_cast<float>(std::log10(static_cast<double>(p.magnitudeRatio))));
  }
  return db;
}

// A − B with the later-starting sweep as reference and the other interpolated between the
// neighbours found by the forward/backward search, written out literally.
Points ExpectedDifference(const DbSweep& a, const DbSweep& b) {
  const bool bIsReference = b.f[0] > a.f[0];
  const DbSweep& r = bIsReference ? b : a;
  const DbSweep& o = bIsReference ? a : b;
  const auto start = std::find_if(o.f.begin(), o.f.end(), [&](float f) { return f >= r.f[0]; });
  if (start == o.f.end()) return {};
  size_t k = start - o.f.begin();
  Points points;
  for (size_t i = 0; i < r.f.size(); ++i) {
    size_t up = k;
    while (up < o.f.size() && !(o.f[up] > r.f[i])) ++up;
    if (up == o.f.size()) up = k;
    size_t lo = up;
    while (lo > 0 && !(o.f[lo] <= r.f[i])) --lo;
    k = lo;
    const double x1 = o.f[lo], y1 = o.m[lo], x2 = o.f[up], y2 = o.m[up], fr = r.f[i];
    const double slope = (y2 - y1) / (x2 - x1);
    const double d = r.m[i] - (y2 - slope * x2 + slope * fr);
    if (x2 != x1) points.push_back({fr, bIsReference ? -d : d});
  }
  return points;
}

// Pearson r over windows of 50 points moved by 1, up to the shorter sweep's end; products
// rounded to float; windows without a finite r give no point.
Points ExpectedCorrelation(const DbSweep& a, const DbSweep& b) {
  if (a.m.size() <= 50 || b.m.size() <= 50) return {};
  const size_t n = std::min(a.m.size(), b.m.size());
  Points points;
  for (size_t s = 0; s < n; ++s) {
    const size_t e = std::min(s + 50, n);
    const double len = static_cast<double>(e - s);
    double sa = 0, sb = 0, sab = 0, qa = 0, qb = 0;
    for (size_t i = s; i < e; ++i) {
      sa += a.m[i];
      sb += b.m[i];
      const float product = a.m[i] * b.m[i];
      sab += product;
    }
    const double ma = sa / len, mb = sb / len, mab = sab / len;
    for (size_t i = s; i < e; ++i) {
      qa += (a.m[i] - ma) * (a.m[i] - ma);
      qb += (b.m[i] - mb) * (b.m[i] - mb);
    }
    const double r = (mab - ma * mb) / (std::sqrt(qb / len) * std::sqrt(qa / len));
    if (std::isfinite(r)) points.push_back({a.f[s], r});
  }
  return points;
}

Points MagnitudePoints(const DbSweep& sweep) {
  Points points;
  for (size_t i = 0; i < sweep.f.size(); ++i) points.push_back({sweep.f[i], sweep.m[i]});
  return points;
}

class TestAnalyzerStory : public ::testing::Test {
 protected:
  void Start() { analyzer = host.Start<CTestAnalyzer>(); }
  void Select(const std::vector<int>& numbers) { ASSERT_TRUE(user::SelectSweeps(host.Graph(), numbers)); }
  const host::CGraphWindow& Window(const CORLOGuiItem* graph) {
    const host::CGraphWindow* window = host.GraphWindowOf(graph);
    if (window == nullptr) throw std::runtime_error("graph item without a graph window");
    return *window;
  }
  HWND Target(const CORLOGuiItem* graph) { return Window(graph).m_hWnd; }
  // The points of curve `index` of a graph (empty when it has no such curve).
  Points CurvePoints(CORLOGuiItem* graph, size_t index = 0) {
    const auto& curves = Window(graph).Curves();
    return index < curves.size() ? curves[index].points : Points{};
  }
  size_t CurveCount() {
    return Window(analyzer->MagnitudeGraph()).Curves().size() +
           Window(analyzer->DifferenceGraph()).Curves().size() +
           Window(analyzer->CorrelationGraph()).Curves().size();
  }

  HostFixture host;
  CTestAnalyzer* analyzer = nullptr;
};

TEST_F(TestAnalyzerStory, SetsUpThreeGraphsTwoButtonsAndTheGraphButDrawsNothingUnasked) {
  host.AddSweep(MakeSweep("A", [](double f) { return WindingResponse(f); }, 80));
  host.AddSweep(MakeSweep("B", [](double f) { return WindingResponse(f, 0.1); }, 80));
  BusRecorder bus;
  Start();
  const Names shown{L"ORLO_ShowLegend", L"ORLO_ShowModels", L"ORLO_ShowActions"};
  for (size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(bus.SummariesTo(host.Listener(), shown[i]), Names{i == 1 ? L"0" : L"1"});
  }
  EXPECT_EQ(bus.NamesTo(host.Listener(), L"ORLO_Show").size(), 3u);
  EXPECT_EQ(host.Graph().MultiSelectMode(), 2);

  const std::pair<CORLOGuiItem*, std::wstring> graphs[] = {
      {analyzer->MagnitudeGraph(), L"Magnitude (dB)"},
      {analyzer->DifferenceGraph(), L"Difference"},
      {analyzer->CorrelationGraph(), L"Correlation"}};
  for (const auto& [graph, yLabel] : graphs) {
    const host::CGraphWindow& window = Window(graph);
    EXPECT_EQ(window.GraphType(), 100);
    for (const tagAXISLABEL& label : {window.AxisLabel(), window.CursorLabel()}) {
      EXPECT_EQ(label.graphType, 100);
      EXPECT_EQ(label.xLabel, L"Frequency (Hz)");
      EXPECT_EQ(label.yLabel, yLabel);
    }
    EXPECT_EQ(window.FixedValueRange().has_value(), graph == analyzer->CorrelationGraph());
  }
  const auto range = Window(analyzer->CorrelationGraph()).FixedValueRange();
  ASSERT_TRUE(range.has_value());
  EXPECT_EQ(std::bit_cast<std::uint32_t>(range->first), 0xBF99999Au);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(range->second), 0x3F99999Au);
  EXPECT_EQ(bus.NamesTo(Target(analyzer->CorrelationGraph())),
            (Names{L"GRAPH_SetGraphType", L"GRAPH_SetAxisLabel", L"GRAPH_SetCursorLabel",
                   L"GRAPH_GetAxisData", L"GRAPH_SetAxisData"}));

  EXPECT_EQ(analyzer->DoItButton()->Text(), L"Just DO IT!");
  EXPECT_EQ(analyzer->Test2Button()->Text(), L"Test 2");
  const CORLOGuiItem* row = analyzer->DoItButton()->Parent();
  EXPECT_EQ(row, analyzer->Test2Button()->Parent());
  EXPECT_EQ(row->Height(), 40);
  EXPECT_EQ(row->Orientation(), 1);
  std::vector<const CORLOGuiItem*> order;
  for (const auto& child : analyzer->GetPanel()->Children()) order.push_back(child.get());
  EXPECT_EQ(order, (std::vector<const CORLOGuiItem*>{analyzer->MagnitudeGraph(),
                                                     analyzer->DifferenceGraph(),
                                                     analyzer->CorrelationGraph(), row}));

  // The buttons do nothing before a pair was drawn.
  bus.Clear();
  EXPECT_TRUE(user::ClickButton(analyzer->DoItButton()));
  EXPECT_TRUE(user::ClickButton(analyzer->Test2Button()));
  EXPECT_TRUE(bus.Records().empty());
  EXPECT_EQ(CurveCount(), 0u);
}

struct PairCase {
  const char* story;
  int countA;
  double firstA, lastA;
  int countB;
  double firstB, lastB;
  double ratioB = 0.5;  // B's shape against A's
};

void PrintTo(const PairCase& c, std::ostream* out) { *out << c.story; }

class TestAnalyzerPair : public TestAnalyzerStory, public ::testing::WithParamInterface<PairCase> {};

// Sweep B is sweep A's smooth shape at a ratio, mostly sampled elsewhere: A − B is near
// -20 log10(ratio) whichever sweep is the reference.
TEST_P(TestAnalyzerPair, DrawsBothSweepsTheirDifferenceAndCorrelationExactly) {
  const PairCase& c = GetParam();
  const auto shape = [](double f) { return (1.0 + 0.3 * std::sin(3.0 * std::log10(f))) / (1.0 + f / 2e4); };
  host.AddSweep(MakeSweep("A", shape, c.countA, c.firstA, c.lastA));
  host.AddSweep(MakeSweep("B", [&](double f) { return c.ratioB * shape(f); }, c.countB, c.firstB, c.lastB));
  host.AddSweep(MakeSweep("C", shape, 60));
  Start();
  Select({1, 2});

  const DbSweep a = Decibels(*host.Graph().FindSweep(L"A"));
  const DbSweep b = Decibels(*host.Graph().FindSweep(L"B"));
  EXPECT_EQ(CurvePoints(analyzer->MagnitudeGraph(), 0), MagnitudePoints(a));
  EXPECT_EQ(CurvePoints(analyzer->MagnitudeGraph(), 1), MagnitudePoints(b));

  const Points difference = CurvePoints(analyzer->DifferenceGraph());
  EXPECT_EQ(difference, ExpectedDifference(a, b));
  for (const host::CurvePoint& p : difference) EXPECT_NEAR(p.y, -20 * std::log10(c.ratioB), 0.2) << p.x;

  ASSERT_EQ(Window(analyzer->CorrelationGraph()).Curves().size(), 1u);
  EXPECT_EQ(CurvePoints(analyzer->CorrelationGraph()), ExpectedCorrelation(a, b));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TestAnalyzerPair,
    ::testing::Values(PairCase{"B starts below A: A is the reference", 300, 1e3, 1e6, 257, 500, 2e6},
                      PairCase{"B starts above A: B is the reference", 300, 500, 2e6, 257, 1e3, 1e6},
                      PairCase{"A goes beyond B's end", 300, 1e3, 2e6, 257, 500, 1e5},
                      PairCase{"equal starts: A is the reference", 300, 1e3, 1e6, 200, 1e3, 2e6},
                      PairCase{"50 points: no correlation", 50, 1e3, 1e6, 120, 900, 1e6},
                      PairCase{"51 points each", 51, 1e3, 1e6, 51, 900, 1e6},
                      PairCase{"B shorter than A", 400, 1e3, 1e6, 90, 900, 1e6},
                      // The last point lies on the other sweep's last point (no upper
                      // neighbour) and the last window holds one point (no spread, as in
                      // any constant window): neither gives a point; the float products
                      // tell most in the short windows.
                      PairCase{"identical sweeps", 200, 100, 2e6, 200, 100, 2e6, 1.0}));

TEST_F(TestAnalyzerStory, AnyOtherSelectionDeletesEveryCurveAndDrawsNothing) {
  for (const char* name : {"A", "B", "C"}) {
    host.AddSweep(MakeSweep(name, [&](double f) { return WindingResponse(f, 0.01 * name[0]); }, 70));
  }
  Start();
  for (int cycle = 0; cycle < 3; ++cycle) {  // select, reselect, deselect
    Select({1 + cycle % 2, 3});
    ASSERT_EQ(CurveCount(), 4u);
    const CORLOGuiItem* graphs[] = {analyzer->MagnitudeGraph(), analyzer->DifferenceGraph(),
                                    analyzer->CorrelationGraph()};
    std::vector<Names> ids;
    for (const CORLOGuiItem* graph : graphs) {
      ids.emplace_back();
      for (const host::XYCurve& curve : Window(graph).Curves()) ids.back().push_back(curve.id);
    }

    BusRecorder bus;
    host.Graph().SetSelectedSweeps({L"A", L"B", L"C"});
    EXPECT_EQ(CurveCount(), 0u);
    for (size_t g = 0; g < 3; ++g) EXPECT_EQ(bus.SummariesTo(Target(graphs[g]), L"GRAPH_DeleteCurve"), ids[g]);
    EXPECT_EQ(bus.CountTo(host.Listener(), L"GRAPH_AcquireRawData"), 0);
    Select({2});
    EXPECT_EQ(CurveCount(), 0u);
  }
}

TEST_F(TestAnalyzerStory, Test2ThenJustDoItRedrawsFromTheDataHeld) {
  host.AddSweep(MakeSweep("A", [](double f) { return WindingResponse(f); }, 120));
  host.AddSweep(MakeSweep("B", [](double f) { return WindingResponse(f, 0.05, 1); }, 110, 150));
  Start();
  Select({1, 2});
  const Points difference = CurvePoints(analyzer->DifferenceGraph());
  const Points correlation = CurvePoints(analyzer->CorrelationGraph());
  ASSERT_FALSE(correlation.empty());

  BusRecorder bus;
  ASSERT_TRUE(user::ClickButton(analyzer->Test2Button()));
  EXPECT_TRUE(CurvePoints(analyzer->CorrelationGraph()).empty());
  EXPECT_EQ(Window(analyzer->CorrelationGraph()).Curves().size(), 1u);  // cleared, not deleted
  EXPECT_EQ(host.Graph().RepaintCount(), 2);
  ASSERT_TRUE(user::ClickButton(analyzer->DoItButton()));
  EXPECT_EQ(CurvePoints(analyzer->CorrelationGraph()), correlation);
  EXPECT_EQ(CurvePoints(analyzer->DifferenceGraph()), difference);
  EXPECT_EQ(host.Graph().RepaintCount(), 3);
  EXPECT_EQ(bus.CountTo(host.Listener(), L"GRAPH_AcquireRawData"), 0);
  EXPECT_EQ(CurveCount(), 4u);
}

}  // namespace
}  // namespace orlo::test
