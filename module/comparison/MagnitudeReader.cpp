#include "module/comparison/MagnitudeReader.h"

#include "module/comparison/SweepOrder.h"

#include <algorithm>
#include <cmath>

namespace {

// Readings at the points of a merged grid usually move the bound by a point or two; further
// than this the search bisects.
constexpr int kShortWalk = 8;

// The straight line from point i to point i + 1 at f; the one formula of both readings.
double StraightLine(const SweepPoint& p0, const SweepPoint& p1, double f) {
  const double f0 = p0.frequency;
  const double f1 = p1.frequency;
  const double v0 = p0.values[kMagnitudeIndex];
  const double v1 = p1.values[kMagnitudeIndex];
  return v0 + (v1 - v0) * (f - f0) / (f1 - f0);
}

}  // namespace

double InterpolateMagnitude(const SweepData& sweep, double f) {
  const int count = PointCount(sweep);
  for (int i = 0; i + 1 < count; ++i) {
    const double v0 = sweep.points[i].values[kMagnitudeIndex];
    if (std::isinf(v0)) {
      continue;
    }
    const double f0 = sweep.points[i].frequency;
    if (f0 == f) {
      return v0;
    }
    const double f1 = sweep.points[i + 1].frequency;
    if (f0 < f && f1 > f) {
      return StraightLine(sweep.points[i], sweep.points[i + 1], f);
    }
  }
  return 1.0;
}

MagnitudeReader::MagnitudeReader(const SweepData& sweep, MagnitudeReading reading)
    : sweep_(sweep), count_(PointCount(sweep)) {
  if (reading == MagnitudeReading::kSearch) {
    const std::optional<bool> known = KnownAscending(sweep);
    search_ = known ? *known : FrequenciesAscend(sweep);
  }
}

// On ascending frequencies the scan can only stop at two kinds of pair. With `bound` the
// first point whose frequency is not below f: when frequency `bound` equals f, the first
// point of that run of equal frequencies that has a finite magnitude and is not the last
// point; otherwise the pair (bound - 1, bound) around f, unless magnitude bound - 1 is
// infinite. Every earlier pair ends at or below f, every later one starts above it.
double MagnitudeReader::At(double f) {
  if (!search_) {
    return InterpolateMagnitude(sweep_, f);
  }
  // Most readings on a merged grid land on the point after the previous one: then that
  // point is the lower bound and, with a finite magnitude and a successor, the answer.
  const int next = bound_ + 1;
  if (next + 1 < count_ && Frequency(next) == f && Frequency(bound_) < f) {
    const double magnitude = Magnitude(next);
    if (!std::isinf(magnitude)) {
      bound_ = next;
      return magnitude;
    }
  }
  if (std::isnan(f)) {
    return 1.0;  // equal to no frequency and between none
  }
  const int bound = LowerBound(f);
  bound_ = bound;
  if (bound < count_ && Frequency(bound) == f) {
    const int i = FirstReadableOfRun(bound);
    return i < 0 ? 1.0 : Magnitude(i);
  }
  if (bound == 0 || bound == count_ || std::isinf(Magnitude(bound - 1))) {
    return 1.0;
  }
  return StraightLine(sweep_.points[bound - 1], sweep_.points[bound], f);
}

// First point whose frequency is not below f (count_ when none), searched from the bound of
// the previous reading.
int MagnitudeReader::LowerBound(double f) {
  const auto below = [&](int i) { return Frequency(i) < f; };
  int lo = 0;
  int hi = count_;  // the bound lies in [lo, hi]
  if (bound_ < count_ && below(bound_)) {
    lo = bound_ + 1;
    const int walkEnd = std::min(count_, lo + kShortWalk);
    while (lo < walkEnd && below(lo)) {
      ++lo;
    }
    if (lo < walkEnd) {
      return lo;
    }
  } else if (bound_ == 0 || below(bound_ - 1)) {
    return bound_;
  } else {
    hi = bound_ - 1;
  }
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (below(mid)) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

// The first point from `first` on with the frequency of `first`, a finite magnitude and a
// successor, or -1. The answer for the last run asked is kept: a grid repeats a frequency
// as often as a sweep does, and a run of infinite magnitudes is walked only once.
int MagnitudeReader::FirstReadableOfRun(int first) {
  if (first != runFirst_) {
    runFirst_ = first;
    runReadable_ = -1;
    for (int i = first; i + 1 < count_ && Frequency(i) == Frequency(first); ++i) {
      if (!std::isinf(Magnitude(i))) {
        runReadable_ = i;
        break;
      }
    }
  }
  return runReadable_;
}
