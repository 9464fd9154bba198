#include "module/testanalyzer/TestAnalyzer.h"

#include "module/core/GraphMessages.h"
#include "module/testanalyzer/TestCurves.h"
#include "platform/common/Bus.h"
#include "platform/common/GuiItem.h"
#include "platform/common/Services.h"

#include <cstdint>
#include <list>

namespace {

std::wstring Tr(const char* text) { return CGettext::Get().Translate(text); }

// The axis-data blocks the correlation graph's value range is written into (tagAXISDATA).
constexpr int kAutoScaleBlock = 1;
constexpr int kValueMinBlock = 3;
constexpr int kValueMaxBlock = 4;
constexpr float kCorrelationMin = -1.2f;
constexpr float kCorrelationMax = 1.2f;

// "GRAPH_AddXYCurve" modes: points of the measured sweeps are drawn as they come; those of
// the computed curves wait for the repaint that follows them.
constexpr int kDrawAtOnce = 0;
constexpr int kDrawAtRepaint = -1;

}  // namespace

BEGIN_MESSAGE_MAP(CTestAnalyzer, CWnd)
ON_MESSAGE(WM_DESTROY, OnClientDestroy)
ON_MESSAGE(WM_DATAITEM, OnDataItem)
END_MESSAGE_MAP()

ORLO_BEGIN_SUBSCRIPTION_MAP(CTestAnalyzer)
ORLO_INHERIT_SUBSCRIPTIONS(CORLODataClient, CTestAnalyzer)
ORLO_SUBSCRIBE("GRAPH_SweepSelected", 0, CTestAnalyzer, OnSweepSelected)
ORLO_END_SUBSCRIPTION_MAP()

// The window goes first, so that no bus delivery reaches a half-destroyed object.
CTestAnalyzer::~CTestAnalyzer() {
  DestroyWindow();
  FreeRawData();
}

// ---------------------------------------------------------------------------------------
// IBaseAnalyzer

std::wstring CTestAnalyzer::GetName() { return Tr("Test Analyzer"); }

std::wstring CTestAnalyzer::GetGuid() { return L"{EB642FB1-04AC-4a8f-BC1B-B9DF9A163BA3}"; }

void CTestAnalyzer::Activate(bool active) {
  if (!active || dataManager == nullptr) {
    return;
  }
  const auto value = [](std::intptr_t v) { return reinterpret_cast<void*>(v); };
  dataManager->Send(L"ORLO_ShowLegend", 0, value(1), 0, -1);
  dataManager->Send(L"ORLO_ShowModels", 0, value(0), 0, -1);
  dataManager->Send(L"ORLO_ShowActions", 0, value(1), 0, -1);
  std::int32_t multiSelect = 2;
  dataManager->Send(L"GRAPH_MultiSelect", 0, &multiSelect, 0, -1);
}

void CTestAnalyzer::ShowDialogs(bool) {}

void CTestAnalyzer::ShowErrorCurve(bool) {}

CORLOGuiItem* CTestAnalyzer::GetPanel() { return panel; }

void CTestAnalyzer::CreatePanel(CORLOGuiItem* parent) {
  IBaseGuiManager* const owner = this;
  panel = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_CONTAINER);
  CORLOGuiItem* const buttonRow = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_CONTAINER);
  magnitudeGraph = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_GRAPH);
  differenceGraph = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_GRAPH);
  correlationGraph = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_GRAPH);
  doItButton = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_BUTTON);
  test2Button = ORLOSpawnGuiItem(parent, owner, ORLO_GUI_BUTTON);
  if (panel == nullptr || buttonRow == nullptr || magnitudeGraph == nullptr ||
      differenceGraph == nullptr || correlationGraph == nullptr || doItButton == nullptr ||
      test2Button == nullptr) {
    return;
  }
  const auto windowOf = [](CORLOGuiItem* item) {
    return item->GetWnd() != nullptr ? item->GetWnd()->GetSafeHwnd() : nullptr;
  };
  magnitudeTarget = windowOf(magnitudeGraph);
  differenceTarget = windowOf(differenceGraph);
  correlationTarget = windowOf(correlationGraph);

  doItButton->SetText(Tr("Just DO IT!"));
  test2Button->SetText(Tr("Test 2"));
  buttonRow->SetOrientation(1);
  buttonRow->AddChild(doItButton);
  buttonRow->AddChild(test2Button);
  buttonRow->SetItemHeight(kButtonRowHeight);
  buttonRow->SetItemState(0);

  panel->SetOrientation(0);
  for (CORLOGuiItem* child : {magnitudeGraph, differenceGraph, correlationGraph, buttonRow}) {
    panel->AddChild(child);
  }
  panel->SetItemState(0);
  SetupGraphs();
}

