// IAnalyzerReadout: what a comparison analyzer shows, for a host that prints or exports
// it (the `orlo` host's human and JSON output) rather than drawing the panel.
//
// The comparison analyzers implement it next to IBaseAnalyzer; a host obtains it with
// dynamic_cast from the IBaseAnalyzer pointer it holds (null for analyzers without it).
// Everything answered is read at the time of the call; the grids belong to the panel and
// are null before CreatePanel and after DestroyPanel.
#pragma once

#include <optional>
#include <string>
#include <vector>

class CComboBox;
class CGridCtrl;

// Band values at or above this limit are the analyzers' markers for a band they could not
// evaluate (an edge off the sweeps' frequencies, an empty span, curves without spread),
// not measurements.
constexpr double kBandValueMarkerLimit = static_cast<double>(3.0e38f);

// One band statistic of one pair: the band's label and edges and the raw value the
// analyzer holds (markers and NaN included, never rounded).
struct BandReadout {
  std::wstring band;
  double low = 0.0;
  double high = 0.0;
  double value = 0.0;
};

// One computed pair: its report tag ("1_2", "2_3", "3_1"), the sweeps compared (A is
// the reference) and what the analyzer concluded.
struct PairReadout {
  std::wstring tag;
  std::wstring sweepA;
  std::wstring sweepB;
  std::vector<BandReadout> statistics;
  std::wstring conclusion;
  std::optional<double> magnitudeDifference;
  std::optional<std::wstring> magnitudeDifferenceVerdict;
};

class __attribute__((visibility("default"))) IAnalyzerReadout {
 public:
  virtual CGridCtrl* GetResultsGrid() = 0;
  virtual CGridCtrl* GetCriteriaGrid() = 0;
  // The text of the conclusion display.
  virtual std::wstring GetConclusionText() = 0;
  // The magnitude-difference verdict line, for analyzers that have one.
  virtual std::optional<std::wstring> GetMagnitudeDifferenceText() = 0;
  // The pairs whose two sweep slots were filled at the last computation, in pair order.
  virtual std::vector<PairReadout> GetComputedPairs() = 0;
  // The drop-down lists that choose an item of an applied model and a sweep number of it;
  // null while the panel has none.
  virtual CComboBox* GetModelSelector() = 0;
  virtual CComboBox* GetSweepSelector() = 0;

 protected:
  ~IAnalyzerReadout() = default;
};
