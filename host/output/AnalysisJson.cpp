#include "host/output/AnalysisJson.h"

namespace orlo::host {

namespace {

using json::Value;

Value Integer(std::int64_t value) { return Value::Integer(value); }

template <typename T, typename Make>
Value ArrayOf(const std::vector<T>& items, Make make) {
  Value array = Value::MakeArray();
  for (const T& item : items) array.Append(make(item));
  return array;
}

template <typename T, typename Make>
Value OptionalOf(const std::optional<T>& item, Make make) {
  return item ? make(*item) : Value();
}

Value GridCells(const GridSnapshot& grid) {
  return ArrayOf(grid.cells, [](const std::vector<std::wstring>& row) {
    return ArrayOf(row, [](const std::wstring& text) { return Value::String(text); });
  });
}

Value Greyed(const std::optional<GridSnapshot>& grid) {
  Value cells = Value::MakeArray();
  if (!grid) return cells;
  for (const auto& [row, column] : grid->greyed) {
    Value cell = Value::MakeArray();
    cell.Append(Integer(row));
    cell.Append(Integer(column));
    cells.Append(std::move(cell));
  }
  return cells;
}

Value Band(const BandReadout& band) {
  Value object = Value::MakeObject();
  object.Set("band", Value::String(band.band));
  object.Set("low", Value::Number(band.low));
  object.Set("high", Value::Number(band.high));
  object.Set("value", Value::Number(band.value));
  return object;
}

Value Pair(const PairReadout& pair) {
  Value object = Value::MakeObject();
  object.Set("tag", Value::String(pair.tag));
  object.Set("sweepA", Value::String(pair.sweepA));
  object.Set("sweepB", Value::String(pair.sweepB));
  object.Set("statistics", ArrayOf(pair.statistics, Band));
  object.Set("conclusion", Value::String(pair.conclusion));
  object.Set("magnitudeDifference", OptionalOf(pair.magnitudeDifference, Value::Number));
  object.Set("magnitudeDifferenceVerdict",
             OptionalOf(pair.magnitudeDifferenceVerdict,
                        [](const std::wstring& text) { return Value::String(text); }));
  return object;
}

Value Graph(const PanelSnapshot& panel) {
  Value graph = Value::MakeObject();
  graph.Set("curves", ArrayOf(panel.curves, [](const CurveSnapshot& curve) {
              Value object = Value::MakeObject();
              object.Set("name", Value::String(curve.name));
              object.Set("colour", Integer(curve.colour));
              object.Set("width", Integer(curve.width));
              object.Set("points", Integer(static_cast<std::int64_t>(curve.points)));
              return object;
            }));
  graph.Set("ranges", ArrayOf(panel.ranges, [](const RangeSnapshot& range) {
              Value object = Value::MakeObject();
              object.Set("label", Value::String(range.label));
              object.Set("low", Value::Number(range.low));
              object.Set("high", Value::Number(range.high));
              object.Set("colour", Integer(range.colour));
              return object;
            }));
  return graph;
}

Value NumberPair(double first, double second) {
  Value pair = Value::MakeArray();
  pair.Append(Value::Number(first));
  pair.Append(Value::Number(second));
  return pair;
}

Value GraphWindow(const GraphWindowSnapshot& window) {
  Value object = Value::MakeObject();
  object.Set("xLabel", Value::String(window.xLabel));
  object.Set("yLabel", Value::String(window.yLabel));
  object.Set("yRange", OptionalOf(window.valueRange, [](const std::pair<double, double>& range) {
               return NumberPair(range.first, range.second);
             }));
  object.Set("curves", ArrayOf(window.curves, [](const XYCurveSnapshot& curve) {
               Value entry = Value::MakeObject();
               entry.Set("name", Value::String(curve.name));
               entry.Set("colour", Integer(curve.colour));
               entry.Set("width", Integer(curve.width));
               entry.Set("points", ArrayOf(curve.points, [](const CurvePoint& point) {
                           return NumberPair(point.x, point.y);
                         }));
               return entry;
             }));
  return object;
}

Value Panel(const PanelSnapshot& panel) {
  Value object = Value::MakeObject();
  object.Set("index", Integer(static_cast<std::int64_t>(panel.index)));
  object.Set("name", Value::String(panel.name));
  object.Set("guid", Value::String(panel.guid));
  object.Set("results", OptionalOf(panel.results, GridCells));
  object.Set("selectedRow",
             panel.results ? OptionalOf(panel.results->selectedRow, Integer) : Value());
  object.Set("criteria", OptionalOf(panel.criteria, GridCells));
  object.Set("greyed", Greyed(panel.criteria));
  object.Set("conclusion", panel.hasReadout ? Value::String(panel.conclusion) : Value());
  object.Set("magnitudeDifferenceConclusion",
             OptionalOf(panel.magnitudeDifferenceConclusion,
                        [](const std::wstring& text) { return Value::String(text); }));
  object.Set("pairs", ArrayOf(panel.pairs, Pair));
  object.Set("graph", Graph(panel));
  object.Set("graphs", ArrayOf(panel.graphs, GraphWindow));
  return object;
}

Value Report(const std::optional<std::vector<ReportParameter>>& report) {
  if (!report) return Value::MakeArray();
  return ArrayOf(*report, [](const ReportParameter& parameter) {
    Value object = Value::MakeObject();
    object.Set("name", Value::String(parameter.name));
    object.Set("value", Value::String(parameter.value));
    object.Set("colour", OptionalOf(parameter.colour, [](COLORREF c) { return Integer(c); }));
    return object;
  });
}

}  // namespace

json::Value AnalysisJson(const AnalysisSnapshot& analysis) {
  Value document = Value::MakeObject();
  document.Set("format", Value::String(std::string("orlo-analysis/1")));
  document.Set("sweeps", ArrayOf(analysis.sweeps, [](const SweepSummary& sweep) {
                 Value object = Value::MakeObject();
                 object.Set("name", Value::String(sweep.name));
                 object.Set("file", Value::String(sweep.file));
                 object.Set("points", Integer(static_cast<std::int64_t>(sweep.points)));
                 return object;
               }));
  document.Set("analyzers", ArrayOf(analysis.panels, Panel));
  document.Set("report", Report(analysis.report));
  document.Set("messageBoxes", ArrayOf(analysis.messageBoxes, [](const win::MessageBoxRecord& box) {
                 Value object = Value::MakeObject();
                 object.Set("text", Value::String(box.text));
                 object.Set("style", Integer(box.style));
                 return object;
               }));
  return document;
}

}  // namespace orlo::host
