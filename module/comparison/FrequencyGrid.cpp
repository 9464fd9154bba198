#include "module/comparison/FrequencyGrid.h"

#include <algorithm>
#include <cmath>
#include <vector>

std::unique_ptr<double[]> MergeFrequencies(const SweepData& a, const SweepData& b, int& count) {
  const int countA = PointCount(a);
  const int countB = PointCount(b);
  std::vector<double> merged;
  int j = 0;
  for (int i = 0; i < countA; ++i) {
    const float fa = a.points[i].frequency;
    while (j < countB) {
      const float fb = b.points[j].frequency;
      if (fb == fa) {
        merged.push_back(fb);
        ++j;
        break;
      }
      if (fb > fa) {
        merged.push_back(fa);
        break;
      }
      merged.push_back(fb);  // below fa, or not comparable
      ++j;
    }
  }

  count = static_cast<int>(merged.size());
  if (merged.empty()) {
    return nullptr;
  }
  auto grid = std::make_unique<double[]>(merged.size());
  std::copy(merged.begin(), merged.end(), grid.get());
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
