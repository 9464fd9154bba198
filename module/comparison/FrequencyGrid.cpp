#include "module/comparison/FrequencyGrid.h"

#include <cmath>

namespace {

// Walks both sweeps the way MergeFrequencies documents and hands each frequency of the grid,
// in order, to `take`.
template <typename Take>
void WalkMerge(const SweepData& a, const SweepData& b, Take take) {
  const int countA = PointCount(a);
  const int countB = PointCount(b);
  int j = 0;
  for (int i = 0; i < countA; ++i) {
    const float fa = a.points[i].frequency;
    while (j < countB) {
      const float fb = b.points[j].frequency;
      if (fb == fa) {
        take(fb);
        ++j;
        break;
      }
      if (fb > fa) {
        take(fa);
        break;
      }
      take(fb);  // below fa, or not comparable
      ++j;
    }
  }
}

}  // namespace

// Two walks, one to count and one to fill, keep the grid in one array of its exact size.
std::unique_ptr<double[]> MergeFrequencies(const SweepData& a, const SweepData& b, int& count) {
  count = 0;
  WalkMerge(a, b, [&count](float) { ++count; });
  if (count == 0) {
    return nullptr;
  }
  auto grid = std::make_unique_for_overwrite<double[]>(count);
  int k = 0;
  WalkMerge(a, b, [&grid, &k](float f) { grid[k++] = f; });
  return grid;
}

int FindNearIndex(double f, const double* freqs, int count, double tolerance) {
  if (freqs == nullptr || count < 1) {
    return -1;
  }
  int lo = 0;
  int hi = count - 1;
  int mid = 0;
  while (lo <= hi) {
    mid = lo + (hi - lo) / 2;
    if (f > freqs[mid]) {
      lo = mid + 1;
    } else if (freqs[mid] > f) {
      hi = mid - 1;
    } else {
      return mid;
    }
  }

  const double tol = f * tolerance;
  if (tol > std::fabs(f - freqs[mid])) {
    return mid;
  }
  if (mid > 0 && tol > std::fabs(f - freqs[mid - 1])) {
    return mid - 1;
  }
  if (mid + 1 < count && tol > std::fabs(f - freqs[mid + 1])) {
    return mid + 1;
  }
  return -1;
}
