#include "host/output/SvgGraph.h"

#include "host/output/AxisTicks.h"
#include "host/output/HtmlText.h"
#include "host/output/PointReduction.h"
#include "platform/common/NumberText.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>

namespace orlo::host {

namespace {

// The plot area inside the figure; the margins hold the tick labels and axis labels, and
// above the plot two rows of range labels.
constexpr double kLeft = 72.0;
constexpr double kRight = kGraphWidth - 40.0;
constexpr double kTop = 38.0;
constexpr double kBottom = kGraphHeight - 56.0;
constexpr double kLabelRowHeight = 14.0;
constexpr double kLabelCharWidth = 7.0;  // a generous estimate at 12 px
// An automatic value axis leaves this share of the values' span free above and below them.
constexpr double kValuePadding = 0.04;
constexpr double kMarkSize = 6.0;  // the triangle that marks an infinite value
constexpr int kValueIntervals = 8;
// An empty graph still shows a frequency axis over the usual sweep range.
constexpr double kEmptyLowHz = 20.0;
constexpr double kEmptyHighHz = 2.0e6;
// Values beyond these magnitudes cannot place an axis and are drawn at the plot's edge.
constexpr double kLargest = 1e300;
constexpr double kSmallestOnLog = 1e-300;

constexpr char kGridColour[] = "#D0D0D0";
constexpr char kTextColour[] = "#202020";

// Lowest and highest of the values added.
struct Extent {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();

  void Add(double value) {
    low = std::min(low, value);
    high = std::max(high, value);
  }
  bool Empty() const { return low > high; }
};

// One axis placed on a pixel interval (`from` is where the axis's low end goes).
class Scale {
 public:
  Scale(const AxisTicks& ticks, bool logarithmic, double from, double to)
      : logarithmic_(logarithmic),
        low_(Position(ticks.low)),
        high_(Position(ticks.high)),
        from_(from),
        to_(to) {}

  bool Drawable(double value) const {
    return std::isfinite(value) && (!logarithmic_ || value > 0.0);
  }
  bool Inside(double value) const {
    const double position = Position(value);
    return position >= low_ && position <= high_;
  }
  // The pixel of a drawable value, held to the plot's edges.
  double operator()(double value) const {
    const double pixel = from_ + (Position(value) - low_) / (high_ - low_) * (to_ - from_);
    return std::clamp(pixel, std::min(from_, to_), std::max(from_, to_));
  }

 private:
  double Position(double value) const { return logarithmic_ ? std::log10(value) : value; }

