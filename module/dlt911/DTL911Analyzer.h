// CDTL911Analyzer: interpretation of sweep frequency responses according to DL/T 911-2004.
//
// It takes the first three sweeps that are visible in the host's graph (the sweep slots),
// compares them in the pairs 1-2, 2-3 and 3-1, computes for each pair the relative factor
// R = -log10(1 - rho) of the two magnitude curves in dB in three bands (R-LF, R-MF, R-HF),
// and classifies the pair (DTL911Verdict.h). Its panel shows a results grid (one row per
// pair), the comparison graph with the three bands shaded, two title lines, the criteria
// grid with the matching cells greyed, and the conclusion of the selected pair. When a
// report starts it hands the report plug-in 6 parameters per computed pair.
//
// Contract: as every comparison analyzer (CorrAnalyzer.h). Initialize must precede
// CreatePanel; it answers false (and stays off the bus) when its window cannot be made.
// The sweep data it acquires is freed before each computation or drawing returns. The
// list of sweeps whose values changed is guarded by updateLock; everything else runs on
// the UI thread. The accessors below, and IAnalyzerReadout, are read-only views for hosts
// and tests.
#pragma once

#include <array>
#include <list>
#include <string>

#include "module/comparison/CorrAnalyzer.h"
#include "module/core/Subscription.h"
#include "module/dlt911/DTL911Tables.h"
#include "platform/common/Services.h"

class CDTL911Analyzer : public CCorrAnalyzer {
 public:
  static constexpr int kGraphType = 101;

  CDTL911Analyzer();
  ~CDTL911Analyzer() override;

  // IBaseAnalyzer operations this analyzer supplies.
  std::wstring GetName() override;
  std::wstring GetGuid() override;
  void CreatePanel(CORLOGuiItem* parent) override;
  int DestroyPanel() override;
  void OnGuiNotify(CORLOGuiItem* item, ORLOWndMessage* message) override;
  bool Initialize() override;
  void Uninitialize() override;
  IBaseAnalyzer* CreateInstance() override;
  void Destroy() override;

  // IAnalyzerReadout.
  CGridCtrl* GetResultsGrid() override;
  std::optional<std::wstring> GetMagnitudeDifferenceText() override;
  std::vector<PairReadout> GetComputedPairs() override;

  // Read-only views: pair 0..2, band dlt911::kBandLf..kBandHf, slot 0..2. Out-of-range
  // arguments answer NaN or the empty text.
  double Factor(int pair, int band) const;
  const std::wstring& FactorText(int pair, int band) const;
  const std::wstring& Conclusion(int pair) const;
  const std::wstring& SweepSlot(int slot) const;
  // Whether the pair was computed at the last recomputation (both of its slots filled).
  bool IsPairComputed(int pair) const;
  CORLOGuiItem* ResultsGridItem() const { return resultsGrid; }
  CORLOGuiItem* CriteriaGridItem() const { return criteriaGrid; }

 protected:
  // CCorrAnalyzer's own operations.
  void UpdateGraph() override;
  double BandStatistic(double fLow, double fHigh, SweepData* a, SweepData* b, double* freqs,
                       int count) override;
  void RebuildResults(bool reset) override;
  void LayoutGrid() override;
  void ReservedHook() override;
  void ClearPairDisplay() override;

  // Bus handlers of this analyzer.
  void OnSweepValuesUpdated(IORLODataItem* item);
  void OnReportStarting(IORLODataItem* item);

  // Window messages.
  LRESULT OnTimer(WPARAM wParam, LPARAM lParam);

  ORLO_DECLARE_SUBSCRIPTION_MAP()
  ORLO_DECLARE_CLIENT_HANDLERS()
  DECLARE_MESSAGE_MAP()

 private:
  struct PairResult {
    double rLf = 0.0;
    double rMf = 0.0;
    double rHf = 0.0;
    std::wstring rLfText;
    std::wstring rMfText;
    std::wstring rHfText;
    std::wstring conclusion;
    bool computed = false;
  };

  void FillResults();
  void ComputePair(int pair);
  void ClassifyPair(int pair);
  void SelectPairRow(int row);
  void InitResultsGrid();
  void InitCriteriaGrid();
  void PresentSelection();
  void HighlightCriteria(int row, double factor);
  void AddBandRanges();
  void ReportPair(const std::wstring& firstName, const std::wstring& secondName,
                  const std::wstring& tag, int pair, COLORREF firstColour, COLORREF secondColour);
  static std::array<double, dlt911::kBandCount> FactorsOf(const PairResult& result);

  std::wstring m_strReply;
  CORLOGuiItem* resultsGrid = nullptr;
  std::array<std::wstring, dlt911::kSlotCount> sweepSlots;
  std::array<PairResult, dlt911::kPairCount> pairs;
  std::list<std::wstring> updatedSweeps;
  COxThreadSafe updateLock{nullptr, -1};
};
