// The graph plug-in as the module sees it: requests answered over the bus, announcements
// of changes, graph windows executing addressed commands, curve objects, applied models.
#include "host/graph/GraphPlugin.h"
#include "platform/common/Utf8.h"

#include "host/session/BusClient.h"
#include "module/comparison/SweepData.h"
#include "platform/common/Bus.h"
#include "platform/common/DataManager.h"
#include "platform/common/GuiItem.h"
#include "tests/host/BusRecording.h"

#include <gtest/gtest.h>

#include <cstring>

namespace orlo::host {
namespace {

using testing::BusRecording;
using testing::Delivery;

Sweep MakeSweep(const std::string& name, int points, float ratio = 0.5f) {
  Sweep sweep{name, name + ".csv", {}};
  for (int i = 0; i < points; ++i) {
    sweep.points.push_back({1000.0f * static_cast<float>(i + 1),
                            {0.25f, -0.5f, ratio * static_cast<float>(i + 1), -30.0f}});
  }
  return sweep;
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

TEST_F(GraphPluginTest, AnswersTheSweepRequestsWithItsDefaults) {
  EXPECT_EQ(Ask("GRAPH_GetVisibleSweeps"), (SweepNameList{L"phase-A", L"phase-B", L"phase-C"}));
  EXPECT_EQ(Ask("GRAPH_GetSelectedSweeps"), (SweepNameList{L"phase-A", L"phase-B"}));

  tagSWEEPNAME name{L"phase-B", L""};
  ORLOSendMessage("GRAPH_GetTranslatedSweepName", &name);
  EXPECT_EQ(name.translated, L"phase-B");

  std::vector<COLORREF> colours;
  for (const wchar_t* sweep : {L"phase-A", L"phase-B", L"phase-C"}) {
    tagSWEEPCOLOR colour{sweep, 0};
    ORLOSendMessage("GRAPH_GetSweepColor", &colour);
    colours.push_back(colour.colour);
  }
  EXPECT_EQ(colours, (std::vector<COLORREF>{SweepPalette(0), SweepPalette(1), SweepPalette(2)}));
  EXPECT_NE(colours[0], colours[1]);
  EXPECT_NE(colours[1], colours[2]);
  tagSWEEPCOLOR unknown{L"phase-X", 7};
  ORLOSendMessage("GRAPH_GetSweepColor", &unknown);
  EXPECT_EQ(unknown.colour, 7u);  // left as preset

  int defaultWidth = 1;
  ORLOSendMessage("GRAPH_GetDefaultWidth", &defaultWidth);
  EXPECT_EQ(defaultWidth, 2);
  plugin.SetSweepWidth(L"phase-C", -1);
  tagSWEEPWIDTH widthA{L"phase-A", 1};
  tagSWEEPWIDTH widthC{L"phase-C", 1};
  ORLOSendMessage("GRAPH_GetSweepWidth", &widthA);
  ORLOSendMessage("GRAPH_GetSweepWidth", &widthC);
  EXPECT_EQ(widthA.width, 1);
  EXPECT_EQ(widthC.width, -1);

  tagAPPLIEDMODELS models;
  ORLOSendMessage("GRAPH_AppliedModels", &models);
  EXPECT_EQ(models.count, 0);
  EXPECT_EQ(models.models, nullptr);
}

TEST_F(GraphPluginTest, CountsRepaintsAndKeepsTheMultiSelectMode) {
  std::int32_t mode = 2;
  ORLOGetDataManager()->Send(L"GRAPH_MultiSelect", 0, &mode, 0, -1);
  ORLOSendMessage("GRAPH_Repaint", nullptr);
  ORLOGetDataManager()->Send(L"GRAPH_Repaint", 0, nullptr, 0, -1);
  EXPECT_EQ(plugin.MultiSelectMode(), 2);
  EXPECT_EQ(plugin.RepaintCount(), 2);
}

TEST_F(GraphPluginTest, RawDataIsAFreshCopyThatTheRequesterFrees) {
  SweepData first;
  first.name = L"phase-B";
  first.flag = true;
  ORLOSendMessage("GRAPH_AcquireRawData", &first);
  ASSERT_EQ(first.count, 3);
  ASSERT_NE(first.points, nullptr);
  EXPECT_EQ(first.points[2].frequency, 3000.0f);
  EXPECT_EQ(first.points[2].values[kMagnitudeIndex], 1.5f);
  EXPECT_EQ(first.points[2].values[3], -30.0f);
  ConvertMagnitudesToDecibel(first);  // the analyzers convert in place

  SweepData second;
  second.name = L"phase-B";
  ORLOSendMessage("GRAPH_AcquireRawData", &second);
  ASSERT_EQ(second.count, 3);
  EXPECT_NE(second.points, first.points);
  EXPECT_NE(second.points[0].values, first.points[0].values);
  EXPECT_EQ(second.points[2].values[kMagnitudeIndex], 1.5f);  // untouched by the conversion
  FreeSweepData(first);
  FreeSweepData(second);

  SweepData unknown;
  unknown.name = L"nowhere";
  unknown.count = 5;
  ORLOSendMessage("GRAPH_AcquireRawData", &unknown);
  EXPECT_EQ(unknown.count, 0);
  EXPECT_EQ(unknown.points, nullptr);
}

TEST_F(GraphPluginTest, VisibleListChangeIsAnnouncedOnceAfterTheListChanged) {
  // A subscriber that asks for the visible sweeps when told they changed, as the
  // comparison analyzers do.
  CHostBusClient listener;
  listener.CreateClient(nullptr);
  listener.Subscribe();
  std::vector<SweepNameList> seen;
  listener.On("GRAPH_VisibleCurveCount", [&](IORLODataItem&) { seen.push_back(Ask("GRAPH_GetVisibleSweeps")); });

  BusRecording recording(L"GRAPH_VisibleCurveCount");
  plugin.SetVisibleSweeps({L"phase-C", L"phase-A"});
  plugin.SetVisibleSweeps({L"phase-C", L"phase-A"});  // no change, no announcement
  EXPECT_EQ(recording.NamesTo(listener.m_hWnd), std::vector<std::wstring>{L"GRAPH_VisibleCurveCount"});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], (SweepNameList{L"phase-C", L"phase-A"}));
  for (const Delivery& delivery : recording.Deliveries()) EXPECT_TRUE(delivery.broadcast);

