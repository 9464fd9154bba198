#include "host/output/UnevaluatedBands.h"

#include "host/graph/GraphPlugin.h"

#include <algorithm>

namespace orlo::host {

namespace {

// The relative factor of a band whose correlation could not be computed.
constexpr double kUndefinedFactor = 10.0;
constexpr double kEdgeTolerance = 0.01;

// Whether the magnitude is the same at every point the band's values are read from: the
// points inside [low, high] and the nearest point on each side of it.
bool IsFlat(const Sweep& sweep, double low, double high) {
  const auto& points = sweep.points;
  const auto below = [](const Sweep::Point& point, double f) { return point.frequency < f; };
  auto first = std::lower_bound(points.begin(), points.end(), low, below);
  auto last = std::lower_bound(points.begin(), points.end(), high, below);
  if (first != points.begin()) --first;
  if (last != points.end()) ++last;
  return std::all_of(first, last, [&](const Sweep::Point& point) {
    return point.magnitudeRatio == (*first).magnitudeRatio;
  });
}

}  // namespace

std::vector<UnevaluatedBand> FindUnevaluatedBands(const std::vector<PairReadout>& pairs,
                                                  const CGraphPlugin& graph) {
  std::vector<UnevaluatedBand> found;
  for (const PairReadout& pair : pairs) {
    const Sweep* a = graph.FindSweep(pair.sweepA);
    const Sweep* b = graph.FindSweep(pair.sweepB);
    for (const BandReadout& statistic : pair.statistics) {
      const bool marker = statistic.value >= kBandValueMarkerLimit;
      if (!marker && statistic.value != kUndefinedFactor) continue;
      UnevaluatedBand band;
      band.tag = pair.tag;
      band.sweepA = pair.sweepA;
      band.sweepB = pair.sweepB;
      band.band = statistic.band;
      band.low = statistic.low;
      band.high = statistic.high;
      if (a != nullptr && b != nullptr) {
        band.coveredLow = std::max(a->points.front().frequency, b->points.front().frequency);
        band.coveredHigh = std::min(a->points.back().frequency, b->points.back().frequency);
      }
      if (band.coveredLow > band.low * (1.0 + kEdgeTolerance) ||
          band.coveredHigh < band.high * (1.0 - kEdgeTolerance)) {
        band.reason = UnevaluatedBand::Reason::kNotReached;
      } else if (IsFlat(*a, band.low, band.high) || IsFlat(*b, band.low, band.high)) {
        band.reason = UnevaluatedBand::Reason::kFlat;
        band.flatSweep = IsFlat(*a, band.low, band.high) ? pair.sweepA : pair.sweepB;
      } else if (!marker) {
        continue;  // a true 10.0: the curves agree completely
      }
      found.push_back(band);
    }
  }
  return found;
}

}  // namespace orlo::host
