#include "host/output/PointReduction.h"

#include <algorithm>
#include <cmath>

namespace orlo::host {

std::vector<PlotPoint> ReducePerColumn(std::span<const PlotPoint> points) {
  std::vector<PlotPoint> reduced;
  size_t start = 0;
  while (start < points.size()) {
    const double column = std::floor(points[start].x);
    size_t end = start + 1;
    size_t lowest = start;
    size_t highest = start;
    for (; end < points.size() && std::floor(points[end].x) == column; ++end) {
      if (points[end].y < points[lowest].y) lowest = end;
      if (points[end].y > points[highest].y) highest = end;
    }
    size_t kept[] = {start, lowest, highest, end - 1};
    std::sort(std::begin(kept), std::end(kept));
    const auto last = std::unique(std::begin(kept), std::end(kept));
    for (auto index = std::begin(kept); index != last; ++index) reduced.push_back(points[*index]);
    start = end;
  }
  return reduced;
}

}  // namespace orlo::host
