// CXCorrAnalyzer: the correlation analysis. It compares the first three visible sweeps (the
// sweep slots) in the pairs 1-2, 2-3 and 3-1 band by band: for every band of the current
// statistical parameter set (module/bands) it computes the statistic of the current
// technique (correlation coefficient, relative factor R or mean square difference of the
// magnitudes in dB) and judges it by that band's own criteria (XCorrVerdict.h); the worst
// band verdict is the pair's conclusion. It adds the magnitude difference where the
// reference sweep crosses -20 dB between 110 Hz and 2 kHz, with a Pass/Fail verdict against
// the limit of the settings. Its panel shows a results grid (one row per pair, with the
// magnitude columns when the check is on), the comparison graph with one curve per sweep
// slot and one shaded range per band, a criteria grid (one row per band) with the selected
// pair's values and the matching cells greyed, and the two conclusion lines. When a report
// starts it hands the report plug-in the band statistics, conclusion and sweep names of
// every evaluated pair. Its settings are edited in CXCorrAnalyzerSettings.
//
// Settings: the technique, the magnitude-difference switch and limit and the bands of the
// current set are read from Analyzer.xml when the panel is made, on every full
// recalculation ("ANALYZER_SettingsChange") and whenever the band ranges are drawn again;
// the analyzer never invents defaults: without a readable file it has no bands (no
// criteria rows, no ranges, empty conclusions) and keeps technique 0, the check on and 0.25.
//
// Contract: as every comparison analyzer (CorrAnalyzer.h); Initialize must precede
// CreatePanel. The analyzer owns its bands, band results and curves; the sweep data it
// acquires is freed before each evaluation or drawing returns. The bus may deliver
// "GRAPH_SweepValuesUpdated" on any thread: its handler only lists the name
// (CUpdatedSweeps); the timer redraws on the UI thread, where everything else runs.
// ShowSettings runs the settings dialog modally; HasSettings is true. The accessors below
// and IAnalyzerReadout are read-only views for hosts and tests (pair 0..2; out-of-range
// arguments answer false, the empty text, an empty list or NaN).
//
// Decision: a band list that changes between two reloads of one recalculation (the file
// edited meanwhile by someone else) only shows the bands both lists have, never more.
#pragma once

#include <array>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "module/bands/FreqBand.h"
#include "module/bands/SettingsReadout.h"
#include "module/comparison/CorrAnalyzer.h"
#include "module/comparison/SweepPairs.h"
#include "module/comparison/UpdatedSweeps.h"
#include "module/core/Subscription.h"
#include "platform/common/Services.h"

class CXCorrAnalyzer : public CCorrAnalyzer, public ISettingsFileReadout {
 public:
  static constexpr int kGraphType = 100;
  // The magnitude-difference check looks at the reference sweep from 110 Hz to 2 kHz.
  static constexpr double kMagnitudeDifferenceLow = 110.0;
  static constexpr double kMagnitudeDifferenceHigh = 2000.0;

  CXCorrAnalyzer();
  ~CXCorrAnalyzer() override;

  // IBaseAnalyzer operations this analyzer supplies.
  std::wstring GetName() override;
  std::wstring GetGuid() override;
  void CreatePanel(CORLOGuiItem* parent) override;
  int DestroyPanel() override;
  void OnGuiNotify(CORLOGuiItem* item, ORLOWndMessage* message) override;
  bool Initialize() override;
  void Uninitialize() override;
  void ShowSettings(CWnd* parent) override;
  bool HasSettings() override;
  IBaseAnalyzer* CreateInstance() override;
  void Destroy() override;

  // IAnalyzerReadout. The magnitude-difference text is that of its display while the check
  // is on, absent while it is off.
  CGridCtrl* GetResultsGrid() override;
  std::optional<std::wstring> GetMagnitudeDifferenceText() override;
  std::vector<PairReadout> GetComputedPairs() override;
  // ISettingsFileReadout: the file inspected at the call, with the bands last loaded.
  SettingsFileReadout GetSettingsFileReadout() override;

