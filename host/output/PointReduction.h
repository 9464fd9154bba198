// PointReduction: a polyline thinned to what a screen can show of it.
//
// ReducePerColumn takes points already placed in pixels. Each run of consecutive points
// that fall into the same pixel column (the same floor(x)) is replaced by its first point,
// its lowest point, its highest point and its last point, in their original order and
// each once, so the drawn line keeps every extreme and joins its neighbours as before.
// A million-point sweep on a plot 1000 pixels wide becomes at most 4000 points.
//
// Pure function; the points may come in any order (runs are consecutive points).
#pragma once

#include <span>
#include <vector>

namespace orlo::host {

struct PlotPoint {
  double x = 0.0;
  double y = 0.0;
  bool operator==(const PlotPoint&) const = default;
};

std::vector<PlotPoint> ReducePerColumn(std::span<const PlotPoint> points);

}  // namespace orlo::host
