// The graph plug-in where the analyzer scenarios of module_tests do not reach it: defaults
// and unknown names, silent non-changes, the selection, refusals, sweeps sharing a frequency
// grid, the graph-window commands the correlation and test analyzers use, and lifetimes; the
// curves' point store; model files (what `--model-file` accepts and its messages for what it
// refuses; a folder and what a model holds, as `orlo analyze` shows it: AnalyzeCommandTest).
#include "host/graph/CurvePoints.h"
#include "host/graph/GraphModels.h"
#include "host/graph/GraphPlugin.h"
#include "host/graph/GraphUserActions.h"

#include "module/comparison/SweepData.h"
#include "platform/common/Bus.h"
#include "platform/common/DataManager.h"
#include "platform/common/GuiItem.h"
#include "tests/host/ScratchDirectory.h"
#include "tests/support/BusRecorder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace orlo::host {
namespace {

using test::BusRecorder;
using Names = std::vector<std::wstring>;

Sweep MakeSweep(const std::string& name, int points) {
  std::vector<Sweep::Point> list;
  for (int i = 1; i <= points; ++i) {
    list.push_back({1000.0f * static_cast<float>(i), 0.5f * i, -90.0f});
  }
  return Sweep{name, name + ".csv", list};
}

class GraphPluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"phase-A", "phase-B", "phase-C"}) plugin.AddSweep(MakeSweep(name, 3));
  }

  SweepNameList Ask(const char* message) {
    SweepNameList names;
    ORLOSendMessage(message, &names);
    return names;
  }

  CGraphPlugin plugin;
};

TEST_F(GraphPluginTest, DefaultsAndUnknownNames) {
  EXPECT_EQ(Ask("GRAPH_GetSelectedSweeps"), (SweepNameList{L"phase-A", L"phase-B"}));
  tagSWEEPCOLOR unknown{L"phase-X", 7};
  ORLOSendMessage("GRAPH_GetSweepColor", &unknown);
  EXPECT_EQ(unknown.colour, 7u);  // left as preset
  tagAPPLIEDMODELS models;
  ORLOSendMessage("GRAPH_AppliedModels", &models);
  EXPECT_EQ(models.count, 0);
  EXPECT_EQ(models.models, nullptr);

  SweepData raw;
  raw.name = L"nowhere";
  raw.count = 5;
  ORLOSendMessage("GRAPH_AcquireRawData", &raw);
  EXPECT_EQ(raw.count, 0);
  EXPECT_EQ(raw.points, nullptr);
  raw.name = L"phase-B";  // the value block: imaginary part, magnitude and phase of each point
  ORLOSendMessage("GRAPH_AcquireRawData", &raw);
  ASSERT_EQ(raw.count, 3);
  EXPECT_EQ(raw.points[2].values[1], -1.5f);
  EXPECT_EQ(raw.points[2].values[2], 1.5f);
  EXPECT_EQ(raw.points[2].values[3], -90.0f);
  FreeSweepData(raw);
  raw.flag = true;  // the comparison analyzers' request: the measured values, no derived parts
  ORLOSendMessage("GRAPH_AcquireRawData", &raw);
  EXPECT_EQ(std::vector<float>(raw.points[2].values, raw.points[2].values + 4),
            (std::vector<float>{0.0f, 0.0f, 1.5f, -90.0f}));
  FreeSweepData(raw);
}

// A user's clicks in the graph: each change of the selection is announced once, and the
// multi-select mode caps how many sweeps Ctrl-clicks keep.
TEST_F(GraphPluginTest, ClicksSelectSweepsWithinTheMultiSelectMode) {
  plugin.AddSweep(MakeSweep("phase-D", 2));
  BusRecorder bus;
  const auto selectionAfter = [&](std::int32_t mode, const std::vector<int>& numbers) {
    ORLOSendMessage("GRAPH_MultiSelect", &mode);
    EXPECT_TRUE(user::SelectSweeps(plugin, numbers));
    return plugin.SelectedSweeps();
  };
  EXPECT_EQ(selectionAfter(2, {3, 1}), (Names{L"phase-C", L"phase-A"}));
  EXPECT_EQ(bus.CountTo(plugin.Window(), L"GRAPH_SweepSelected"), 2);  // {C}, then {C, A}
  EXPECT_EQ(selectionAfter(2, {1, 2, 4}), (Names{L"phase-B", L"phase-D"}));
  EXPECT_EQ(selectionAfter(2, {1, 2, 1}), (Names{L"phase-B"}));  // Ctrl-click again: out
  EXPECT_EQ(selectionAfter(1, {1, 2}), (Names{L"phase-B"}));
  EXPECT_EQ(selectionAfter(0, {4, 3, 2, 1}), (Names{L"phase-D", L"phase-C", L"phase-B", L"phase-A"}));

  bus.Clear();
  EXPECT_FALSE(user::SelectSweeps(plugin, {1, 5}));
  EXPECT_FALSE(user::SelectSweeps(plugin, {0}));
  EXPECT_FALSE(user::SelectSweeps(plugin, {}));
  EXPECT_FALSE(plugin.ClickSweep(L"phase-X", false));
  EXPECT_TRUE(plugin.ClickSweep(L"phase-D", false));
  EXPECT_TRUE(plugin.ClickSweep(L"phase-D", false));  // unchanged: not announced again
  EXPECT_EQ(bus.CountTo(plugin.Window(), L"GRAPH_SweepSelected"), 1);
  EXPECT_EQ(plugin.SelectedSweeps(), (Names{L"phase-D"}));
}

