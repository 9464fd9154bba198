#include "module/testanalyzer/TestCurves.h"

#include <algorithm>
#include <cmath>

namespace testanalyzer {

namespace {

float Frequency(const SweepData& sweep, int i) { return sweep.points[i].frequency; }
float Magnitude(const SweepData& sweep, int i) { return sweep.points[i].values[kMagnitudeIndex]; }

}  // namespace

std::vector<CurvePoint> DifferenceCurve(const SweepData& a, const SweepData& b) {
  std::vector<CurvePoint> curve;
  if (PointCount(a) == 0 || PointCount(b) == 0) {
    return curve;
  }
  const bool referenceIsB = Frequency(b, 0) > Frequency(a, 0);
  const SweepData& reference = referenceIsB ? b : a;
  const SweepData& other = referenceIsB ? a : b;
  const int referenceCount = PointCount(reference);
  const int otherCount = PointCount(other);

  int k = 0;
  while (k < otherCount && Frequency(other, k) < Frequency(reference, 0)) {
    ++k;
  }
  if (k == otherCount) {
    return curve;
  }

  for (int i = 0; i < referenceCount; ++i) {
    const double fr = Frequency(reference, i);
    int upper = k;
    for (int j = k; j < otherCount; ++j) {
      if (Frequency(other, j) > fr) {
        upper = j;
        break;
      }
    }
    int lower = upper;
    for (int j = upper; j >= 0; --j) {
      if (Frequency(other, j) <= fr) {
        lower = j;
        break;
      }
    }
    k = lower;

    const double x1 = Frequency(other, lower);
    const double y1 = Magnitude(other, lower);
    const double x2 = Frequency(other, upper);
    const double y2 = Magnitude(other, upper);
    if (x2 == x1) {
      continue;
    }
    const double slope = (y2 - y1) / (x2 - x1);
    double d = Magnitude(reference, i) - (y2 - slope * x2 + slope * fr);
    if (referenceIsB) {
      d = -d;
    }
    curve.push_back({fr, d});
  }
  return curve;
}

std::vector<CurvePoint> SlidingCorrelationCurve(const SweepData& a, const SweepData& b,
                                                int window, int step) {
  std::vector<CurvePoint> curve;
  if (window < 1 || step < 1 || PointCount(a) <= window || PointCount(b) <= window) {
    return curve;
  }
  const int n = std::min(PointCount(a), PointCount(b));
  for (int s = 0; s < n; s += step) {
    const int e = std::min(s + window, n);
    const double len = e - s;
    double sumA = 0.0;
    double sumB = 0.0;
    double sumAB = 0.0;
    for (int i = s; i < e; ++i) {
      const float va = Magnitude(a, i);
      const float vb = Magnitude(b, i);
      sumA += va;
      sumB += vb;
      sumAB += va * vb;  // a float product, widened for the sum
    }
    const double meanA = sumA / len;
    const double meanB = sumB / len;
    const double meanAB = sumAB / len;
    double squaresA = 0.0;
    double squaresB = 0.0;
    for (int i = s; i < e; ++i) {
      const double da = Magnitude(a, i) - meanA;
      const double db = Magnitude(b, i) - meanB;
      squaresA += da * da;
      squaresB += db * db;
    }
    const double sdA = std::sqrt(squaresA / len);
    const double sdB = std::sqrt(squaresB / len);
    const double r = (meanAB - meanA * meanB) / (sdB * sdA);
    if (std::isfinite(r)) {
      curve.push_back({Frequency(a, s), r});
    }
  }
  return curve;
}

}  // namespace testanalyzer