int CTestAnalyzer::DestroyPanel() {
  DeleteCurves(Graph::kMagnitude);
  DeleteCurves(Graph::kDifference);
  DeleteCurves(Graph::kCorrelation);
  FreeRawData();
  int result = 0;
  if (panel != nullptr) {
    panel->DestroyWindows();
    result = panel->DestroyItem();
  }
  panel = magnitudeGraph = differenceGraph = correlationGraph = doItButton = test2Button =
      nullptr;
  magnitudeTarget = differenceTarget = correlationTarget = nullptr;
  return result;
}

void CTestAnalyzer::OnGuiNotify(CORLOGuiItem* item, ORLOWndMessage*) {
  if (item == nullptr || !HoldsPair()) {
    return;
  }
  if (item == doItButton) {
    DrawDifference();
    DrawSlidingCorrelation(kCorrelationWindow, kCorrelationStep);
    ORLOSendMessage("GRAPH_Repaint", nullptr);
  } else if (item == test2Button) {
    Test2();
  }
}

void CTestAnalyzer::OnLayout() {}

bool CTestAnalyzer::Initialize() {
  HWND mainDialog = nullptr;
  ORLOSendMessage("ORLO_GetMainDialog", &mainDialog);
  // Without the main dialog there is no window, and the subscription does nothing.
  if (CWnd* const parent = CWnd::FromHandle(mainDialog); parent != nullptr) {
    Create(AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW), L"", WS_CHILD, RECT{0, 0, 0, 0}, parent,
           kWindowControlId);
  }
  ORLOSubscribe(GetSafeHwnd());
  dataManager = ORLOGetDataManager();
  return true;
}

void CTestAnalyzer::Uninitialize() { DestroyWindow(); }

void CTestAnalyzer::ShowSettings(CWnd*) {}

bool CTestAnalyzer::HasSettings() { return false; }

IBaseAnalyzer* CTestAnalyzer::CreateInstance() { return new CTestAnalyzer(); }

void CTestAnalyzer::Destroy() { delete this; }

// ---------------------------------------------------------------------------------------
// IBaseGuiManager

void CTestAnalyzer::OnGuiMessage(CORLOGuiItem* item, ORLOWndMessage* message) {
  OnGuiNotify(item, message);
}

void CTestAnalyzer::OnGuiCreate(CORLOGuiItem*) {}

void CTestAnalyzer::OnGuiPopulate() {}

// ---------------------------------------------------------------------------------------
// Graph set-up

void CTestAnalyzer::SetupGraphs() {
  SetupGraph(Graph::kMagnitude, "Magnitude (dB)");
  SetupGraph(Graph::kDifference, "Difference");
  SetupGraph(Graph::kCorrelation, "Correlation");
}

void CTestAnalyzer::SetupGraph(Graph graph, const char* yLabel) {
  const HWND target = Target(graph);
  if (target == nullptr) {
    return;
  }
  std::int32_t graphType = kGraphType;
  ORLOSendSingleMessage(target, "GRAPH_SetGraphType", &graphType);
  tagAXISLABEL labels{kGraphType, Tr("Frequency (Hz)"), Tr(yLabel)};
  ORLOSendSingleMessage(target, "GRAPH_SetAxisLabel", &labels);
  ORLOSendSingleMessage(target, "GRAPH_SetCursorLabel", &labels);
  if (graph == Graph::kCorrelation) {
    FixCorrelationRange();
  }
}

// The graph hands out its axis settings as eleven blocks; the value axis gets a fixed range
// and the blocks go back with "GRAPH_SetAxisData" and are freed here.
void CTestAnalyzer::FixCorrelationRange() {
  tagAXISDATA axis;
  ORLOSendSingleMessage(correlationTarget, "GRAPH_GetAxisData", &axis);
  if (auto* autoScale = static_cast<std::uint8_t*>(axis.blocks[kAutoScaleBlock])) {
    *autoScale = 0;
  }
  if (auto* low = static_cast<float*>(axis.blocks[kValueMinBlock])) {
    *low = kCorrelationMin;
  }
  if (auto* high = static_cast<float*>(axis.blocks[kValueMaxBlock])) {
    *high = kCorrelationMax;
  }
  ORLOSendSingleMessage(correlationTarget, "GRAPH_SetAxisData", &axis);
  for (void* block : axis.blocks) {
    delete[] static_cast<unsigned char*>(block);
  }
}

// ---------------------------------------------------------------------------------------
// Selection and drawing

void CTestAnalyzer::OnSweepSelected(IORLODataItem*) {
  if (dataManager == nullptr) {
    return;
  }
  std::list<std::wstring> selected;
  dataManager->Send(L"GRAPH_GetSelectedSweeps", 0, &selected, 0, -1);
  DeleteCurves(Graph::kMagnitude);
  DeleteCurves(Graph::kDifference);
  DeleteCurves(Graph::kCorrelation);
  if (selected.size() != 2) {
    return;
  }
  FreeRawData();
  sweepNameA = selected.front();
  sweepNameB = selected.back();
  DrawPair();
}