TEST_F(GraphPluginTest, AnnouncesRealChangesOnlyAndRefusesDuplicates) {
  BusRecorder bus;
  plugin.SetVisibleSweeps({L"phase-C", L"phase-A"});
  plugin.SetVisibleSweeps({L"phase-C", L"phase-A"});
  plugin.AddSweep(MakeSweep("phase-D", 2));  // an explicit visible list stays as it is
  EXPECT_FALSE(plugin.AddSweep(MakeSweep("phase-D", 4)));
  EXPECT_TRUE(plugin.SetSweepColor(L"phase-B", RGB(1, 2, 3)));
  EXPECT_TRUE(plugin.SetSweepColor(L"phase-B", RGB(1, 2, 3)));
  EXPECT_FALSE(plugin.SetSweepColor(L"phase-X", 0));
  plugin.SetSelectedSweeps({L"phase-C", L"phase-A"});
  plugin.SetSelectedSweeps({L"phase-C", L"phase-A"});
  const auto model = [](const wchar_t* label) {
    return std::make_unique<CHostModel>(L"T1", label, std::vector<ModelItem>{});
  };
  EXPECT_FALSE(plugin.ApplyModel(nullptr));
  EXPECT_TRUE(plugin.ApplyModel(model(L"first")));
  EXPECT_FALSE(plugin.ApplyModel(model(L"same name")));
  EXPECT_FALSE(plugin.RemoveModel(L"T2"));

  EXPECT_EQ(bus.NamesTo(plugin.Window()),
            (Names{L"GRAPH_VisibleCurveCount", L"GRAPH_SetSweepColor", L"GRAPH_SweepSelected",
                   L"GRAPH_ApplyModel"}));
  for (const test::BusRecord& record : bus.Records()) EXPECT_TRUE(record.broadcast);
  EXPECT_EQ(plugin.FindSweep(L"phase-D")->points.size(), 2u);
  EXPECT_EQ(Ask("GRAPH_GetVisibleSweeps"), (SweepNameList{L"phase-C", L"phase-A"}));
  EXPECT_EQ(Ask("GRAPH_GetSelectedSweeps"), (SweepNameList{L"phase-C", L"phase-A"}));
}

// Sweeps taken in on the grid of a loaded one share its frequency array and keep their own
// magnitudes and phases; a sweep on another grid keeps its own frequencies.
TEST_F(GraphPluginTest, SweepsOnOneGridShareTheirFrequencies) {
  using Points = std::vector<Sweep::Point>;
  const Points loaded = {{1000.0f, 0.5f, -90.0f}, {2000.0f, 1.0f, -90.0f}, {3000.0f, 1.5f, -90.0f}};
  const Points louder = {{1000.0f, 2.0f, 1.0f}, {2000.0f, 3.0f, 2.0f}, {3000.0f, 4.0f, 3.0f}};
  const Points shifted = {{1000.0f, 0.5f, -90.0f}, {2000.0f, 1.0f, -90.0f}, {3001.0f, 1.5f, -90.0f}};
  plugin.SetSweepPoints(L"phase-C", louder);
  plugin.AddSweep(Sweep{"phase-D", "", shifted});
  const SweepPoints& a = plugin.FindSweep(L"phase-A")->points;
  const auto pointsOf = [&](const wchar_t* name) {
    const SweepPoints& points = plugin.FindSweep(name)->points;
    return std::pair(points.Frequencies() == a.Frequencies(), Points(points.begin(), points.end()));
  };
  EXPECT_EQ(pointsOf(L"phase-A"), std::pair(true, loaded));
  EXPECT_EQ(pointsOf(L"phase-B"), std::pair(true, loaded));
  EXPECT_EQ(pointsOf(L"phase-C"), std::pair(true, louder));
  EXPECT_EQ(pointsOf(L"phase-D"), std::pair(false, shifted));

  // A curve that redraws a sweep in dB keeps the sweep, not the points.
  const auto dB = [](float ratio) { return double(20.0f * float(std::log10(double(ratio)))); };
  const std::vector<CurvePoint> redrawn = {{1000.0, dB(0.5f)}, {2000.0, 0.0}, {3000.0, dB(1.5f)}};
  CGraphCurvePtr curve;
  ASSERT_TRUE(curve.CreateAndRef());
  const long holders = a.Frequencies().use_count();
  for (const CurvePoint& point : redrawn) curve->AddPoint(point.x, point.y);
  EXPECT_EQ(a.Frequencies().use_count(), holders + 1);
  const CurvePoints& drawn = plugin.Curves().back()->Points();
  EXPECT_EQ(std::vector<CurvePoint>(drawn.begin(), drawn.end()), redrawn);
}

