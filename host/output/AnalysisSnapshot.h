// AnalysisSnapshot: what one `orlo analyze` run shows (sweeps, every analyzer's panel, the
// report parameters, the message boxes), read once so that the human and the JSON
// printers print the same thing.
//
// TakePanelSnapshot reads an analyzer whose panel exists: its grids and conclusion
// through IAnalyzerReadout (absent for analyzers that do not implement it), and its graph
// from the graph plug-in: the ranges of the graph window behind the panel's first graph
// item and the curves drawn for that graph (curves of its graph type holding at least one
// point; an emptied curve shows nothing and is left out). Every graph item of the panel,
// in panel order, also gives a GraphWindowSnapshot: its axis labels, the value range the
// analyzer fixed and its XY curves in allocation order, each with the points on the
// screen (those still waiting for a repaint are not shown). The snapshot is a plain value
// that owns copies of everything; nothing of the analyzer is kept.
#pragma once

#include "host/graph/GraphCurves.h"
#include "host/report/ReportPlugin.h"
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

struct GridSnapshot {
  std::vector<std::vector<std::wstring>> cells;  // rows of cell texts, header rows included
  std::vector<std::pair<int, int>> greyed;       // (row, column) in row order
  std::optional<int> selectedRow;

  bool IsGreyed(int row, int column) const;
};

struct CurveSnapshot {
  std::wstring name;
  COLORREF colour = 0;
  int width = 0;
  size_t points = 0;
};

// An XY curve of a graph window; the graph knows it by its id only, which is its name.
struct XYCurveSnapshot {
  std::wstring name;
  COLORREF colour = 0;
  int width = 0;
  std::vector<CurvePoint> points;
};

struct GraphWindowSnapshot {
  std::wstring xLabel;
  std::wstring yLabel;
  std::optional<std::pair<double, double>> valueRange;  // none: the axis scales itself
  std::vector<XYCurveSnapshot> curves;
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
  std::vector<CurveSnapshot> curves;
  std::vector<tagRANGE> ranges;  // as the graph window holds them
  std::vector<GraphWindowSnapshot> graphs;
};

struct SweepSummary {
  std::string name;  // UTF-8, as the graph plug-in lists it
  std::string file;  // as given on the command line
  size_t points = 0;
};

struct AnalysisSnapshot {
  std::vector<SweepSummary> sweeps;
  std::vector<PanelSnapshot> panels;
  // The parameters the analyzers handed the report; absent when no report was started.
  std::optional<std::vector<ReportParameter>> report;
  std::vector<win::MessageBoxRecord> messageBoxes;
};

GridSnapshot TakeGridSnapshot(const CGridCtrl& grid);
PanelSnapshot TakePanelSnapshot(size_t index, IBaseAnalyzer& analyzer, const CGraphPlugin& graph);

}  // namespace orlo::host
