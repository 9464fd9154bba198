// AnalysisSnapshot: what one `orlo analyze` run shows (sweeps, every analyzer's panel, the
// report parameters, the message boxes, the notes), read once so that the human and the JSON
// printers print the same thing.
//
// TakePanelSnapshot reads an analyzer whose panel exists: its grids, conclusion and
// selectors through IAnalyzerReadout (absent for analyzers that do not implement it), and
// its graphs from the graph plug-in, one per graph item of the panel (depth first): the
// axis labels, axis settings and ranges of the graph window behind the item, then the
// curves drawn in it holding at least one point (an emptied curve shows nothing and is left
// out): the curve objects of the window's graph type, then all of the window's own XY
// curves (each with the points already on the screen, possibly none; one that redraws a
// loaded sweep point for point in dB is named after it, a selected sweep first, each
// sweep once per window); then its notes
// (PanelNotes). The snapshot is a plain value that owns copies of everything; nothing of
// the analyzer is kept.
//
// TakeSweepsGraph reads the sweeps loaded into the graph plug-in as it would draw them on
// their own: magnitude in dB over a logarithmic frequency axis, each sweep in its colour and
// width.
#pragma once

#include "host/graph/GraphCurves.h"
#include "host/output/Notes.h"
#include "host/report/ReportPlugin.h"
#include "host/sweeps/Sweep.h"
#include "module/bands/SettingsReadout.h"
#include "module/core/AnalyzerReadout.h"
#include "module/core/GraphMessages.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WinTypes.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

class IBaseAnalyzer;
class CGridCtrl;

namespace orlo::host {

class CGraphPlugin;

// The background of a grid cell that marks a matched criterion.
constexpr COLORREF kGreyedCell = 0x808080;

// A colour as the text "#RRGGBB".
std::string ColourText(COLORREF colour);

struct GridSnapshot {
  std::vector<std::vector<std::wstring>> cells;  // rows of cell texts, header rows included
  std::vector<std::pair<int, int>> greyed;       // (row, column) in row order
  std::optional<int> selectedRow;
  int fixedRows = 0;  // header rows and columns
  int fixedColumns = 0;

  bool IsGreyed(int row, int column) const;
};

struct CurveSnapshot {
  std::wstring name;
  std::wstring sweep;  // the loaded sweep whose points it redraws (empty: none)
  COLORREF colour = 0;
  int width = 0;
  CurvePoints points;  // in drawing order
};

struct RangeSnapshot {
  std::wstring label;
  double low = 0.0;
  double high = 0.0;
  COLORREF colour = 0;
};

struct GraphSnapshot {
  std::wstring xLabel;  // the axis labels the analyzer sent (empty: none)
  std::wstring yLabel;
  bool logarithmicX = true;
  std::optional<std::pair<double, double>> valueRange;  // fixed by the analyzer; none: automatic
  std::vector<CurveSnapshot> curves;
  std::vector<RangeSnapshot> ranges;
  // The frequencies the user zoomed to (low < high); none: all of the curves and ranges.
  std::optional<std::pair<double, double>> frequencyWindow;
};

// A drop-down list of a panel: its entries and the selected one.
struct SelectorSnapshot {
  std::vector<std::wstring> entries;
  std::optional<int> selected;
};

struct PanelSnapshot {
  size_t index = 0;  // registry index, as --analyzer takes it
  std::wstring name;
  std::wstring guid;
  bool hasReadout = false;  // false: the fields up to `pairs` are empty
  std::optional<GridSnapshot> results;
  std::optional<GridSnapshot> criteria;
  std::wstring conclusion;
  std::optional<std::wstring> magnitudeDifferenceConclusion;
  std::vector<PairReadout> pairs;
  std::vector<GraphSnapshot> graphs;  // one per graph of the panel
  std::optional<SelectorSnapshot> modelSelector;  // absent without readout or selector
  std::optional<SelectorSnapshot> sweepSelector;
  std::optional<SettingsFileReadout> settingsFile;  // for analyzers that read one
  std::vector<Note> notes;  // PanelNotes

  // The first graph, the one the text and JSON outputs show (an empty graph when none).
  const GraphSnapshot& MainGraph() const;
};

struct SweepSummary {
  std::string name;  // UTF-8, as the graph plug-in lists it
  std::string file;  // as given on the command line
  size_t points = 0;
  double lowFrequency = 0.0;  // Hz
  double highFrequency = 0.0;
};

// A model applied to the graph, as the model file gave it.
struct ModelSnapshot {
  struct Item {
    std::wstring name;
    std::vector<int> sweeps;
    std::vector<std::wstring> labels;  // one per sweep number
  };
  std::wstring name;
  std::wstring label;
  std::vector<Item> items;
};

struct AnalysisSnapshot {
  std::vector<SweepSummary> sweeps;
  std::vector<PanelSnapshot> panels;
  // The parameters the analyzers handed the report; absent when no report was started.
  std::optional<std::vector<ReportParameter>> report;
  std::vector<win::MessageBoxRecord> messageBoxes;
  std::vector<ModelSnapshot> models;  // applied to the graph, in the order applied
  std::vector<Note> notes;  // of the run (SweepNotes); the panels hold their own
};

GridSnapshot TakeGridSnapshot(const CGridCtrl& grid);
PanelSnapshot TakePanelSnapshot(size_t index, IBaseAnalyzer& analyzer, const CGraphPlugin& graph);
std::vector<ModelSnapshot> TakeModelsSnapshot(const CGraphPlugin& graph);
GraphSnapshot TakeSweepsGraph(const CGraphPlugin& graph);
SweepSummary SummaryOf(const Sweep& sweep);

}  // namespace orlo::host
