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

#include <string>
#include <vector>

#include "module/comparison/SweepData.h"
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
  void SetupGraph();
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
