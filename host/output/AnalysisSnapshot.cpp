#include "host/output/AnalysisSnapshot.h"

#include "host/graph/GraphPlugin.h"
#include "module/core/AnalyzerInterfaces.h"
#include "platform/common/GuiItem.h"
#include "platform/controls/GridCtrl.h"
#include "platform/win/StandardControls.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orlo::host {

namespace {

// Magnitudes the module drew in single precision match the sweep's within this.
constexpr double kSameDecibels = 1e-4;

// Every graph item of the panel tree, depth first.
void FindGraphItems(const CORLOGuiItem* item, std::vector<const CORLOGuiItem*>& found) {
  if (item == nullptr) return;
  if (item->Kind() == ORLO_GUI_GRAPH) found.push_back(item);
  for (const auto& child : item->Children()) FindGraphItems(child.get(), found);
}

std::optional<GridSnapshot> SnapshotOf(const CGridCtrl* grid) {
  if (grid == nullptr) return std::nullopt;
  return TakeGridSnapshot(*grid);
}

std::optional<SelectorSnapshot> SnapshotOf(CComboBox* selector) {
  if (selector == nullptr) return std::nullopt;
  SelectorSnapshot snapshot;
  for (int i = 0; i < selector->GetCount(); ++i) snapshot.entries.push_back(selector->GetEntryText(i));
  if (const auto selected = static_cast<int>(selector->SendMessage(CB_GETCURSEL)); selected >= 0) {
    snapshot.selected = selected;
  }
  return snapshot;
}

// Whether the curve redraws every point of the sweep: the same frequencies in the same
// order and the same magnitudes in dB within kSameDecibels.
bool Redraws(const CurvePoints& points, const Sweep& sweep) {
  const auto same = [](const CurvePoint& drawn, const Sweep::Point& point) {
    const double decibels = 20.0 * std::log10(static_cast<double>(point.magnitudeRatio));
    return drawn.x == point.frequency &&
           (drawn.y == decibels || std::abs(drawn.y - decibels) <= kSameDecibels);
  };
  return !points.empty() &&
         std::equal(points.begin(), points.end(), sweep.points.begin(), sweep.points.end(), same);
}

GraphSnapshot ReadGraph(const CGraphWindow& window, const CGraphPlugin& graph) {
  GraphSnapshot snapshot;
  snapshot.xLabel = window.AxisLabel().xLabel;
  snapshot.yLabel = window.AxisLabel().yLabel;
  const AxisSettings& axis = window.Axis();
  snapshot.logarithmicX = (axis.xFlags & 1) != 0;
  if (axis.yAutoScale == 0) snapshot.valueRange = {axis.yMin, axis.yMax};
  for (const tagRANGE& range : window.Ranges()) {
    snapshot.ranges.push_back({range.label, range.low, range.high, range.colour});
  }
  for (const CHostCurve* curve : graph.Curves()) {
    if (curve->GraphType() != window.GraphType() || curve->Points().empty()) continue;
    snapshot.curves.push_back({curve->Name(), {}, curve->Colour(), curve->Width(), curve->Points()});
  }
  // Every XY curve the window holds, in allocation order, with the points on the screen,
  // named after the sweep it redraws: the first one not yet named in this window, the
  // selected sweeps (in selection order) before the others, so that two curves of one
  // file loaded twice get one name each.
  std::vector<std::wstring> candidates = graph.SelectedSweeps();
  for (const std::wstring& name : graph.SweepNames()) {
    if (std::find(candidates.begin(), candidates.end(), name) == candidates.end()) {
      candidates.push_back(name);
    }
  }
  for (const XYCurve& curve : window.Curves()) {
    CurvePoints drawn(curve.points.begin(), curve.points.begin() + curve.drawn);
    const auto named = std::find_if(candidates.begin(), candidates.end(), [&](const auto& name) {
      return Redraws(drawn, *graph.FindSweep(name));
    });
    std::wstring sweep;
    if (named != candidates.end()) {
      sweep = *named;
      candidates.erase(named);
    }
    snapshot.curves.push_back({curve.id, sweep, curve.colour, curve.width, std::move(drawn)});
  }
  return snapshot;
}

void ReadGraphs(const CORLOGuiItem* panel, const CGraphPlugin& graph, PanelSnapshot& snapshot) {
  std::vector<const CORLOGuiItem*> items;
  FindGraphItems(panel, items);
  for (const CORLOGuiItem* item : items) {
    const CWnd* control = item->GetWnd();
    const CGraphWindow* window =
        control != nullptr ? graph.GraphWindowOf(control->GetSafeHwnd()) : nullptr;
    if (window != nullptr) snapshot.graphs.push_back(ReadGraph(*window, graph));
  }
}

}  // namespace