  // Loading another sweep changes an explicit list no more.
  recording.Clear();
  plugin.AddSweep(MakeSweep("phase-D", 2));
  EXPECT_TRUE(recording.Deliveries().empty());
}

TEST_F(GraphPluginTest, LoadingASweepShowsItByDefaultAndRefusesDuplicates) {
  BusRecording recording(L"GRAPH_VisibleCurveCount");
  EXPECT_TRUE(plugin.AddSweep(MakeSweep("phase-D", 2)));
  EXPECT_FALSE(plugin.AddSweep(MakeSweep("phase-D", 4)));
  EXPECT_EQ(recording.NamesTo(plugin.Window()), std::vector<std::wstring>{L"GRAPH_VisibleCurveCount"});
  EXPECT_EQ(plugin.VisibleSweeps().back(), L"phase-D");
  EXPECT_EQ(plugin.FindSweep(L"phase-D")->points.size(), 2u);
  EXPECT_EQ(plugin.SweepColor(L"phase-D"), SweepPalette(3));
}

TEST_F(GraphPluginTest, SelectionColourAndValueChangesAreAnnouncedWithTheSweepName) {
  CHostBusClient listener;
  listener.CreateClient(nullptr);
  listener.Subscribe();
  std::vector<std::wstring> events;
  for (const char* message : {"GRAPH_SetSweepColor", "GRAPH_SweepValuesUpdated"}) {
    listener.On(message, [&events, message](IORLODataItem& item) {
      events.push_back(orlo::Utf8ToWide(message) + L" " + *static_cast<std::wstring*>(item.GetData()));
    });
  }
  listener.On("GRAPH_SweepSelected", [&](IORLODataItem&) {
    const SweepNameList selected = Ask("GRAPH_GetSelectedSweeps");
    events.push_back(L"GRAPH_SweepSelected " + selected.front() + L"," + selected.back());
  });

  EXPECT_TRUE(plugin.SetSweepColor(L"phase-B", RGB(1, 2, 3)));
  EXPECT_TRUE(plugin.SetSweepColor(L"phase-B", RGB(1, 2, 3)));  // same colour: silent
  EXPECT_FALSE(plugin.SetSweepColor(L"phase-X", 0));
  EXPECT_TRUE(plugin.SetSweepPoints(L"phase-C", MakeSweep("phase-C", 5).points));
  plugin.SetSelectedSweeps({L"phase-C", L"phase-A"});
  EXPECT_EQ(events, (std::vector<std::wstring>{L"GRAPH_SetSweepColor phase-B",
                                               L"GRAPH_SweepValuesUpdated phase-C",
                                               L"GRAPH_SweepSelected phase-C,phase-A"}));

  SweepData data;
  data.name = L"phase-C";
  ORLOSendMessage("GRAPH_AcquireRawData", &data);
  EXPECT_EQ(data.count, 5);
  FreeSweepData(data);
}

// A graph window made for a GUI item of kind 2, with the commands the analyzers send.
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