// A graph window made for a GUI item of kind 2.
class GraphWindowTest : public GraphPluginTest {
 protected:
  void SetUp() override {
    GraphPluginTest::SetUp();
    item = ORLOSpawnGuiItem(nullptr, nullptr, ORLO_GUI_GRAPH);
    ASSERT_NE(item->GetWnd(), nullptr);
    target = item->GetWnd()->m_hWnd;
    window = plugin.GraphWindowOf(target);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    if (item != nullptr) item->DestroyItem();
  }

  std::wstring AllocCurve(HWND hwnd = nullptr) {
    return ORLOGetDataManager()->Query(hwnd ? hwnd : target, L"GRAPH_AllocCurve", 0, 0);
  }
  void SendTo(const wchar_t* name, void* payload, int mode = 0) {
    std::wstring reply;
    ORLOGetDataManager()->SendTo(target, 1, name, mode, payload, 0, -1, &reply);
  }

  CORLOGuiItem* item = nullptr;
  HWND target = nullptr;
  const CGraphWindow* window = nullptr;
};

TEST_F(GraphWindowTest, DeletesRangesByIdOrByLabelAndEdgesAndIgnoresBroadcasts) {
  const auto add = [&](const wchar_t* label, double low, double high) {
    tagRANGE range;
    range.id = L"stale";
    range.label = label;
    range.low = low;
    range.high = high;
    ORLOSendSingleMessage(target, "GRAPH_AddRange", &range);
    return range;
  };
  tagRANGE byId;  // only the id set, as the correlation analysis deletes
  byId.id = add(L"R-LF", 1000, 100000).id;
  tagRANGE byEdges = add(L"R-MF", 100000, 600000);
  EXPECT_EQ(byId.id, L"G1.R1");
  EXPECT_EQ(byEdges.id, L"G1.R2");
  ORLOSendSingleMessage(target, "GRAPH_DelRange", &byId);
  ORLOSendSingleMessage(target, "GRAPH_DelRange", &byId);  // already gone: nothing
  byEdges.id.clear();
  byEdges.high = 600001;
  ORLOSendSingleMessage(target, "GRAPH_DelRange", &byEdges);  // edges differ
  ASSERT_EQ(window->Ranges().size(), 1u);
  EXPECT_EQ(window->Ranges()[0].label, L"R-MF");
  byEdges.high = 600000;
  ORLOSendSingleMessage(target, "GRAPH_DelRange", &byEdges);
  EXPECT_TRUE(window->Ranges().empty());

  int type = 7;
  ORLOSendMessage("GRAPH_SetGraphType", &type);  // a broadcast does not reach the window
  EXPECT_EQ(window->GraphType(), 0);
}

