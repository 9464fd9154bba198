// SvgGraph: one graph of a panel as the graph plug-in would draw it, as an inline SVG
// figure of fixed size (kGraphWidth × kGraphHeight pixels) followed by its legend.
//
// Drawn from the graph's state only: the frequency axis is logarithmic with a tick and a
// label at every decade (Hz, kHz, MHz) unless the graph's x axis is linear, and spans the
// curves and ranges, or the frequency window the user zoomed to (points outside it are
// left out, ranges cut at its edges); the svg element's data-frequency-low and
// data-frequency-high attributes give the axis's ends in Hz. The value axis
// has round ticks and spans the curves' values, or exactly the range the analyzer fixed.
// Each range is a band shaded in its colour from its low to its high frequency with its
// label on top; each curve a polyline in its colour and width, reduced to what the plot's
// pixel columns can show (PointReduction); non-finite values, and frequencies at or below
// zero on a logarithmic axis, leave a gap. Values outside a fixed range are drawn at the
// plot's edge. The legend lists the curves by name, in drawing order.
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
