// CTestAnalyzer: a diagnostic analyzer that exercises the host's graph services with the two
// sweeps the user selects in the graph.
//
// Its panel holds three graphs and two buttons. When exactly two sweeps are selected
// ("GRAPH_SweepSelected", then "GRAPH_GetSelectedSweeps") it fetches both, converts their
// magnitudes to dB in place and draws them on the magnitude graph, their difference A − B
// on the difference graph and their sliding correlation (windows of 50 points, step 1) on
// the correlation graph, whose value axis it fixes to −1.2 … 1.2 (TestCurves.h has the
// arithmetic). "Just DO IT!" recomputes difference and correlation from the data held;
// "Test 2" clears the correlation curve. Any other selection only deletes the curves.
//
// Contract: the host drives it as IBaseAnalyzer (Initialize, CreatePanel, Activate, ...,
// DestroyPanel, Uninitialize, Destroy). It owns the raw data of the last pair drawn until
// the next pair or DestroyPanel (or its destruction); the graph plug-in owns the curves,
// which are known here by their ids. The manager constructs one at start-up without
// registering it; a host gets a registered one through the exported factory
// (TestAnalyzerFactory.h). Everything runs on the UI thread.
//
// Decisions: the buttons do nothing before a pair was drawn (no data is held); the
// correlation windows stop at the end of the shorter sweep; a window without spread
// plots nothing, so no NaN or infinity reaches the graph.
#pragma once

#include "module/comparison/SweepData.h"
#include "module/core/AnalyzerInterfaces.h"
#include "module/core/Subscription.h"
#include "platform/common/DataClient.h"
#include "platform/common/GuiManager.h"
#include "platform/win/Wnd.h"

#include <string>
#include <vector>

class CORLOGuiItem;
class IDataManager;

class CTestAnalyzer : public CWnd,
                      public IBaseAnalyzer,
                      public IBaseGuiManager,
                      public CORLODataClient {
 public:
  static constexpr int kGraphType = 100;
  static constexpr UINT kWindowControlId = 12;
  static constexpr int kCorrelationWindow = 50;
  static constexpr int kCorrelationStep = 1;
  static constexpr int kButtonRowHeight = 40;

  CTestAnalyzer() = default;
  ~CTestAnalyzer() override;

  // IBaseAnalyzer.
  std::wstring GetName() override;
  std::wstring GetGuid() override;
  void Activate(bool active) override;
  void ShowDialogs(bool show) override;
  void ShowErrorCurve(bool show) override;
  CORLOGuiItem* GetPanel() override;
  void CreatePanel(CORLOGuiItem* parent) override;
  int DestroyPanel() override;
  void OnGuiNotify(CORLOGuiItem* item, ORLOWndMessage* message) override;
  void OnLayout() override;
  bool Initialize() override;
  void Uninitialize() override;
  void ShowSettings(CWnd* parent) override;
  bool HasSettings() override;
  IBaseAnalyzer* CreateInstance() override;
  void Destroy() override;

  // IBaseGuiManager.
  void OnGuiMessage(CORLOGuiItem* item, ORLOWndMessage* message) override;
  void OnGuiCreate(CORLOGuiItem* item) override;
  void OnGuiPopulate() override;

  // Read-only views for hosts and tests: the panel's items (null without a panel).
  CORLOGuiItem* MagnitudeGraph() const { return magnitudeGraph; }
  CORLOGuiItem* DifferenceGraph() const { return differenceGraph; }
  CORLOGuiItem* CorrelationGraph() const { return correlationGraph; }
  CORLOGuiItem* DoItButton() const { return doItButton; }
  CORLOGuiItem* Test2Button() const { return test2Button; }

 protected:
  // "GRAPH_SweepSelected": payload not read.
  void OnSweepSelected(IORLODataItem* item);

  ORLO_DECLARE_SUBSCRIPTION_MAP()
  ORLO_DECLARE_CLIENT_HANDLERS()
  DECLARE_MESSAGE_MAP()

 private:
  enum class Graph { kMagnitude, kDifference, kCorrelation };

  void SetupGraphs();
  void SetupGraph(Graph graph, const char* yLabel);
  void FixCorrelationRange();
  void DeleteCurves(Graph graph);
  void FreeRawData();
  void DrawPair();
  void FetchAndDraw(SweepData& raw, const std::wstring& name, bool flag,
                    const std::wstring& curve);
  void DrawDifference();
  void DrawSlidingCorrelation(int window, int step);
  void Test2();
  bool HoldsPair() const { return !rawA.name.empty(); }

  HWND Target(Graph graph) const;
  std::vector<std::wstring*> CurveIds(Graph graph);
  // Asks the graph for a new curve when `curve` has no id yet (an empty answer leaves it
  // empty, to be asked again next time).
  void AllocateCurve(Graph graph, std::wstring& curve);
  // AllocateCurve, then "GRAPH_ClearCurve".
  void PrepareCurve(Graph graph, std::wstring& curve);
  void SendToGraph(Graph graph, const wchar_t* name, int mode, void* payload);
  void AddPoint(Graph graph, const std::wstring& curve, double x, double y);

  std::wstring m_strReply;
  IDataManager* dataManager = nullptr;
  CORLOGuiItem* panel = nullptr;
  CORLOGuiItem* magnitudeGraph = nullptr;
  CORLOGuiItem* differenceGraph = nullptr;
  CORLOGuiItem* correlationGraph = nullptr;
  CORLOGuiItem* doItButton = nullptr;
  CORLOGuiItem* test2Button = nullptr;
  HWND magnitudeTarget = nullptr;
  HWND differenceTarget = nullptr;
  HWND correlationTarget = nullptr;
  SweepData rawA;
  SweepData rawB;
  std::wstring differenceCurve;
  std::wstring sweepNameA;
  std::wstring sweepNameB;
  std::wstring magnitudeCurveA;
  std::wstring magnitudeCurveB;
  std::wstring correlationCurve;
};