bool GridSnapshot::IsGreyed(int row, int column) const {
  return std::find(greyed.begin(), greyed.end(), std::pair{row, column}) != greyed.end();
}

GridSnapshot TakeGridSnapshot(const CGridCtrl& grid) {
  GridSnapshot snapshot;
  for (int row = 0; row < grid.GetRowCount(); ++row) {
    auto& cells = snapshot.cells.emplace_back();
    for (int column = 0; column < grid.GetColumnCount(); ++column) {
      cells.push_back(grid.GetItemText(row, column));
      if (grid.GetItemBkColour(row, column) == kGreyedCell) {
        snapshot.greyed.emplace_back(row, column);
      }
    }
  }
  if (const int selected = grid.GetSelectedRow(); selected >= 0) snapshot.selectedRow = selected;
  snapshot.fixedRows = grid.GetFixedRowCount();
  snapshot.fixedColumns = grid.GetFixedColumnCount();
  return snapshot;
}

PanelSnapshot TakePanelSnapshot(size_t index, IBaseAnalyzer& analyzer, const CGraphPlugin& graph) {
  PanelSnapshot snapshot;
  snapshot.index = index;
  snapshot.name = analyzer.GetName();
  snapshot.guid = analyzer.GetGuid();
  if (auto* readout = dynamic_cast<IAnalyzerReadout*>(&analyzer)) {
    snapshot.hasReadout = true;
    snapshot.results = SnapshotOf(readout->GetResultsGrid());
    snapshot.criteria = SnapshotOf(readout->GetCriteriaGrid());
    snapshot.conclusion = readout->GetConclusionText();
    snapshot.magnitudeDifferenceConclusion = readout->GetMagnitudeDifferenceText();
    snapshot.pairs = readout->GetComputedPairs();
    snapshot.modelSelector = SnapshotOf(readout->GetModelSelector());
    snapshot.sweepSelector = SnapshotOf(readout->GetSweepSelector());
  }
  if (auto* settings = dynamic_cast<ISettingsFileReadout*>(&analyzer)) {
    snapshot.settingsFile = settings->GetSettingsFileReadout();
  }
  ReadGraphs(analyzer.GetPanel(), graph, snapshot);
  snapshot.notes = PanelNotes(snapshot, graph);
  return snapshot;
}

std::vector<ModelSnapshot> TakeModelsSnapshot(const CGraphPlugin& graph) {
  std::vector<ModelSnapshot> models;
  for (const auto& model : graph.Models()) {
    ModelSnapshot& snapshot = models.emplace_back();
    snapshot.name = model->GetName();
    snapshot.label = model->GetLabel();
    for (const ModelItem* item : *model->GetItems()) {
      snapshot.items.push_back({item->name, {item->sweepNumbers.begin(), item->sweepNumbers.end()},
                                {item->labels.begin(), item->labels.end()}});
    }
  }
  return models;
}

GraphSnapshot TakeSweepsGraph(const CGraphPlugin& graph) {
  GraphSnapshot snapshot;
  snapshot.xLabel = L"Frequency (Hz)";
  snapshot.yLabel = L"Magnitude (dB)";
  for (const std::wstring& name : graph.SweepNames()) {
    CurveSnapshot& curve = snapshot.curves.emplace_back();
    curve.name = name;
    curve.colour = graph.SweepColor(name).value_or(0);
    const int width = graph.SweepWidth(name).value_or(-1);
    curve.width = width == -1 ? graph.DefaultWidth() : width;
    for (const Sweep::Point& point : graph.FindSweep(name)->points) {
      curve.points.push_back(
          {point.frequency, 20.0 * std::log10(static_cast<double>(point.magnitudeRatio))});
    }
  }
  return snapshot;
}

SweepSummary SummaryOf(const Sweep& sweep) {
  return {sweep.name, sweep.file, sweep.points.size(),
          sweep.points.empty() ? 0.0 : sweep.points.front().frequency,
          sweep.points.empty() ? 0.0 : sweep.points.back().frequency};
}

std::string ColourText(COLORREF colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<unsigned>(colour & 0xFF),
                static_cast<unsigned>((colour >> 8) & 0xFF),
                static_cast<unsigned>((colour >> 16) & 0xFF));
  return text;
}

const GraphSnapshot& PanelSnapshot::MainGraph() const {
  static const GraphSnapshot kNone;
  return graphs.empty() ? kNone : graphs.front();
}

}  // namespace orlo::host
