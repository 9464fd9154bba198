#include "host/output/PanelText.h"

#include "host/output/TextTable.h"
#include "host/sweeps/NumberText.h"
#include "platform/common/Services.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace orlo::host {

namespace {

using Row = std::vector<std::string>;

constexpr char kIndent[] = "  ";

std::string Shown(std::wstring_view text) { return VisibleText(WideToUtf8(text)); }

// A message box's style in words, "error (OK)", "question (Yes/No)"; a style with other
// bits is written as its number.
std::string StyleText(UINT style) {
  using Word = std::pair<UINT, const char*>;
  constexpr Word kIcons[] = {{0, "message"},
                             {MB_ICONERROR, "error"},
                             {MB_ICONQUESTION, "question"},
                             {MB_ICONWARNING, "warning"},
                             {MB_ICONINFORMATION, "information"}};
  constexpr Word kButtons[] = {
      {MB_OK, "OK"}, {MB_OKCANCEL, "OK/Cancel"}, {MB_YESNOCANCEL, "Yes/No/Cancel"}, {MB_YESNO, "Yes/No"}};
  for (const auto& [icon, iconWord] : kIcons) {
    for (const auto& [buttons, buttonsWord] : kButtons) {
      if (style == (icon | buttons)) return std::string(iconWord) + " (" + buttonsWord + ")";
    }
  }
  char number[24];
  std::snprintf(number, sizeof number, "style 0x%08X", static_cast<unsigned>(style));
  return number;
}

// Rows as columns of equal width, each line indented, without trailing blanks.
void PrintTable(std::vector<Row> rows, std::ostream& out) {
  TextTable table(kIndent);
  for (Row& row : rows) {
    for (std::string& cell : row) cell = VisibleText(cell);
    table.Measure(row);
  }
  for (const Row& row : rows) out << table.Line(row);
}

// The shortest text that reads back to exactly `value`.
std::string NumberText(double value) {
  wchar_t text[50];
  ORLOFormatValue(value, text, 50, -1, -1, 0, 1, '.');
  return WideToUtf8(text);
}

std::string FrequencyText(double hertz) { return NumberText(hertz) + " Hz"; }

std::string PointText(const CurvePoint& point) {
  return "(" + NumberText(point.x) + ", " + NumberText(point.y) + ")";
}

void PrintGraph(const GraphSnapshot& graph, std::ostream& out) {
  out << "Graph\n";
  if (graph.curves.empty() && graph.ranges.empty()) {
    out << kIndent << "(nothing drawn)\n";
    return;
  }
  std::vector<Row> curves;
  for (const CurveSnapshot& curve : graph.curves) {
    curves.push_back({"curve", WideToUtf8(curve.name), ColourText(curve.colour),
                      "width " + std::to_string(curve.width),
                      std::to_string(curve.points.size()) + " points"});
  }
  PrintTable(curves, out);
  std::vector<Row> ranges;
  for (const RangeSnapshot& range : graph.ranges) {
    ranges.push_back({"range", WideToUtf8(range.label), ColourText(range.colour),
                      FrequencyText(range.low) + " to " + FrequencyText(range.high)});
  }
  PrintTable(ranges, out);
}

// The graph windows of a panel that does not describe itself otherwise.
void PrintGraphWindows(const PanelSnapshot& panel, std::ostream& out) {
  for (size_t g = 0; g < panel.graphs.size(); ++g) {
    const GraphSnapshot& graph = panel.graphs[g];
    out << (g > 0 ? "\n" : "") << "Graph " << g + 1 << ": " << Shown(graph.yLabel)
        << " against " << Shown(graph.xLabel) << '\n';
    // The graph keeps its axis settings in single precision.
    std::string range = "automatic";
    if (graph.valueRange) {
      range = FormatShortest(static_cast<float>(graph.valueRange->first)) + " to " +
              FormatShortest(static_cast<float>(graph.valueRange->second));
    }
    out << kIndent << "value range " << range << '\n';
    if (graph.curves.empty()) {
      out << kIndent << "(no curves)\n";
      continue;
    }
    std::vector<Row> curves;
    for (const CurveSnapshot& curve : graph.curves) {
      const std::wstring name = curve.sweep.empty() ? curve.name : curve.name + L" = " + curve.sweep;
      Row& row = curves.emplace_back(Row{"curve", WideToUtf8(name),
                                         ColourText(curve.colour),
                                         "width " + std::to_string(curve.width),
                                         std::to_string(curve.points.size()) + " points"});
      if (!curve.points.empty()) {
        row.push_back("first " + PointText(curve.points.front()));
        row.push_back("last " + PointText(curve.points.back()));
      }
    }
    PrintTable(curves, out);
  }
}

std::string SelectorText(const std::optional<SelectorSnapshot>& selector) {
  if (!selector || selector->entries.empty()) return "(empty)";
  std::string entries;
  for (const std::wstring& entry : selector->entries) {
    entries += (entries.empty() ? "" : " | ") + Shown(entry);
  }
  const std::string chosen =
      selector->selected ? Shown(selector->entries.at(*selector->selected)) : "(none)";
  return chosen + "  (entries: " + entries + ")";
}

void PrintPanel(const PanelSnapshot& panel, bool showSelectors, std::ostream& out) {
  const std::string heading = "Analyzer " + std::to_string(panel.index) + ": " +
                              Shown(panel.name) + " " + Shown(panel.guid);
  out << '\n' << heading << '\n' << std::string(CountUtf8Chars(heading), '=') << '\n';
  if (!panel.hasReadout) {
    out << "(this analyzer does not describe its grids; only its graphs are shown)\n";
    PrintGraphWindows(panel, out);
    return;
  }
  if (panel.results) {
    PrintGrid("Results (> selected row)", *panel.results, out);
    out << '\n';
  }
  if (panel.criteria) {
    PrintGrid("Criteria ([greyed] cells: what the selected pair's values match)", *panel.criteria,
              out);
    out << '\n';
  }
  out << "Conclusion: " << Shown(panel.conclusion) << '\n';
  if (panel.magnitudeDifferenceConclusion) {
    out << "Magnitude difference: " << Shown(*panel.magnitudeDifferenceConclusion) << '\n';
  }
  if (showSelectors && (panel.modelSelector || panel.sweepSelector)) {
    out << "\nModel selector: " << SelectorText(panel.modelSelector)
        << "\nSweep selector: " << SelectorText(panel.sweepSelector) << '\n';
  }
  out << '\n';
  PrintGraph(panel.MainGraph(), out);
  PrintNotes(panel.notes, out);
}

void PrintModels(const std::vector<ModelSnapshot>& models, std::ostream& out) {
  out << "\nModels (applied to the graph)\n";
  for (const ModelSnapshot& model : models) {
    out << kIndent << Shown(model.name) << "  " << Shown(model.label) << '\n';
    for (const ModelSnapshot::Item& item : model.items) {
      std::string sweeps;
      for (size_t i = 0; i < item.sweeps.size(); ++i) {
        sweeps += (i == 0 ? "" : ", ") + std::to_string(item.sweeps[i]);
        if (i < item.labels.size() && !item.labels[i].empty()) {
          sweeps += " (" + Shown(item.labels[i]) + ")";
        }
      }
      out << kIndent << kIndent << Shown(item.name) << "  sweeps " << sweeps << '\n';
    }
  }
}

void PrintSweeps(const std::vector<SweepSummary>& sweeps, std::ostream& out) {
  out << "Sweeps (in graph order)\n";
  std::vector<Row> rows;
  for (size_t i = 0; i < sweeps.size(); ++i) {
    rows.push_back({std::to_string(i + 1), sweeps[i].name,
                    std::to_string(sweeps[i].points) + " points", sweeps[i].file});
  }
  PrintTable(rows, out);
}

void PrintReport(const std::vector<ReportParameter>& parameters, std::ostream& out) {
  out << "\nReport parameters\n";
  if (parameters.empty()) {
    out << kIndent << "(none)\n";
    return;
  }
  std::vector<Row> rows;
  for (const ReportParameter& parameter : parameters) {
    rows.push_back({WideToUtf8(parameter.name), WideToUtf8(parameter.value),
                    parameter.colour ? ColourText(*parameter.colour) : ""});
  }
  PrintTable(rows, out);
}

}  // namespace

