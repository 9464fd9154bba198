// UnevaluatedBands: the bands of the computed pairs that hold no measurement, and why.
//
// An analyzer shows a band it could not evaluate like any other (the relative factor of
// such a band is 10.00, which counts as "Normal"), so the host's outputs note these bands
// (Notes). A band is not evaluated when its value is a marker (at or above
// kBandValueMarkerLimit), or when it is exactly 10.0 and the sweeps show why:
//   - kNotReached: the two sweeps do not both cover the band; an edge counts as covered
//     within 1 %, the tolerance with which the analyzers place band edges;
//   - kFlat: one of the sweeps has the same magnitude at every point the band's values are
//     read from (the points in the band and its neighbours just outside), so the curves
//     have no spread to correlate.
// A marker for which the sweeps show neither gives kNoValue.
#pragma once

#include "module/core/AnalyzerReadout.h"

#include <string>
#include <vector>

namespace orlo::host {

class CGraphPlugin;

struct UnevaluatedBand {
  enum class Reason { kNotReached, kFlat, kNoValue };

  std::wstring tag;  // the pair, as PairReadout tags it
  std::wstring sweepA;
  std::wstring sweepB;
  std::wstring band;
  double low = 0.0;  // Hz
  double high = 0.0;
  Reason reason = Reason::kNoValue;
  double coveredLow = 0.0;  // kNotReached: what both sweeps cover
  double coveredHigh = 0.0;
  std::wstring flatSweep;  // kFlat
};

// In pair order, each pair's bands in order. Sweeps the graph plug-in does not hold count
// as covering nothing.
std::vector<UnevaluatedBand> FindUnevaluatedBands(const std::vector<PairReadout>& pairs,
                                                  const CGraphPlugin& graph);

}  // namespace orlo::host
