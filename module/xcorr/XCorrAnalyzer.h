// CXCorrAnalyzer: the correlation analysis. It compares the first three visible sweeps in
// the pairs 1-2, 2-3 and 3-1 band by band against the current statistical parameter set
// (module/bands) and adds a magnitude-difference verdict; its settings are edited in
// CXCorrAnalyzerSettings and kept in Analyzer.xml.
//
// So far only its identity, its life cycle on the bus and its settings entry exist: the
// evaluation, the panel and the report come later. Until then the operations they need do
// nothing: CreatePanel builds no panel (GetPanel stays null), the readout has no grids and
// no computed pairs, and the comparison base's hooks (UpdateGraph, BandStatistic, which
// answers STAT_UNDEFINED, RebuildResults, LayoutGrid, ReservedHook, ClearPairDisplay) are
// empty.
//
// Contract: as every comparison analyzer (CorrAnalyzer.h). ShowSettings runs the settings
// dialog modally with `parent` as its parent; HasSettings is true.
#pragma once

#include <string>

#include "module/comparison/CorrAnalyzer.h"
#include "module/core/Subscription.h"

class CXCorrAnalyzer : public CCorrAnalyzer {
 public:
  static constexpr int kGraphType = 100;

  CXCorrAnalyzer();
  ~CXCorrAnalyzer() override;

  // IBaseAnalyzer operations this analyzer supplies.
  std::wstring GetName() override;
  std::wstring GetGuid() override;
  void CreatePanel(CORLOGuiItem* parent) override;
  int DestroyPanel() override;
  bool Initialize() override;
  void Uninitialize() override;
  void ShowSettings(CWnd* parent) override;
  bool HasSettings() override;
  IBaseAnalyzer* CreateInstance() override;
  void Destroy() override;

  // IAnalyzerReadout.
  CGridCtrl* GetResultsGrid() override;
  std::optional<std::wstring> GetMagnitudeDifferenceText() override;
  std::vector<PairReadout> GetComputedPairs() override;

 protected:
  // CCorrAnalyzer's own operations (empty for now, see above).
  void UpdateGraph() override;
  double BandStatistic(double fLow, double fHigh, SweepData* a, SweepData* b, double* freqs,
                       int count) override;
  void RebuildResults(bool reset) override;
  void LayoutGrid() override;
  void ReservedHook() override;
  void ClearPairDisplay() override;

  ORLO_DECLARE_SUBSCRIPTION_MAP()
  ORLO_DECLARE_CLIENT_HANDLERS()
  DECLARE_MESSAGE_MAP()

 private:
  std::wstring m_strReply;
};