  std::wstring AllocCurve() { return ORLOGetDataManager()->Query(target, L"GRAPH_AllocCurve", 0, 0); }
  void SendTo(const wchar_t* name, void* payload) {
    std::wstring reply;
    ORLOGetDataManager()->SendTo(target, 1, name, 0, payload, 0, -1, &reply);
  }

  CORLOGuiItem* item = nullptr;
  HWND target = nullptr;
  const CGraphWindow* window = nullptr;
};

TEST_F(GraphWindowTest, ExecutesTheSetUpCommandsAddressedToIt) {
  BusRecording recording(L"GRAPH_");
  int type = 101;
  ORLOSendSingleMessage(target, "GRAPH_SetGraphType", &type);
  tagAXISLABEL labels{101, L"Frequency (Hz)", L"Magnitude (dB)"};
  ORLOSendSingleMessage(target, "GRAPH_SetAxisLabel", &labels);
  tagAXISLABEL cursor{101, L"Frequency (Hz)", L"A-N"};
  ORLOSendSingleMessage(target, "GRAPH_SetCursorLabel", &cursor);
  int show = 1;
  SendTo(L"GRAPH_ShowDialogs", &show);
  SendTo(L"GRAPH_ShowErrorCurve", &show);
  int other = 7;
  ORLOSendMessage("GRAPH_SetGraphType", &other);  // a broadcast does not reach the window

  EXPECT_EQ(recording.NamesTo(target),
            (std::vector<std::wstring>{L"GRAPH_SetGraphType", L"GRAPH_SetAxisLabel",
                                       L"GRAPH_SetCursorLabel", L"GRAPH_ShowDialogs",
                                       L"GRAPH_ShowErrorCurve"}));
  EXPECT_EQ(window->GraphType(), 101);
  EXPECT_EQ(window->AxisLabel().yLabel, L"Magnitude (dB)");
  EXPECT_EQ(window->CursorLabel().yLabel, L"A-N");
  EXPECT_EQ(window->CursorLabel().graphType, 101);
  EXPECT_TRUE(window->DialogsShown());
  EXPECT_TRUE(window->ErrorCurveShown());
}

TEST_F(GraphWindowTest, AddsRangesWithNewIdsAndDeletesThemByIdOrByLabelAndEdges) {
  tagRANGE range;
  range.id = L"stale";
  range.label = L"R-LF";
  range.low = 1000;
  range.high = 100000;
  range.colour = 0x8CC8FF;
  ORLOSendSingleMessage(target, "GRAPH_AddRange", &range);
  const std::wstring lf = range.id;
  range.label = L"R-MF";
  range.low = 100000;
  range.high = 600000;
  ORLOSendSingleMessage(target, "GRAPH_AddRange", &range);
  const std::wstring mf = range.id;
  EXPECT_FALSE(lf.empty());
  EXPECT_NE(lf, L"stale");
  EXPECT_NE(lf, mf);
  ASSERT_EQ(window->Ranges().size(), 2u);
  EXPECT_EQ(window->Ranges()[0].colour, 0x8CC8FFu);

  tagRANGE byId;  // only the id set, as the correlation analysis deletes
  byId.id = lf;
  ORLOSendSingleMessage(target, "GRAPH_DelRange", &byId);
  ORLOSendSingleMessage(target, "GRAPH_DelRange", &byId);  // already gone: nothing
  ASSERT_EQ(window->Ranges().size(), 1u);
  EXPECT_EQ(window->Ranges()[0].label, L"R-MF");

  tagRANGE byEdges;
  byEdges.label = L"R-MF";
  byEdges.low = 100000;
  byEdges.high = 600001;
  ORLOSendSingleMessage(target, "GRAPH_DelRange", &byEdges);  // edges differ
  EXPECT_EQ(window->Ranges().size(), 1u);
  byEdges.high = 600000;
  ORLOSendSingleMessage(target, "GRAPH_DelRange", &byEdges);
  EXPECT_TRUE(window->Ranges().empty());
}