void CTestAnalyzer::DeleteCurves(Graph graph) {
  for (std::wstring* id : CurveIds(graph)) {
    SendToGraph(graph, L"GRAPH_DeleteCurve", 0, id);
    id->clear();
  }
}

void CTestAnalyzer::FreeRawData() {
  for (SweepData* raw : {&rawA, &rawB}) {
    if (!raw->name.empty()) {
      FreeSweepData(*raw);
    }
  }
  rawA.name.clear();
  rawB.name.clear();
}

void CTestAnalyzer::DrawPair() {
  FreeRawData();
  AllocateCurve(Graph::kMagnitude, magnitudeCurveA);
  AllocateCurve(Graph::kMagnitude, magnitudeCurveB);
  SendToGraph(Graph::kMagnitude, L"GRAPH_ClearCurve", 0, &magnitudeCurveA);
  SendToGraph(Graph::kMagnitude, L"GRAPH_ClearCurve", 0, &magnitudeCurveB);
  FetchAndDraw(rawA, sweepNameA, false, magnitudeCurveA);
  FetchAndDraw(rawB, sweepNameB, true, magnitudeCurveB);
  DrawDifference();
  DrawSlidingCorrelation(kCorrelationWindow, kCorrelationStep);
  ORLOSendMessage("GRAPH_Repaint", nullptr);
}

void CTestAnalyzer::FetchAndDraw(SweepData& raw, const std::wstring& name, bool flag,
                                 const std::wstring& curve) {
  raw.name = name;
  raw.flag = flag;
  ORLOSendMessage("GRAPH_AcquireRawData", &raw);
  const int count = PointCount(raw);
  for (int i = 0; i < count; ++i) {
    float& magnitude = raw.points[i].values[kMagnitudeIndex];
    magnitude = MagnitudeToDecibel(magnitude);
    AddPoint(Graph::kMagnitude, curve, raw.points[i].frequency, magnitude);
  }
}

void CTestAnalyzer::DrawDifference() {
  PrepareCurve(Graph::kDifference, differenceCurve);
  for (const testanalyzer::CurvePoint& point : testanalyzer::DifferenceCurve(rawA, rawB)) {
    AddPoint(Graph::kDifference, differenceCurve, point.x, point.y);
  }
}

void CTestAnalyzer::DrawSlidingCorrelation(int window, int step) {
  PrepareCurve(Graph::kCorrelation, correlationCurve);
  for (const testanalyzer::CurvePoint& point :
       testanalyzer::SlidingCorrelationCurve(rawA, rawB, window, step)) {
    AddPoint(Graph::kCorrelation, correlationCurve, point.x, point.y);
  }
}

void CTestAnalyzer::Test2() {
  SendToGraph(Graph::kCorrelation, L"GRAPH_ClearCurve", 0, &correlationCurve);
  dataManager->Send(L"GRAPH_Repaint", 0, nullptr, 0, -1);
}

// ---------------------------------------------------------------------------------------
// Graph helpers

HWND CTestAnalyzer::Target(Graph graph) const {
  switch (graph) {
    case Graph::kMagnitude:
      return magnitudeTarget;
    case Graph::kDifference:
      return differenceTarget;
    case Graph::kCorrelation:
      return correlationTarget;
  }
  return nullptr;
}

std::vector<std::wstring*> CTestAnalyzer::CurveIds(Graph graph) {
  switch (graph) {
    case Graph::kMagnitude:
      return {&magnitudeCurveA, &magnitudeCurveB};
    case Graph::kDifference:
      return {&differenceCurve};
    case Graph::kCorrelation:
      return {&correlationCurve};
  }
  return {};
}

void CTestAnalyzer::AllocateCurve(Graph graph, std::wstring& curve) {
  if (curve.empty()) {
    curve = dataManager->Query(Target(graph), L"GRAPH_AllocCurve", 0, 0);
  }
}

void CTestAnalyzer::PrepareCurve(Graph graph, std::wstring& curve) {
  AllocateCurve(graph, curve);
  SendToGraph(graph, L"GRAPH_ClearCurve", 0, &curve);
}

void CTestAnalyzer::SendToGraph(Graph graph, const wchar_t* name, int mode, void* payload) {
  if (dataManager == nullptr) {
    return;
  }
  std::wstring reply;
  dataManager->SendTo(Target(graph), 1, name, mode, payload, 0, -1, &reply);
}

void CTestAnalyzer::AddPoint(Graph graph, const std::wstring& curve, double x, double y) {
  tagXYPOINT point{curve, x, y};
  SendToGraph(graph, L"GRAPH_AddXYCurve", graph == Graph::kMagnitude ? kDrawAtOnce : kDrawAtRepaint,
              &point);
}