  // Read-only views.
  int CurrentStatParam() const { return currentStatParam; }
  // Whether the pair was evaluated at the last evaluation (both of its slots filled).
  bool IsPairEvaluated(int pair) const;
  // The pair's statistic of every band, in band order (empty for an unevaluated pair).
  const std::vector<double>& BandValues(int pair) const;
  const std::wstring& ConclusionText(int pair) const;
  double MagnDiff(int pair) const;
  const std::wstring& MagnDiffText(int pair) const;
  CORLOGuiItem* ResultsGridItem() const { return resultsGrid; }
  CORLOGuiItem* CriteriaGridItem() const { return criteriaGrid; }
  CORLOGuiItem* MagnDiffLine() const { return magnDiffLine; }
  CORLOGuiItem* MagnDiffItem() const { return magnDiffItem; }
  const std::list<std::wstring>& RangeIds() const { return rangeIds; }

 protected:
  // CCorrAnalyzer's own operations.
  void UpdateGraph() override;
  double BandStatistic(double fLow, double fHigh, SweepData* a, SweepData* b, double* freqs,
                       int count) override;
  void RebuildResults(bool reset) override;
  void LayoutGrid() override;
  void MakeConclusionReadOnly() override;
  void ReservedHook() override;
  void ClearPairDisplay() override;

  // Bus handlers of this analyzer.
  void OnSettingsChange(IORLODataItem* item);
  void OnSlotSweepColor(IORLODataItem* item);
  void OnSweepValuesUpdated(IORLODataItem* item);
  void OnReportStarting(IORLODataItem* item);

  // Window messages.
  LRESULT OnTimer(WPARAM wParam, LPARAM lParam);

  ORLO_DECLARE_SUBSCRIPTION_MAP()
  ORLO_DECLARE_CLIENT_HANDLERS()
  DECLARE_MESSAGE_MAP()

 private:
  // The statistics of one band: value[p] for pair p.
  struct tagRESULT {
    std::array<double, comparison::kPairCount> value{};
  };

  // The BandVerdict of statistic `value` in `band` under the current technique.
  int ClassifyBandValue(const tagFREQBAND& band, double value) const;
  // The range colour of band `index`, repeating after ten bands.
  static COLORREF RangeColour(int index);
  // Settings and bands from the file; false (and no bands) when it cannot be read.
  bool ReloadSettings();
  void FullRecalculation();
  void EvaluateAll();
  void EvaluatePair(int pair);
  void PairConclusion(int pair);
  void ConclusionTexts(int pair);
  void WritePairRow(int pair);
  tagRESULT& ResultAt(int band);

  void InitResultsGrid();
  void InitCriteriaGrid();
  void SelectPairRow(int row);
  void ShowBandDetails(int pair);
  void SetBandValue(int row, double value, int verdict);
  void AddBandRanges();
  void ReportPair(const std::wstring& firstName, const std::wstring& secondName,
                  const std::wstring& tag, int pair, COLORREF firstColour, COLORREF secondColour);
  bool IsSlotSweep(const std::wstring& name) const;

  std::wstring m_strReply;

  // Settings of the current set.
  int currentStatParam = 0;
  bool magnitudeDifference = true;
  double magnitudeDifferenceLimit = 0.25;
  CFreqBandArray bands;

  // Sweeps and what was computed of them.
  std::array<std::wstring, comparison::kSlotCount> sweepSlots;
  std::vector<std::unique_ptr<tagRESULT>> results;  // entry i for band i
  std::array<std::vector<double>, comparison::kPairCount> bandValues;
  std::array<bool, comparison::kPairCount> evaluated{};
  std::array<int, comparison::kPairCount> conclusionCode{1, 1, 1};
  std::array<std::wstring, comparison::kPairCount> conclusionText;
  std::array<double, comparison::kPairCount> magnDiff{};
  std::array<std::wstring, comparison::kPairCount> magnDiffText;

  // Panel and graph.
  CORLOGuiItem* resultsGrid = nullptr;
  CORLOGuiItem* magnDiffLine = nullptr;  // "Magnitude Difference Conclusion:"
  CORLOGuiItem* magnDiffItem = nullptr;  // the magnitude-difference display
  std::array<CGraphCurvePtr, comparison::kSlotCount> sweepCurves;
  std::list<std::wstring> rangeIds;  // ranges added to the graph, in the order added

  CUpdatedSweeps updatedSweeps;  // filled by any thread, drained by the timer
};
