// CProbeAnalyzer: the smallest comparison analyzer, for testing what CCorrAnalyzer gives
// every analyzer. Its panel has the graph, the model and sweep selectors and a conclusion
// box; its own operations only count how they were called.
#pragma once

#include <string>
#include <vector>

#include "module/comparison/CorrAnalyzer.h"
#include "module/core/Subscription.h"
#include "platform/common/GuiItem.h"

namespace orlo::test {

class CProbeAnalyzer : public CCorrAnalyzer {
 public:
  CProbeAnalyzer() : CCorrAnalyzer(100) {}
  ~CProbeAnalyzer() override { DestroyWindow(); }

  std::wstring GetName() override { return L"Probe"; }
  std::wstring GetGuid() override { return L"{00000000-0000-0000-0000-000000000000}"; }
  void CreatePanel(CORLOGuiItem* parent) override {
    panel = ORLOSpawnGuiItem(parent, this, ORLO_GUI_CONTAINER);
    graphItem = ORLOSpawnGuiItem(panel, this, ORLO_GUI_GRAPH);
    modelSelector = ORLOSpawnGuiItem(panel, this, ORLO_GUI_DROPDOWN);
    sweepSelector = ORLOSpawnGuiItem(panel, this, ORLO_GUI_DROPDOWN);
    conclusionItem = ORLOSpawnGuiItem(panel, this, ORLO_GUI_EDIT);
    modelSelector->SetItemHeight(20);
    sweepSelector->SetItemHeight(20);
    MakeConclusionReadOnly();
    SetupGraph();
    RefillModelSelector();
  }
  int DestroyPanel() override { return DestroyPanelItems(); }
  bool Initialize() override { return InitializeWindow(); }
  void Uninitialize() override { DestroyManager(); }
  IBaseAnalyzer* CreateInstance() override { return new CProbeAnalyzer(); }
  void Destroy() override { delete this; }

  CGridCtrl* GetResultsGrid() override { return nullptr; }
  std::optional<std::wstring> GetMagnitudeDifferenceText() override { return std::nullopt; }
  std::vector<PairReadout> GetComputedPairs() override { return {}; }

  void SetPair(const std::wstring& a, const std::wstring& b) {
    sweepNameA = a;
    sweepNameB = b;
  }

  // What the own operations saw: the sweep number and its label at each UpdateGraph, and
  // the argument of each RebuildResults.
  std::vector<int> updatedNumbers;
  std::vector<std::wstring> updatedLabels;
  std::vector<bool> rebuilds;

 protected:
  void UpdateGraph() override {
    updatedNumbers.push_back(sweepNumber);
    updatedLabels.push_back(ChosenSweepLabel());
  }
  double BandStatistic(double, double, SweepData*, SweepData*, double*, int) override {
    return 0.0;
  }
  void RebuildResults(bool reset) override { rebuilds.push_back(reset); }
  void LayoutGrid() override {}
  void ReservedHook() override {}
  void ClearPairDisplay() override {}

  ORLO_DECLARE_SUBSCRIPTION_MAP()
  ORLO_DECLARE_CLIENT_HANDLERS()
  DECLARE_MESSAGE_MAP()

 private:
  std::wstring m_strReply;
};

}  // namespace orlo::test