TEST_F(GraphWindowTest, AllocatesXYCurvesByQueryAndDrawsIntoThem) {
  const std::wstring a = AllocCurve();
  EXPECT_EQ(a, L"G1.C1");
  const std::wstring b = AllocCurve();
  EXPECT_EQ(b, L"G1.C2");
  EXPECT_EQ(window->FindCurve(a)->colour, 0xFF0000u);  // the sweeps' palette: blue, green
  EXPECT_EQ(window->FindCurve(b)->colour, 0x009600u);
  EXPECT_EQ(window->FindCurve(b)->width, 1);
  // Mode 0 draws at once; mode -1 waits for the next repaint.
  for (double x : {1.0, 2.0, 3.0}) {
    tagXYPOINT point{a, x, -x};
    SendTo(L"GRAPH_AddXYCurve", &point, x < 3.0 ? 0 : -1);
  }
  tagXYPOINT stray{L"G9.C1", 1.0, 1.0};  // unknown curve: ignored
  SendTo(L"GRAPH_AddXYCurve", &stray);
  EXPECT_EQ(window->FindCurve(a)->points,
            (std::vector<CurvePoint>{{1.0, -1.0}, {2.0, -2.0}, {3.0, -3.0}}));
  EXPECT_EQ(window->FindCurve(a)->drawn, 2u);
  ORLOSendMessage("GRAPH_Repaint", nullptr);
  EXPECT_EQ(window->FindCurve(a)->drawn, 3u);

  std::wstring id = a;
  SendTo(L"GRAPH_ClearCurve", &id);
  EXPECT_TRUE(window->FindCurve(a)->points.empty());
  EXPECT_EQ(window->FindCurve(a)->drawn, 0u);
  SendTo(L"GRAPH_DeleteCurve", &id);
  EXPECT_EQ(window->FindCurve(a), nullptr);
  EXPECT_EQ(window->Curves().size(), 1u);

  // Each graph item has its own window, numbered on, that leaves the list with it.
  CORLOGuiItem* second = ORLOSpawnGuiItem(nullptr, nullptr, ORLO_GUI_GRAPH);
  const HWND secondTarget = second->GetWnd()->m_hWnd;
  ASSERT_EQ(plugin.GraphWindows().size(), 2u);
  EXPECT_EQ(AllocCurve(secondTarget), L"G2.C1");
  second->DestroyItem();
  EXPECT_EQ(plugin.GraphWindowOf(secondTarget), nullptr);
  EXPECT_EQ(plugin.GraphWindows().size(), 1u);
}

TEST_F(GraphPluginTest, CurvesVanishFromTheListWithTheirLastHolder) {
  CGraphCurvePtr first;
  ASSERT_TRUE(first.CreateAndRef());
  {
    CGraphCurvePtr copy = first;
    first = CGraphCurvePtr();
    EXPECT_EQ(plugin.Curves().size(), 1u);  // still held by the copy
  }
  EXPECT_TRUE(plugin.Curves().empty());
}

TEST(GraphPluginLifetime, FactoriesLiveAsLongAsThePlugin) {
  CORLOGuiItem* early = nullptr;
  CGraphCurvePtr held;
  {
    CGraphPlugin plugin;
    early = ORLOSpawnGuiItem(nullptr, nullptr, ORLO_GUI_GRAPH);
    ASSERT_NE(early->GetWnd(), nullptr);
    ASSERT_TRUE(held.CreateAndRef());
  }
  // The window and the curve outlive the plug-in safely; no new ones are made.
  held->SetName(L"after");
  int type = 5;
  ORLOSendSingleMessage(early->GetWnd()->m_hWnd, "GRAPH_SetGraphType", &type);
  CORLOGuiItem* late = ORLOSpawnGuiItem(nullptr, nullptr, ORLO_GUI_GRAPH);
  EXPECT_EQ(late->GetWnd(), nullptr);
  CGraphCurvePtr none;
  EXPECT_FALSE(none.CreateAndRef());
  late->DestroyItem();
  early->DestroyItem();
}

// Whether kept as a redrawn sweep, in floats or in doubles, the points read back as exactly
// the doubles given, in order; copies share them.
TEST(CurvePoints, GiveBackExactlyThePointsGiven) {
  const double infinity = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<CurvePoint> singles = {{20.0, -0.5}, {1.0e6, -infinity}, {3.25, -0.0}};
  const std::vector<CurvePoint> mixed = {{20.0, -0.5}, {7.0, 2.0}, {0.1, 1.0 / 3.0}, {8.0, nan}};
  // A sweep to redraw; points that redraw it, depart from it at the last point, or at once.
  const SweepPoints sweep(std::vector<Sweep::Point>{{20.0f, 1.0f, 0.0f}, {1.0e6f, 0.0f, 0.0f}, {3.25f, 0.5f, 0.0f}});
  const double halfDb = 20.0f * float(std::log10(0.5));
  const std::vector<CurvePoint> redrawn = {{20.0, 0.0}, {1.0e6, -infinity}, {3.25, halfDb}};
  const std::vector<CurvePoint> departing = {redrawn[0], redrawn[1], {3.25, 1.0 / 3.0}};
  CurvePoints points;
  for (const auto& [given, followed] : {std::pair{singles, SweepPoints()}, {redrawn, sweep}, {departing, sweep}, {mixed, sweep}}) {
    points.Follow(followed);
    for (const CurvePoint& point : given) points.push_back(point);
    ASSERT_EQ(points.size(), given.size());
    size_t i = 0;
    for (const CurvePoint point : points) {
      EXPECT_EQ(std::memcmp(&point, &given[i], sizeof point), 0) << i;
      ++i;
    }
    EXPECT_EQ(i, given.size());
  }
  EXPECT_EQ(points.back().x, 8.0);
  EXPECT_TRUE(std::isnan(points.back().y));

  // Copies share the points, yet each keeps its own while another goes on or is cleared.
  points.Follow(sweep);
  for (const CurvePoint& point : redrawn) points.push_back(point);
  const CurvePoints copy = points;
  CurvePoints prefix = points.Prefix(2);
  prefix.push_back(mixed[2]);
  points.push_back(mixed[3]);
  EXPECT_EQ(std::vector<CurvePoint>(copy.begin(), copy.end()), redrawn);
  EXPECT_EQ(std::vector<CurvePoint>(prefix.begin(), prefix.end()),
            std::vector<CurvePoint>({redrawn[0], redrawn[1], mixed[2]}));
  points.clear();
  points.push_back(mixed[1]);
  EXPECT_EQ(std::vector<CurvePoint>(copy.begin(), copy.end()), redrawn);
}

