// CCorrAnalyzer: the abstract base of the analyzers that compare pairs of sweeps of one
// test object (the DL/T 911-2004 analyzer and the correlation analysis).
//
// It holds what both share: the IBaseAnalyzer behaviour towards the host, the GUI-item
// callbacks, the bus-client part, the set-up of the comparison graph with its two curves
// (curveA, curveB), the model and sweep selectors that follow the graph plug-in's applied
// models, the bus handlers for model, file and sweep-colour messages, and small helpers for
// the results grid. What is computed, shown and reported per band is the derived class's.
//
// Contract: the host drives it as IBaseAnalyzer (Initialize, CreatePanel, OnLayout,
// Activate, ..., DestroyPanel, Uninitialize, Destroy). The GUI items belong to the host;
// the AppliedModel and ModelItem objects belong to the graph plug-in and are never freed
// here; each model-selector entry owns a ModelChoice, freed when the entry is deleted.
// Everything runs on the UI thread. A missing window, grid, curve or data manager makes
// the operation that needs it do nothing.
//
// Hosts that print rather than draw read the panel through IAnalyzerReadout; the base
// answers the criteria grid and the conclusion text, the derived class the rest.
//
// Decision: a pick in the sweep selector sets sweepNumber and redraws (UpdateGraph), the
// same way a pick in the model selector changes the model choice.
#pragma once

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "module/comparison/SweepData.h"
#include "module/comparison/SweepOrder.h"
#include "module/comparison/SweepPairs.h"
#include "module/core/AnalyzerInterfaces.h"
#include "module/core/AnalyzerReadout.h"
#include "module/core/GraphMessages.h"
#include "module/core/OxBaseManager.h"
#include "platform/common/DataClient.h"
#include "platform/common/GraphCurve.h"
#include "platform/common/GuiManager.h"

class CGridCtrl;
class CORLOGuiItem;
class IDataManager;