TEST_F(GraphWindowTest, AllocatesXYCurvesByQueryAndDrawsIntoThem) {
  const std::wstring a = AllocCurve();
  const std::wstring b = AllocCurve();
  EXPECT_FALSE(a.empty());
  EXPECT_NE(a, b);
  for (double x : {1.0, 2.0, 3.0}) {
    tagXYPOINT point{a, x, -x};
    SendTo(L"GRAPH_AddXYCurve", &point);
  }
  tagXYPOINT stray{L"G99.C1", 1.0, 1.0};  // unknown curve: ignored
  SendTo(L"GRAPH_AddXYCurve", &stray);
  ASSERT_NE(window->FindCurve(a), nullptr);
  EXPECT_EQ(window->FindCurve(a)->points,
            (std::vector<CurvePoint>{{1.0, -1.0}, {2.0, -2.0}, {3.0, -3.0}}));

  std::wstring id = a;
  SendTo(L"GRAPH_ClearCurve", &id);
  EXPECT_TRUE(window->FindCurve(a)->points.empty());
  SendTo(L"GRAPH_DeleteCurve", &id);
  EXPECT_EQ(window->FindCurve(a), nullptr);
  ASSERT_EQ(window->Curves().size(), 1u);
  EXPECT_EQ(window->Curves()[0].id, b);
}

TEST_F(GraphWindowTest, HandsOutAxisDataBlocksAndTakesThemBack) {
  tagAXISDATA data;
  ORLOSendSingleMessage(target, "GRAPH_GetAxisData", &data);
  for (void* block : data.blocks) ASSERT_NE(block, nullptr);
  float yMin = 0.0f;
  std::memcpy(&yMin, data.blocks[3], sizeof yMin);
  EXPECT_EQ(yMin, window->Axis().yMin);

  // What the test analyzer does for its correlation graph.
  *static_cast<unsigned char*>(data.blocks[1]) = 0;
  const float low = -1.2f;
  const float high = 1.2f;
  std::memcpy(data.blocks[3], &low, sizeof low);
  std::memcpy(data.blocks[4], &high, sizeof high);
  ORLOSendSingleMessage(target, "GRAPH_SetAxisData", &data);
  for (void* block : data.blocks) delete[] static_cast<unsigned char*>(block);

  EXPECT_EQ(window->Axis().yAutoScale, 0);
  EXPECT_EQ(window->Axis().yMin, -1.2f);
  EXPECT_EQ(window->Axis().yMax, 1.2f);
  EXPECT_EQ(window->Axis().xMax, AxisSettings().xMax);
}