// What a model holds, as `orlo analyze --model-file` shows it: AnalyzeCommandTest.
TEST(GraphModels, ALabelDefaultsToTheName) {
  testing::ScratchDirectory dir;
  const ModelList models = ReadModelFile(
      dir.Write("models.json", R"({"models": [{"name": "T\u00e9", "items": [{"name": "HV", "sweeps": [4]}]}]})"),
      4);
  ASSERT_EQ(models.size(), 1u);
  EXPECT_EQ(models[0]->GetName(), L"T\u00e9");
  EXPECT_EQ(models[0]->GetLabel(), L"T\u00e9");
  EXPECT_EQ(models[0]->GetItems()->front()->sweepNumbers, std::list<std::uint16_t>{4});
}

TEST(GraphModels, RefusesBadFilesWithTheFaultyPlace) {
  testing::ScratchDirectory dir;
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"{\"models\": [\n  {\"name\": \"T1\" \"items\": []}]}", "m.json:2:17: unexpected '\"' in object, expected ',' or '}'"},
      {"[]", "m.json: document: expected an object, found an array"},
      {"{\"model\": []}", "m.json: document: unknown key \"model\""},
      {"{\"models\": [{\"name\": \"\", \"items\": []}]}", "m.json: models[0].name: the name is empty"},
      {"{\"models\": [{\"name\": \"T\", \"items\": [{\"name\": \"HV\", \"sweeps\": [1, 65536]}]}]}",
       "m.json: models[0].items[0].sweeps[1]: expected an integer from 0 to 65535, found 65536"},
      {"{\"models\": [{\"name\": \"T\", \"items\": [{\"name\": \"HV\", \"sweeps\": [1, 2], \"labels\": [\"A\"]}]}]}",
       "m.json: models[0].items[0].labels: 1 labels for 2 sweep numbers"},
      {"{\"models\": [{\"name\": \"T\", \"items\": [{\"name\": 4, \"sweeps\": []}]}]}",
       "m.json: models[0].items[0].name: expected a string, found a number"},
      {"{\"models\": [{\"name\": \"T\", \"items\": []}, {\"name\": \"T\", \"items\": []}]}",
       "m.json: models[1].name: duplicate model name \"T\""},
      {"{\"models\": [], \"0123456789012345678901234567890123456789\\u0000\": 1}",
       "m.json: document: unknown key \"0123456789012345678901234567890123456789\u2026\""},
      {"\xff\xfe{", "m.json: the file is UTF-16 text; save it as UTF-8 or Latin-1"},
      {"{\"models\": [{\"name\": \"T\", \"items\": [\n {\"name\": \"HV\", \"sweeps\": [1, 9]}]}]}",
       "m.json:2:31: sweep 9 is not loaded (3 sweeps, numbered from 1)"},
      {"{\"models\": [{\"name\": \"T\", \"items\": [{\"name\": \"HV\", \"sweeps\": [0]}]}]}",
       "m.json:1:63: sweep 0 is not loaded (3 sweeps, numbered from 1)"},
  };
  for (const auto& bad : cases) {
    const std::string path = dir.Write("m.json", bad.text);
    try {
      ReadModelFile(path, 3);
      ADD_FAILURE() << "accepted: " << bad.text;
    } catch (const ModelFileError& error) {
      EXPECT_EQ(std::string(error.what()), dir.Path("") + bad.message);
    }
  }
  EXPECT_THROW(ReadModelFile(dir.Path("missing.json"), 3), ModelFileError);
}

}  // namespace
}  // namespace orlo::host