std::string VisibleText(std::string_view utf8) {
  std::string shown;
  shown.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    // C1 controls (U+0080 to U+009F) are C2 80 to C2 9F in UTF-8.
    const bool c1 = byte == 0xC2 && i + 1 < utf8.size() &&
                    static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
    char escape[8];
    if (byte == '\n') {
      shown += "\\n";
    } else if (byte == '\t') {
      shown += "\\t";
    } else if (byte == '\r') {
      shown += "\\r";
    } else if (byte < 0x20 || byte == 0x7F) {
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      shown += escape;
    } else if (c1) {
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned char>(utf8[++i]));
      shown += escape;
    } else {
      shown += utf8[i];
    }
  }
  return shown;
}

void PrintGrid(const char* title, const GridSnapshot& grid, std::ostream& out) {
  out << title << '\n';
  std::vector<Row> rows;
  for (size_t r = 0; r < grid.cells.size(); ++r) {
    const int row = static_cast<int>(r);
    Row& line = rows.emplace_back();
    if (grid.selectedRow) line.push_back(grid.selectedRow == row ? ">" : "");
    for (size_t c = 0; c < grid.cells[r].size(); ++c) {
      const std::string text = WideToUtf8(grid.cells[r][c]);
      line.push_back(grid.IsGreyed(row, static_cast<int>(c)) ? "[" + text + "]" : text);
    }
  }
  PrintTable(rows, out);
}

void PrintNotes(const std::vector<Note>& notes, std::ostream& out) {
  if (notes.empty()) return;
  out << "\nNotes\n";
  for (const Note& note : notes) out << kIndent << Shown(note.text) << '\n';
}

void PrintMessageBoxes(const std::vector<win::MessageBoxRecord>& boxes, std::ostream& out) {
  out << "\nMessage boxes\n";
  for (const win::MessageBoxRecord& box : boxes) {
    out << kIndent << "[" << Shown(box.caption) << "] " << StyleText(box.style) << ":\n";
    const std::string text = WideToUtf8(box.text);
    for (size_t start = 0; start <= text.size();) {
      const size_t end = std::min(text.find('\n', start), text.size());
      out << kIndent << kIndent << VisibleText(text.substr(start, end - start)) << '\n';
      start = end + 1;
    }
  }
}

void PrintAnalysisText(const AnalysisSnapshot& analysis, std::ostream& out) {
  PrintSweeps(analysis.sweeps, out);
  PrintNotes(analysis.notes, out);
  if (!analysis.models.empty()) PrintModels(analysis.models, out);
  // Without models both selectors are always empty: they are shown when models are applied.
  for (const PanelSnapshot& panel : analysis.panels) {
    PrintPanel(panel, !analysis.models.empty(), out);
  }
  if (analysis.report) PrintReport(*analysis.report, out);
  if (!analysis.messageBoxes.empty()) PrintMessageBoxes(analysis.messageBoxes, out);
}

}  // namespace orlo::host