TEST_F(GraphWindowTest, EachItemHasItsOwnWindowAndLeavesTheListWithIt) {
  CORLOGuiItem* second = ORLOSpawnGuiItem(nullptr, nullptr, ORLO_GUI_GRAPH);
  const HWND secondTarget = second->GetWnd()->m_hWnd;
  int type = 100;
  ORLOSendSingleMessage(secondTarget, "GRAPH_SetGraphType", &type);
  ASSERT_EQ(plugin.GraphWindows().size(), 2u);
  EXPECT_EQ(plugin.GraphWindowOf(secondTarget)->GraphType(), 100);
  EXPECT_EQ(window->GraphType(), 0);
  const std::wstring firstId = AllocCurve();
  const std::wstring secondId = ORLOGetDataManager()->Query(secondTarget, L"GRAPH_AllocCurve", 0, 0);
  EXPECT_NE(firstId, secondId);

  second->DestroyItem();
  EXPECT_EQ(plugin.GraphWindowOf(secondTarget), nullptr);
  EXPECT_EQ(plugin.GraphWindows(), std::vector<CGraphWindow*>{const_cast<CGraphWindow*>(window)});
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

TEST_F(GraphPluginTest, CurvesAreSharedByTheirHoldersAndVanishWithTheLast) {
  CGraphCurvePtr first;
  ASSERT_TRUE(first.CreateAndRef());
  first->SetName(L"phase-A");
  first->SetColor(255);
  first->SetWidth(2);
  first->SetGraphType(101);
  first->AddPoint(1000.0, -6.0);
  first->Refresh();
  ASSERT_EQ(plugin.Curves().size(), 1u);
  const CHostCurve& curve = *plugin.Curves()[0];
  EXPECT_EQ(curve.Name(), L"phase-A");
  EXPECT_EQ(curve.Colour(), 255u);
  EXPECT_EQ(curve.Width(), 2);
  EXPECT_EQ(curve.GraphType(), 101);
  EXPECT_EQ(curve.Points(), (std::vector<CurvePoint>{{1000.0, -6.0}}));
  EXPECT_EQ(curve.RefreshCount(), 1);

  {
    CGraphCurvePtr copy = first;
    EXPECT_EQ(curve.References(), 2);
    first = CGraphCurvePtr();
    EXPECT_EQ(plugin.Curves().size(), 1u);  // still held by the copy
  }
  EXPECT_TRUE(plugin.Curves().empty());
}

TEST_F(GraphPluginTest, ModelsAreListedAnnouncedAndRemovedAfterTheAnnouncement) {
  CHostBusClient listener;
  listener.CreateClient(nullptr);
  listener.Subscribe();
  std::vector<std::wstring> events;
  for (const char* message : {"GRAPH_ApplyModel", "GRAPH_RemoveModel", "GRAPH_RecalcModels"}) {
    listener.On(message, [&events, message](IORLODataItem& item) {
      AppliedModel* model = static_cast<tagMODELNOTIFY*>(item.GetData())->model;
      tagAPPLIEDMODELS listed;
      ORLOSendMessage("GRAPH_AppliedModels", &listed);
      std::wstring text = orlo::Utf8ToWide(message) + L" " + (model ? model->GetName() : L"-") + L" [";
      for (int i = 0; i < listed.count; ++i) text += listed.models[i]->GetName() + L";";
      delete[] listed.models;
      events.push_back(text + L"]");
    });
  }

  ModelItem hv{L"HV", {1, 2, 3}, {L"A-N", L"B-N", L"C-N"}};
  EXPECT_TRUE(plugin.ApplyModel(std::make_unique<CHostModel>(L"T1", L"Transformer 1", std::vector{hv})));
  EXPECT_TRUE(plugin.ApplyModel(std::make_unique<CHostModel>(L"T2", L"Transformer 2", std::vector<ModelItem>{})));
  EXPECT_FALSE(plugin.ApplyModel(std::make_unique<CHostModel>(L"T1", L"again", std::vector<ModelItem>{})));
  plugin.RecalcModels();
  EXPECT_TRUE(plugin.RemoveModel(L"T1"));
  EXPECT_FALSE(plugin.RemoveModel(L"T1"));
  EXPECT_EQ(events, (std::vector<std::wstring>{L"GRAPH_ApplyModel T1 [T1;]",
                                               L"GRAPH_ApplyModel T2 [T1;T2;]",
                                               L"GRAPH_RecalcModels - [T1;T2;]",
                                               L"GRAPH_RemoveModel T1 [T1;T2;]"}));

  AppliedModel& t2 = *plugin.Models().at(0);
  EXPECT_EQ(t2.GetLabel(), L"Transformer 2");
  ASSERT_NE(t2.GetItems(), nullptr);
  EXPECT_TRUE(t2.GetItems()->empty());
}

}  // namespace
}  // namespace orlo::host