  bool logarithmic_;
  double low_;
  double high_;
  double from_;
  double to_;
};

bool PlacesAxis(double value, bool logarithmic) {
  return std::isfinite(value) && std::abs(value) <= kLargest &&
         (!logarithmic || value >= kSmallestOnLog);
}

AxisTicks FrequencyTicks(const GraphSnapshot& graph) {
  if (graph.frequencyWindow) {
    const auto [low, high] = *graph.frequencyWindow;
    if (PlacesAxis(low, graph.logarithmicX) && PlacesAxis(high, graph.logarithmicX) && low < high) {
      return graph.logarithmicX ? DecadeTicks(low, high) : RoundTicks(low, high, kValueIntervals);
    }
  }
  Extent extent;
  const auto add = [&](double value) {
    if (PlacesAxis(value, graph.logarithmicX)) extent.Add(value);
  };
  for (const CurveSnapshot& curve : graph.curves) {
    for (const CurvePoint& point : curve.points) add(point.x);
  }
  for (const RangeSnapshot& range : graph.ranges) {
    add(range.low);
    add(range.high);
  }
  if (extent.Empty()) extent = {kEmptyLowHz, kEmptyHighHz};
  return graph.logarithmicX ? DecadeTicks(extent.low, extent.high)
                            : RoundTicks(extent.low, extent.high, kValueIntervals);
}

AxisTicks ValueTicks(const GraphSnapshot& graph) {
  if (graph.valueRange) {
    const auto [low, high] = *graph.valueRange;
    if (PlacesAxis(low, false) && PlacesAxis(high, false) && low < high) {
      return TicksWithin(low, high, kValueIntervals);
    }
  }
  Extent extent;
  for (const CurveSnapshot& curve : graph.curves) {
    for (const CurvePoint& point : curve.points) {
      if (PlacesAxis(point.y, false)) extent.Add(point.y);
    }
  }
  if (extent.Empty()) extent = {0.0, 1.0};
  const double padding = (extent.high - extent.low) * kValuePadding;
  return RoundTicks(extent.low - padding, extent.high + padding, kValueIntervals);
}

void WriteText(std::ostream& out, double x, double y, const char* anchor,
               const std::string& escaped, const char* extra = "") {
  out << "<text x=\"" << Pixels(x) << "\" y=\"" << Pixels(y) << "\" text-anchor=\"" << anchor
      << "\"" << extra << ">" << escaped << "</text>";
}

void WriteFrequencyAxis(const AxisTicks& ticks, bool logarithmic, const Scale& x,
                        std::ostream& out) {
  out << "<g stroke=\"" << kGridColour << "\" stroke-dasharray=\"2 3\">";
  for (const double tick : ticks.minor) {
    out << "<line x1=\"" << Pixels(x(tick)) << "\" y1=\"" << kTop << "\" x2=\""
        << Pixels(x(tick)) << "\" y2=\"" << kBottom << "\"/>";
  }
  out << "</g>\n";
  for (const double tick : ticks.major) {
    const std::string pixel = Pixels(x(tick));
    out << "<g class=\"x-tick\"><line x1=\"" << pixel << "\" y1=\"" << kTop << "\" x2=\""
        << pixel << "\" y2=\"" << kBottom + 5 << "\" stroke=\"" << kGridColour << "\"/>";
    WriteText(out, x(tick), kBottom + 20, "middle",
              Escape(logarithmic ? FrequencyLabel(tick) : ValueLabel(tick, ticks.step)));
    out << "</g>\n";
  }
}

void WriteValueAxis(const AxisTicks& ticks, const Scale& y, std::ostream& out) {
  for (const double tick : ticks.major) {
    const std::string pixel = Pixels(y(tick));
    out << "<g class=\"y-tick\"><line x1=\"" << kLeft - 5 << "\" y1=\"" << pixel << "\" x2=\""
        << kRight << "\" y2=\"" << pixel << "\" stroke=\"" << kGridColour << "\"/>";
    WriteText(out, kLeft - 8, y(tick) + 4, "end", Escape(ValueLabel(tick, ticks.step)));
    out << "</g>\n";
  }
}

// Range bands, each shaded over the plot in its colour, with its label above the plot: in
// the first of the two label rows where it does not run into a label already placed.
void WriteRanges(const std::vector<RangeSnapshot>& ranges, const Scale& x, std::ostream& out) {
  double rowEnds[2] = {-std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity()};
  for (const RangeSnapshot& range : ranges) {
    const double left = x.Drawable(range.low) ? x(range.low) : kLeft;
    const double right = x.Drawable(range.high) ? x(range.high) : kLeft;
    const double from = std::min(left, right);
    const double to = std::max(left, right);
    const std::string colour = ColourText(range.colour);
    out << "<g class=\"range\"><title>" << Escape(range.label) << "</title><rect class=\"band\" x=\""
        << Pixels(from) << "\" y=\"" << kTop << "\" width=\"" << Pixels(to - from)
        << "\" height=\"" << kBottom - kTop << "\" fill=\"" << colour
        << "\" fill-opacity=\"0.5\"/>";
    const double width = static_cast<double>(CountUtf8Chars(WideToUtf8(range.label))) * kLabelCharWidth;
    const double centre = std::clamp((from + to) / 2, width / 2, kGraphWidth - width / 2);
    const int row = centre - width / 2 >= rowEnds[0] ? 0 : (centre - width / 2 >= rowEnds[1] ? 1 : 0);
    rowEnds[row] = centre + width / 2 + kLabelCharWidth;
    WriteText(out, centre, kTop - 6 - row * kLabelRowHeight, "middle", Escape(range.label),
              " class=\"range-label\"");
    out << "</g>\n";
  }
}

void WritePolyline(const std::vector<PlotPoint>& run, std::ostream& out) {
  const std::vector<PlotPoint> reduced = ReducePerColumn(run);
  out << "<polyline points=\"";
  for (const PlotPoint& point : reduced) out << Pixels(point.x) << ',' << Pixels(point.y) << ' ';
  // A lone point is drawn as a dot: a line of length zero with round caps.
  if (reduced.size() == 1) out << Pixels(reduced[0].x) << ',' << Pixels(reduced[0].y);
  out << "\"/>";
}

const std::wstring& LegendName(const CurveSnapshot& curve) {
  return curve.sweep.empty() ? curve.name : curve.sweep;
}

// A value of -inf (a magnitude of 0) is marked by a triangle pointing down from the plot's
// bottom edge at its frequency, +inf by one pointing up from the top edge.
void WriteInfinityMark(double pixel, bool positive, std::ostream& out) {
  const double edge = positive ? kTop : kBottom;
  const double tip = positive ? kTop - kMarkSize : kBottom + kMarkSize;
  out << "<path class=\"infinite\" d=\"M" << Pixels(pixel - kMarkSize / 2) << ' ' << Pixels(edge)
      << 'H' << Pixels(pixel + kMarkSize / 2) << 'L' << Pixels(pixel) << ' ' << Pixels(tip)
      << "Z\" stroke=\"none\" fill=\"currentColor\"/>";
}

// `zoomed`: points outside the frequency axis are left out.
void WriteCurve(const CurveSnapshot& curve, const Scale& x, const Scale& y, bool zoomed,
                std::ostream& out) {
  out << "<g class=\"curve\" fill=\"none\" stroke=\"" << ColourText(curve.colour)
      << "\" stroke-width=\"" << std::max(1, curve.width)
      << "\" color=\"" << ColourText(curve.colour)
      << "\" stroke-linejoin=\"round\" stroke-linecap=\"round\"><title>" << Escape(LegendName(curve))
      << "</title>";
  std::vector<PlotPoint> run;
  for (const CurvePoint& point : curve.points) {
    const bool shown = x.Drawable(point.x) && (!zoomed || x.Inside(point.x));
    if (shown && std::isinf(point.y)) WriteInfinityMark(x(point.x), point.y > 0, out);
    if (shown && y.Drawable(point.y)) {
      run.push_back({x(point.x), y(point.y)});
    } else if (!run.empty()) {
      WritePolyline(run, out);
      run.clear();
    }
  }
  if (!run.empty()) WritePolyline(run, out);
  out << "</g>\n";
}

void WriteLegend(const GraphSnapshot& graph, std::ostream& out) {
  if (graph.curves.empty()) return;
  out << "<ul class=\"legend\">";
  for (const CurveSnapshot& curve : graph.curves) {
    out << "<li><span class=\"swatch\" style=\"border-top:" << std::max(2, curve.width)
        << "px solid " << ColourText(curve.colour) << "\"></span>" << Escape(LegendName(curve))
        << "</li>";
  }
  out << "</ul>\n";
}

}  // namespace

void WriteGraphFigure(const GraphSnapshot& graph, std::ostream& out) {
  const AxisTicks frequencies = FrequencyTicks(graph);
  const AxisTicks values = ValueTicks(graph);
  const Scale x(frequencies, graph.logarithmicX, kLeft, kRight);
  const Scale y(values, false, kBottom, kTop);

  out << "<figure class=\"graph\">\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\""
      << kGraphWidth << "\" height=\"" << kGraphHeight << "\" viewBox=\"0 0 " << kGraphWidth
      << ' ' << kGraphHeight << "\" data-frequency-low=\"" << FormatShortest(frequencies.low)
      << "\" data-frequency-high=\"" << FormatShortest(frequencies.high)
      << "\" font-family=\"sans-serif\" font-size=\"12\" fill=\""
      << kTextColour << "\">\n";
  out << "<rect class=\"plot-area\" x=\"" << kLeft << "\" y=\"" << kTop << "\" width=\""
      << kRight - kLeft << "\" height=\"" << kBottom - kTop << "\" fill=\"#FFFFFF\"/>\n";
  std::vector<RangeSnapshot> ranges;  // those the zoomed axis shows some of
  for (const RangeSnapshot& range : graph.ranges) {
    if (!graph.frequencyWindow || (std::max(range.low, range.high) >= frequencies.low &&
                                   std::min(range.low, range.high) <= frequencies.high)) {
      ranges.push_back(range);
    }
  }
  WriteRanges(ranges, x, out);
  WriteFrequencyAxis(frequencies, graph.logarithmicX, x, out);
  WriteValueAxis(values, y, out);
  for (const CurveSnapshot& curve : graph.curves) {
    WriteCurve(curve, x, y, graph.frequencyWindow.has_value(), out);
  }
  out << "<rect x=\"" << kLeft << "\" y=\"" << kTop << "\" width=\"" << kRight - kLeft
      << "\" height=\"" << kBottom - kTop << "\" fill=\"none\" stroke=\"#808080\"/>\n";
  WriteText(out, (kLeft + kRight) / 2, kGraphHeight - 10, "middle", Escape(graph.xLabel));
  out << '\n';
  WriteText(out, 0, 0, "middle", Escape(graph.yLabel),
            (" transform=\"translate(16 " + Pixels((kTop + kBottom) / 2) + ") rotate(-90)\"")
                .c_str());
  out << "\n</svg>\n";
  WriteLegend(graph, out);
  out << "</figure>\n";
}

}  // namespace orlo::host
