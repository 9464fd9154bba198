// SvgGraph: one graph of a panel as the graph plug-in would draw it, as an inline SVG
// figure of fixed size (kGraphWidth × kGraphHeight pixels) followed by its legend.
//
// Drawn from the graph's state only: the frequency axis is logarithmic with a tick and a
// label at every decade (Hz, kHz, MHz) unless the graph's x axis is linear, and spans the
// curves and ranges, or the frequency window the user zoomed to (points outside it are
// left out, ranges cut at its edges); the svg element's data-frequency-low and
// data-frequency-high attributes give the axis's ends in Hz. The value axis
// has round ticks and spans the curves' values with some room above and below them (no
// curve lies on the frame), or exactly the range the analyzer fixed. Each range is a band
// shaded in its colour from its low to its high frequency, its label above the plot (in a
// second row when it would run into the previous label); each curve a polyline in its
// colour and width, reduced to what the plot's pixel columns can show (PointReduction);
// non-finite values, and frequencies at or below zero on a logarithmic axis, leave a gap,
// and an infinite value is marked by a triangle ("infinite") at its frequency on the
// bottom (-inf) or top (+inf) edge. Values outside a fixed range are drawn at the plot's
// edge. The legend lists the curves, in drawing order, by the sweep they redraw when
// there is one (CurveSnapshot::sweep), else by name.
//
// Every text is escaped (HtmlText). Element classes the page's style sheet and the
// browser test rely on: "plot-area", "x-tick"/"y-tick" (a tick line and its label),
// "range" (a "band" rectangle and a "range-label"), "curve" (its polylines), "legend".
#pragma once

#include "host/output/AnalysisSnapshot.h"

#include <iosfwd>

namespace orlo::host {

constexpr int kGraphWidth = 960;
constexpr int kGraphHeight = 400;

void WriteGraphFigure(const GraphSnapshot& graph, std::ostream& out);

}  // namespace orlo::host
