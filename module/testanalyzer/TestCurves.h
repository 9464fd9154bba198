// The two computed curves of the test analyzer: the difference of two sweeps and their
// sliding correlation. Pure functions of two sweeps whose magnitudes (value index
// kMagnitudeIndex) are already in dB and whose points are in ascending frequency.
//
// Both are evaluated literally in the order written below (the module is compiled without
// floating-point contraction), so their points are reproducible bit for bit. Sweeps
// without points give empty curves.
#pragma once

#include "module/comparison/SweepData.h"

#include <vector>

namespace testanalyzer {

struct CurvePoint {
  double x = 0.0;
  double y = 0.0;
};

// A − B in dB, one point per point r of the reference sweep R. R is the sweep whose first
// frequency is higher (`a` when both start at the same frequency); the other sweep O is
// interpolated at r's frequency fr between its neighbours (x1, y1) and (x2, y2):
//   upper: the first point of O above fr, searched forward from the lower neighbour of the
//          previous r (at first: the first point of O at or above R's first frequency);
//          when none lies above, the point the search started from;
//   lower: the first point of O at or below fr, searched backward from the upper one;
//   slope = (y2 − y1) / (x2 − x1);  d = r − (y2 − slope·x2 + slope·fr), negated when R is `b`.
// Evaluated in double from the float fields. A point whose neighbours share their frequency
// (x2 == x1: fr outside O's range, or on O's last point) gives nothing, and so does the whole
// curve when O has no point at or above R's first frequency.
std::vector<CurvePoint> DifferenceCurve(const SweepData& a, const SweepData& b);

// Pearson correlation of the dB magnitudes of `a` and `b` over windows of `window` points,
// moved by `step` points: for each window start s one point (frequency of a at s, r), with
// the window s .. e − 1, e = min(s + window, n), n = the point count of the shorter sweep
// (the windows near the end hold fewer points), taken at the same indices in both sweeps:
//   mean_a = Σa / len, mean_b = Σb / len, mean_ab = Σ(a × b) / len   (len = e − s; sums in
//   double, each product a × b rounded to single precision first),
//   sd_a = √(Σ(a − mean_a)² / len), sd_b likewise,
//   r = (mean_ab − mean_a × mean_b) / (sd_b × sd_a).
// Empty unless both sweeps have more than `window` points (and window, step >= 1). A window
// without spread (sd 0), or with infinite or NaN magnitudes, has no finite r and gives no
// point.
std::vector<CurvePoint> SlidingCorrelationCurve(const SweepData& a, const SweepData& b,
                                                int window, int step);

}  // namespace testanalyzer
