#include "host/output/HtmlPage.h"

#include "host/output/AxisTicks.h"
#include "host/output/HtmlText.h"
#include "host/output/SvgGraph.h"

#include <ostream>
#include <string>

namespace orlo::host {

namespace {

constexpr char kSelectedMarker[] = "\xE2\x96\xB6";  // U+25B6, a right-pointing triangle
constexpr char kSelectedRowColour[] = "#CFE2FF";

}  // namespace

void WritePageStyle(std::ostream& out) {
  out << "body { font: 14px/1.4 sans-serif; color: #202020; background: #F2F2F2; margin: 16px; }\n"
         "header, section { background: #FFFFFF; border: 1px solid #C8C8C8; padding: 12px 16px;"
         " margin-bottom: 16px; overflow-x: auto; max-width: "
      << kGraphWidth
      << "px; }\n"
         "h1 { font-size: 20px; margin: 0 0 8px; }\n"
         "h2 { font-size: 17px; margin: 0 0 8px; }\n"
         ".guid { color: #606060; font-weight: normal; font-size: 13px; }\n"
         "table { border-collapse: collapse; margin: 8px 0; }\n"
         "th, td { border: 1px solid #C0C0C0; padding: 3px 8px; text-align: left;"
         " white-space: nowrap; }\n"
         "th { background: #E8E8E8; font-weight: 600; }\n"
         "td.number { text-align: right; }\n"

         "td.wrap { white-space: normal; overflow-wrap: anywhere; min-width: 8em; }\n"
         ".marker { border: none; background: none; color: #1F5FBF; padding: 3px 4px; }\n"
         "tr.selected td { background: "
      << kSelectedRowColour
      << "; font-weight: bold; }\n"
         "tr.selected td.marker { background: none; }\n"
         ".grid .greyed { background: "
      << ColourText(kGreyedCell)
      << "; }\n"
         "figure { margin: 8px 0; }\n"
         "svg { display: block; max-width: 100%; height: auto; }\n"
         ".legend { list-style: none; margin: 4px 0 0 72px; padding: 0; display: flex;"
         " flex-wrap: wrap; gap: 4px 20px; }\n"
         ".swatch { display: inline-block; width: 24px; vertical-align: middle;"
         " margin-right: 6px; }\n"
         ".conclusion { margin: 8px 0 0; }\n"
         ".notes { margin: 8px 0 0; padding: 6px 10px 6px 28px; background: #FFF6D5;"
         " border: 1px solid #E0C870; }\n"
         ".notes li { margin: 2px 0; overflow-wrap: anywhere; }\n"
         ".message-box { border: 1px solid #A0A0A0; margin: 8px 0; padding: 6px 10px; }\n"
         ".message-box .caption { font-weight: bold; }\n"
         ".message-box p { margin: 4px 0 0; white-space: pre-wrap; }\n"
         "@media print {\n"
         "  @page { size: A4; margin: 12mm; }\n"
         "  body { background: none; margin: 0; font-size: 11px; }\n"
         "  header, section { max-width: none; border: none; padding: 0; margin: 0; }\n"
         "  section.panel { break-before: page; }\n"
         "  figure, table, .notes { break-inside: avoid; }\n"
         "  svg { width: 100%; }\n"
         "}\n";
}

namespace {

void WriteHead(const char* title, std::ostream& out) {
  out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
         "style-src 'unsafe-inline'\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>"
      << title << "</title>\n<style>\n";
  WritePageStyle(out);
  out << "</style>\n</head>\n<body>\n";
}

void WriteSweeps(const char* heading, const std::vector<SweepSummary>& sweeps,
                 const std::vector<Note>& notes, std::ostream& out) {
  out << "<header>\n<h1>" << heading << "</h1>\n<table class=\"sweeps\">\n"
      << "<tr><th>#</th><th>Sweep</th><th>Points</th><th>Frequency range</th><th>File</th></tr>\n";
  for (size_t i = 0; i < sweeps.size(); ++i) {
    const SweepSummary& sweep = sweeps[i];
    out << "<tr><td class=\"number\">" << i + 1 << "</td><td class=\"wrap\">" << Escape(sweep.name)
        << "</td><td class=\"number\">" << sweep.points << "</td><td>"
        << Escape(FrequencyLabel(sweep.lowFrequency)) << " \xE2\x80\x93 "
        << Escape(FrequencyLabel(sweep.highFrequency)) << "</td><td class=\"wrap\">" << Escape(sweep.file)
        << "</td></tr>\n";
  }
  out << "</table>\n";
  WriteNotes(notes, out);
  out << "</header>\n";
}

}  // namespace

void WriteGridTable(const char* kind, const GridSnapshot& grid, std::ostream& out) {
  out << "<table class=\"grid " << kind << "\">\n";
  for (size_t r = 0; r < grid.cells.size(); ++r) {
    const int row = static_cast<int>(r);
    const bool header = row < grid.fixedRows;
    out << (grid.selectedRow == row ? "<tr class=\"selected\">" : "<tr>");
    if (grid.selectedRow) {
      out << "<td class=\"marker\">" << (grid.selectedRow == row ? kSelectedMarker : "")
          << "</td>";
    }
    for (size_t c = 0; c < grid.cells[r].size(); ++c) {
      const int column = static_cast<int>(c);
      const char* tag = header || column < grid.fixedColumns ? "th" : "td";
      out << '<' << tag << (grid.IsGreyed(row, column) ? " class=\"greyed\">" : ">")
          << Escape(grid.cells[r][c]) << "</" << tag << '>';
    }
    out << "</tr>\n";
  }
  out << "</table>\n";
}

void WritePanelSection(const PanelSnapshot& panel, std::ostream& out) {
  out << "<section class=\"panel\" data-analyzer=\"" << panel.index << "\">\n<h2>Analyzer "
      << panel.index << ": " << Escape(panel.name) << " <span class=\"guid\">" << Escape(panel.guid) << "</span></h2>\n";
  if (!panel.hasReadout) {
    out << "<p>This analyzer does not describe its grids; only its graphs are shown.</p>\n";
  }
  if (panel.results) WriteGridTable("results", *panel.results, out);
  for (const GraphSnapshot& graph : panel.graphs) WriteGraphFigure(graph, out);
  if (panel.criteria) WriteGridTable("criteria", *panel.criteria, out);
  if (panel.hasReadout) {
    out << "<p class=\"conclusion\">Conclusion: <strong>" << Escape(panel.conclusion)
        << "</strong></p>\n";
    if (panel.magnitudeDifferenceConclusion) {
      out << "<p class=\"conclusion\">Magnitude difference: <strong>"
          << Escape(*panel.magnitudeDifferenceConclusion) << "</strong></p>\n";
    }
  }
  WriteNotes(panel.notes, out);
  out << "</section>\n";
}

namespace {

void WriteMessageBoxes(const std::vector<win::MessageBoxRecord>& boxes, std::ostream& out) {
  if (boxes.empty()) return;
  out << "<section class=\"messages\">\n<h2>Message boxes</h2>\n";
  for (const win::MessageBoxRecord& box : boxes) {
    out << "<div class=\"message-box\"><div class=\"caption\">" << Escape(box.caption)
        << "</div><p>" << Escape(box.text) << "</p></div>\n";
  }
  out << "</section>\n";
}

void WriteTail(std::ostream& out) { out << "</body>\n</html>\n"; }

}  // namespace

void WriteNotes(const std::vector<Note>& notes, std::ostream& out) {
  if (notes.empty()) return;
  out << "<ul class=\"notes\">\n";
  for (const Note& note : notes) {
    out << "<li data-kind=\"" << KindName(note.kind) << "\">" << Escape(note.text) << "</li>\n";
  }
  out << "</ul>\n";
}

void WriteAnalysisPage(const AnalysisSnapshot& analysis, std::ostream& out) {
  WriteHead("orlo analyze", out);
  WriteSweeps("Sweep analysis", analysis.sweeps, analysis.notes, out);
  for (const PanelSnapshot& panel : analysis.panels) WritePanelSection(panel, out);
  WriteMessageBoxes(analysis.messageBoxes, out);
  WriteTail(out);
}

void WriteSweepsPage(const std::vector<SweepSummary>& sweeps, const GraphSnapshot& graph,
                     const std::vector<Note>& notes, std::ostream& out) {
  WriteHead("orlo sweeps", out);
  WriteSweeps("Sweep files", sweeps, notes, out);
  out << "<section class=\"panel\">\n";
  WriteGraphFigure(graph, out);
  out << "</section>\n";
  WriteTail(out);
}

}  // namespace orlo::host
