#include "host/output/AnalysisJson.h"

#include <initializer_list>
#include <string_view>
#include <utility>

namespace orlo::host {

namespace {

using json::Value;


Value Integer(std::int64_t value) { return Value::Integer(value); }
Value Text(const std::wstring& text) { return Value::String(text); }

// An object with `members` in the order given.
Value ObjectOf(std::initializer_list<std::pair<std::string_view, Value>> members) {
  Value object = Value::MakeObject();
  for (const auto& [key, value] : members) object.Set(key, value);
  return object;
}

template <typename Items, typename Make>
Value ArrayOf(const Items& items, Make make) {
  Value array = Value::MakeArray();
  for (const auto& item : items) array.Append(make(item));
  return array;
}

template <typename T, typename Make>
Value OptionalOf(const std::optional<T>& item, Make make) {
  return item ? make(*item) : Value();
}

Value GridCells(const GridSnapshot& grid) {
  return ArrayOf(grid.cells,
                 [](const std::vector<std::wstring>& row) { return ArrayOf(row, Text); });
}

Value Greyed(const std::optional<GridSnapshot>& grid) {
  if (!grid) return Value::MakeArray();
  return ArrayOf(grid->greyed, [](const std::pair<int, int>& cell) {
    return ArrayOf(std::vector<int>{cell.first, cell.second}, Integer);
  });
}

Value Band(const BandReadout& band) {
  return ObjectOf({{"band", Text(band.band)},
                   {"low", Value::Number(band.low)},
                   {"high", Value::Number(band.high)},
                   {"value", Value::Number(band.value)}});
}

Value Selector(const SelectorSnapshot& selector) {
  return ObjectOf({{"entries", ArrayOf(selector.entries, Text)},
                   {"selected", OptionalOf(selector.selected, Integer)}});
}

// As the model file has it (labels always written).
Value Model(const ModelSnapshot& model) {
  return ObjectOf({{"name", Text(model.name)},
                   {"label", Text(model.label)},
                   {"items", ArrayOf(model.items, [](const ModelSnapshot::Item& item) {
                      return ObjectOf({{"name", Text(item.name)},
                                       {"sweeps", ArrayOf(item.sweeps, Integer)},
                                       {"labels", ArrayOf(item.labels, Text)}});
                    })}});
}

Value Pair(const PairReadout& pair) {
  return ObjectOf({{"tag", Text(pair.tag)},
                   {"sweepA", Text(pair.sweepA)},
                   {"sweepB", Text(pair.sweepB)},
                   {"statistics", ArrayOf(pair.statistics, Band)},
                   {"conclusion", Text(pair.conclusion)},
                   {"magnitudeDifference", OptionalOf(pair.magnitudeDifference, Value::Number)},
                   {"magnitudeDifferenceVerdict",
                    OptionalOf(pair.magnitudeDifferenceVerdict, Text)}});
}

Value Curve(const CurveSnapshot& curve) {
  return ObjectOf({{"name", Text(curve.name)},
                   {"colour", Integer(curve.colour)},
                   {"width", Integer(curve.width)},
                   {"points", Integer(static_cast<std::int64_t>(curve.points.size()))}});
}

Value Range(const RangeSnapshot& range) {
  return ObjectOf({{"label", Text(range.label)},
                   {"low", Value::Number(range.low)},
                   {"high", Value::Number(range.high)},
                   {"colour", Integer(range.colour)}});
}

Value NumberPair(double first, double second) {
  return ArrayOf(std::vector<double>{first, second}, Value::Number);
}

Value GraphCurve(const CurveSnapshot& curve) {
  return ObjectOf({{"name", Text(curve.name)},
                   {"sweep", curve.sweep.empty() ? Value() : Text(curve.sweep)},
                   {"colour", Integer(curve.colour)},
                   {"width", Integer(curve.width)},
                   {"points", ArrayOf(curve.points, [](const CurvePoint& point) {
                      return NumberPair(point.x, point.y);
                    })}});
}

Value GraphWindow(const GraphSnapshot& window) {
  const auto range = [](const std::pair<double, double>& r) {
    return NumberPair(r.first, r.second);
  };
  return ObjectOf({{"xLabel", Text(window.xLabel)},
                   {"yLabel", Text(window.yLabel)},
                   {"yRange", OptionalOf(window.valueRange, range)},
                   {"curves", ArrayOf(window.curves, GraphCurve)}});
}

Value Panel(const PanelSnapshot& panel) {
  const Value selectedRow =
      panel.results ? OptionalOf(panel.results->selectedRow, Integer) : Value();
  return ObjectOf(
      {{"index", Integer(static_cast<std::int64_t>(panel.index))},
       {"name", Text(panel.name)},
       {"guid", Text(panel.guid)},
       {"results", OptionalOf(panel.results, GridCells)},
       {"selectedRow", selectedRow},
       {"criteria", OptionalOf(panel.criteria, GridCells)},
       {"greyed", Greyed(panel.criteria)},
       {"conclusion", panel.hasReadout ? Text(panel.conclusion) : Value()},
       {"magnitudeDifferenceConclusion", OptionalOf(panel.magnitudeDifferenceConclusion, Text)},
       {"modelSelector", OptionalOf(panel.modelSelector, Selector)},
       {"sweepSelector", OptionalOf(panel.sweepSelector, Selector)},
       {"pairs", ArrayOf(panel.pairs, Pair)},
       {"graph", ObjectOf({{"curves", ArrayOf(panel.MainGraph().curves, Curve)},
                           {"ranges", ArrayOf(panel.MainGraph().ranges, Range)}})},
       // Every point of every curve only where the panel has no grids to read: for the
       // others the curves are the sweeps again, point by point, and "graph" counts them.
       {"graphs", panel.hasReadout ? Value() : ArrayOf(panel.graphs, GraphWindow)},
       {"notes", NotesJson(panel.notes)}});
}

Value Parameter(const ReportParameter& parameter) {
  const auto colour = [](COLORREF c) { return Integer(c); };
  return ObjectOf({{"name", Text(parameter.name)},
                   {"value", Text(parameter.value)},
                   {"colour", OptionalOf(parameter.colour, colour)}});
}

}  // namespace

json::Value NotesJson(const std::vector<Note>& notes) {
  return ArrayOf(notes, [](const Note& note) {
    const auto index = [](size_t i) { return Integer(static_cast<std::int64_t>(i)); };
    return ObjectOf({{"kind", Value::String(std::string(KindName(note.kind)))},
                     {"analyzer", OptionalOf(note.analyzer, index)},
                     {"rows", ArrayOf(note.rows, Integer)},
                     {"bands", ArrayOf(note.bands, Text)},
                     {"text", Text(note.text)}});
  });
}

json::Value AnalysisJson(const AnalysisSnapshot& analysis) {
  const auto sweep = [](const SweepSummary& summary) {
    return ObjectOf({{"name", Value::String(summary.name)},
                     {"file", Value::String(summary.file)},
                     {"points", Integer(static_cast<std::int64_t>(summary.points))}});
  };
  const auto box = [](const win::MessageBoxRecord& record) {
    return ObjectOf({{"text", Text(record.text)}, {"style", Integer(record.style)}});
  };
  return ObjectOf(
      {{"format", Value::String(std::string("orlo-analysis/1"))},
       {"sweeps", ArrayOf(analysis.sweeps, sweep)},
       {"models", ArrayOf(analysis.models, Model)},
       {"analyzers", ArrayOf(analysis.panels, Panel)},
       {"report", analysis.report ? ArrayOf(*analysis.report, Parameter) : Value::MakeArray()},
       {"messageBoxes", ArrayOf(analysis.messageBoxes, box)},
       {"notes", NotesJson(analysis.notes)}});
}

}  // namespace orlo::host