class CCorrAnalyzer : public COxBaseManager,
                      public IBaseAnalyzer,
                      public IBaseGuiManager,
                      public CORLODataClient,
                      public IAnalyzerReadout {
 public:
  // Timer of the analyzer window that redraws the curves of changed sweeps.
  static constexpr UINT_PTR kUpdateTimerId = 12312;
  static constexpr UINT kUpdateTimerPeriodMs = 500;

  CCorrAnalyzer(const CCorrAnalyzer&) = delete;
  CCorrAnalyzer& operator=(const CCorrAnalyzer&) = delete;
  ~CCorrAnalyzer() override;

  // IBaseAnalyzer: the operations shared by every comparison analyzer.
  void Activate(bool active) override;
  void ShowDialogs(bool show) override;
  void ShowErrorCurve(bool show) override;
  CORLOGuiItem* GetPanel() override;
  void OnGuiNotify(CORLOGuiItem* item, ORLOWndMessage* message) override;
  void OnLayout() override;
  void ShowSettings(CWnd* parent) override;
  bool HasSettings() override;

  // IBaseGuiManager.
  void OnGuiMessage(CORLOGuiItem* item, ORLOWndMessage* message) override;
  void OnGuiCreate(CORLOGuiItem* item) override;
  void OnGuiPopulate() override;

  // IAnalyzerReadout: the parts every comparison analyzer has.
  CGridCtrl* GetCriteriaGrid() override;
  std::wstring GetConclusionText() override;
  CComboBox* GetModelSelector() override;
  CComboBox* GetSweepSelector() override;

  // Read-only view of the current choice and pair, for hosts and tests.
  const std::wstring& ModelName() const { return modelName; }
  const ModelItem* ChosenItem() const { return chosenItem; }
  const AppliedModel* ChosenModel() const { return chosenModel; }
  int SweepNumber() const { return sweepNumber; }
  int GraphType() const { return graphType; }
  const std::wstring& SweepNameA() const { return sweepNameA; }
  const std::wstring& SweepNameB() const { return sweepNameB; }
  HWND GraphTarget() const { return graphTarget; }
  CORLOGuiItem* ModelSelector() const { return modelSelector; }
  CORLOGuiItem* SweepSelector() const { return sweepSelector; }
  CORLOGuiItem* ConclusionItem() const { return conclusionItem; }

  // "[nameA] - [nameB]", or empty when either name is empty.
  static std::wstring FormatPairLabel(const std::wstring& nameA, const std::wstring& nameB);

  // The grid control of a grid item, or null (no item, no window, not a grid).
  static CGridCtrl* GridOf(CORLOGuiItem* item);

  // Sizes a drop-down list item's list to show `rows` entries (nothing without a window).
  static void SetDropHeight(CORLOGuiItem* selector, int rows);

 protected:
  // One model-selector entry: which item of which applied model it stands for.
  struct ModelChoice {
    AppliedModel* model = nullptr;
    ModelItem* item = nullptr;
  };

  // What the model selector lists for one choice.
  struct ModelEntry {
    std::wstring text;
    ModelChoice choice;
  };

  // The SweepData of one "GRAPH_AcquireRawData" request; frees the points it received.
  struct AcquiredSweep {
    SweepData data;
    explicit AcquiredSweep(const std::wstring& name);
    AcquiredSweep(const AcquiredSweep&) = delete;
    AcquiredSweep& operator=(const AcquiredSweep&) = delete;
    ~AcquiredSweep();
  };

  // What a pair is computed from: the raw data of both sweeps ("GRAPH_AcquireRawData"
  // broadcast, A first), their merged frequency grid, and then both magnitudes converted
  // in place to dB. Everything is freed with the object. The order of both sweeps'
  // frequencies is checked once for all the readers of the pair's statistics.
  struct AcquiredPair {
    AcquiredSweep a;
    AcquiredSweep b;
    int count = 0;
    std::unique_ptr<double[]> grid;
    std::optional<SweepOrderScope> order;
    AcquiredPair(const std::wstring& nameA, const std::wstring& nameB);
  };

  explicit CCorrAnalyzer(int graphType);

  // Own virtual operations, in slot order.
  virtual void UpdateGraph() = 0;
  virtual double BandStatistic(double fLow, double fHigh, SweepData* a, SweepData* b, double* freqs,
                               int count) = 0;
  virtual void RebuildResults(bool reset) = 0;
  virtual void LayoutGrid() = 0;
  virtual void MakeConclusionReadOnly();
  virtual void ReservedHook() = 0;
  virtual void ClearPairDisplay() = 0;

  // Bus handlers shared by the derived subscription tables.
  void OnRecalcModels(IORLODataItem* item);
  void OnApplyModel(IORLODataItem* item);
  void OnRemoveModel(IORLODataItem* item);
  void OnVisibleCurveCount(IORLODataItem* item);
  void OnFileChanged(IORLODataItem* item);  // "ORLO_CloseFile" and "ORLO_OpenedFile"
  void OnSetSweepColor(IORLODataItem* item);

  // Helpers for the derived analyzers.
  // The graph set-up: the graph target, the graph type, curveA and curveB (the message box
  // when a curve cannot be made), the default width, the axis and cursor labels.
  void SetupGraph();
  // The same with other curve holders: the first takes the default width and red, every
  // curve the graph type.
  void SetupGraph(std::initializer_list<CGraphCurvePtr*> curves);
  // When a model item is chosen: the axis and cursor labels "Frequency (Hz)" and the chosen
  // item's label of sweepNumber, sent to the graph target.
  void LabelAxesForChosenSweep();
  // The item's window loses WS_EX_CLIENTEDGE and becomes read-only (nothing without one).
  static void MakeItemReadOnly(CORLOGuiItem* item);
  void RefillModelSelector();
  void RefillSweepSelector();
  void ApplyModel(AppliedModel* model);
  void RemoveModel(AppliedModel* model);
  void SetPairCell(CGridCtrl* grid, int row, const std::wstring& nameA, const std::wstring& nameB);
  // Creates the window, puts it on the bus, fetches the data manager and starts the
  // update timer; answers true (without a window, the subscription and timer do nothing).
  bool InitializeWindow();
  // DestroyPanel's common part: releases both curves, empties the model selector, destroys
  // the root item and forgets every GUI item. Answers the result of the root's destruction.
  int DestroyPanelItems();
  // Broadcast through the data manager; answers 0 without one.
  LRESULT Broadcast(const wchar_t* name, void* payload);
  // The label the chosen model item gives sweepNumber, empty when it lists none.
  std::wstring ChosenSweepLabel() const;
  // The graph plug-in's translated name of a sweep ("GRAPH_GetTranslatedSweepName").
  std::wstring TranslatedSweepName(const std::wstring& name);
  // The curve colour of a sweep ("GRAPH_GetSweepColor"; 0 when nobody answers).
  static COLORREF SweepColour(const std::wstring& name);
  // Draws sweep `name` into `curve`: its translated name, its raw data (through the data
  // manager), its colour, its width (the graph's default width for -1), then its points
  // in dB. The requests are sent even when the holder is empty; the curve calls are not.
  void DrawSweepCurve(const std::wstring& name, CGraphCurvePtr& curve);
  // The first three names of the graph's visible sweeps ("GRAPH_GetVisibleSweeps" through
  // the data manager), empty for the slots no sweep fills.
  std::array<std::wstring, comparison::kSlotCount> FirstVisibleSweeps();
  // Writes the pair labels of results rows 1 to 3 (SetPairCell) from the translated names
  // of the filled slots.
  void WritePairLabels(CGridCtrl* grid,
                       const std::array<std::wstring, comparison::kSlotCount>& slots);
  // The common start of showing results row `row`: selects it (when there is a grid),
  // makes its pair's sweeps sweepNameA and sweepNameB (both empty for a row without a
  // pair), ClearPairDisplay, UpdateGraph. Answers whether the row has both sweeps; when not,
  // the display is cleared once more.
  bool ShowPairRow(CGridCtrl* grid, int row,
                   const std::array<std::wstring, comparison::kSlotCount>& slots);
  // The row a grid control reported in a WM_NOTIFY message, or -1 for any other message.
  static int NotifiedGridRow(const ORLOWndMessage* message);
  // The report of the pairs of `slots`: for pairs 1-2, 2-3 and 3-1 in this order,
  // reportPair(first name, second name, tag, pair, first colour, second colour) with the
  // translated names and the colours of the pair's sweeps (an empty slot gives the empty
  // name and colour 0; nothing is asked for it).
  using PairReporter = std::function<void(const std::wstring&, const std::wstring&,
                                          const std::wstring&, int, COLORREF, COLORREF)>;
  void ReportEveryPair(const std::array<std::wstring, comparison::kSlotCount>& slots,
                       const PairReporter& reportPair);
  // One report parameter, without and with a colour ("REPORT_AddParameter",
  // "REPORT_AddParameterColor").
  static void AddReportParameter(const std::wstring& name, const std::wstring& value);
  static void AddReportParameterColor(const std::wstring& name, const std::wstring& value,
                                      COLORREF colour);

  IDataManager* dataManager = nullptr;
  std::wstring modelName;
  ModelItem* chosenItem = nullptr;
  AppliedModel* chosenModel = nullptr;
  int sweepNumber = 0;
  int graphType = 0;
  CORLOGuiItem* panel = nullptr;
  CORLOGuiItem* graphItem = nullptr;
  CORLOGuiItem* criteriaGrid = nullptr;
  CORLOGuiItem* conclusionItem = nullptr;
  CORLOGuiItem* modelSelector = nullptr;
  CORLOGuiItem* sweepSelector = nullptr;
  std::wstring sweepNameA;
  std::wstring sweepNameB;
  CGraphCurvePtr curveA;
  CGraphCurvePtr curveB;
  HWND graphTarget = nullptr;
  std::wstring excludedModelName;

 private:
  void OnModelSelectorChange();
  void OnSweepSelectorChange();
  void EmptyModelSelector(CWnd* selector);
  // The entries the graph plug-in's applied models give, in model and item order: one per
  // item of every model but the excluded one ("label" for a model with one item, else
  // "label - item"). Asks for the models ("GRAPH_AppliedModels") and frees their array.
  std::vector<ModelEntry> CollectModelEntries();
  // Adds the entries, each owning a copy of its choice, and selects the chosen item's.
  void FillModelSelector(CWnd* selector, const std::vector<ModelEntry>& entries);
  void Choose(const ModelChoice& choice);
  // Sends the graph window a display switch ("GRAPH_ShowDialogs", ...) with 1 or 0.
  void SendGraphSwitch(const wchar_t* name, bool on);
};

// The entries of a comparison analyzer's table that the base handles, after the lifecycle
// entries: ORLO_INHERIT_SUBSCRIPTIONS(CCorrAnalyzer, CMyAnalyzer).
#define ORLO_SUBSCRIPTIONS_OF_CCorrAnalyzer(theClass)                       \
  ORLO_SUBSCRIPTIONS_OF_CORLODataClient(theClass)                           \
  ORLO_SUBSCRIBE("GRAPH_RecalcModels", 0, theClass, OnRecalcModels)         \
  ORLO_SUBSCRIBE("GRAPH_ApplyModel", 0, theClass, OnApplyModel)             \
  ORLO_SUBSCRIBE("GRAPH_RemoveModel", 1, theClass, OnRemoveModel)           \
  ORLO_SUBSCRIBE("GRAPH_VisibleCurveCount", 0, theClass, OnVisibleCurveCount) \
  ORLO_SUBSCRIBE("ORLO_CloseFile", 0, theClass, OnFileChanged)              \
  ORLO_SUBSCRIBE("ORLO_OpenedFile", 0, theClass, OnFileChanged)             \
  ORLO_SUBSCRIBE("GRAPH_SetSweepColor", 0, theClass, OnSetSweepColor)
