// HtmlPage: the pages `orlo analyze --html FILE` and `orlo sweeps --html FILE` write.
//
// A page is one self-contained HTML file: inline CSS and SVG, no script, nothing fetched
// (its content security policy forbids both), every text escaped (HtmlText). It opens with
// a table of the sweep files (number, name, points, frequency range, file).
//
// The analysis page then shows each panel as the host shows it, in order: a heading
// (index, name, GUID), the results grid with the selected row marked (row class
// "selected": a marker and a highlighted background), every graph of the panel
// (SvgGraph), the criteria grid with its greyed cells (class "greyed") in the module's
// grey kGreyedCell, the conclusion lines and the panel's notes; then every message box
// (caption and text). The sweeps page shows one graph of the sweep files alone.
//
// The parts are shared with the pages of `orlo serve`: the style sheet (the rules
// without the <style> element), a grid as a table of class "grid KIND", and a panel as a
// section of class "panel" whose data-analyzer attribute is the analyzer's index.
#pragma once

#include "host/output/AnalysisSnapshot.h"

#include <iosfwd>
#include <vector>

namespace orlo::host {

void WritePageStyle(std::ostream& out);
void WriteGridTable(const char* kind, const GridSnapshot& grid, std::ostream& out);
void WritePanelSection(const PanelSnapshot& panel, std::ostream& out);

void WriteAnalysisPage(const AnalysisSnapshot& analysis, std::ostream& out);
void WriteSweepsPage(const std::vector<SweepSummary>& sweeps, const GraphSnapshot& graph,
                     const std::vector<Note>& notes, std::ostream& out);
// Notes as a list (class "notes", each item's data-kind its KindName); nothing when none.
void WriteNotes(const std::vector<Note>& notes, std::ostream& out);

}  // namespace orlo::host
