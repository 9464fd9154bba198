// PanelText: the human output of `orlo analyze`, each panel as the user would see it.
//
// PrintAnalysisText writes, in this order: the sweeps analysed and the notes of the run;
// per analyzer a heading (name, index, GUID), the results grid and the criteria grid as aligned tables, the
// conclusion line(s), the graph (curves: name, colour #RRGGBB, width, points; ranges:
// label, low and high frequency, colour) and the panel's notes. A panel without a readout (the test analyzer) is
// shown by its graph windows instead: per graph its value and frequency labels, its value
// range ("automatic" unless fixed) and its XY curves (name, colour, width, points, first
// and last point). Then the report parameters when a report was started, and every message
// box shown (caption, style in words such as "error (OK)", text).
//
// Tables: "> " in front of a row marks the grid's selected row; a greyed cell (a criterion
// the selected pair matches) is written in square brackets, "[2 <= R-LF]". Text is
// written as UTF-8, its control characters as visible escapes (VisibleText), so a name
// holding a line break or a tab cannot break a table.
#pragma once

#include "host/output/AnalysisSnapshot.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace orlo::host {

void PrintAnalysisText(const AnalysisSnapshot& analysis, std::ostream& out);

// `utf8` with each control character written as an escape: "\n", "\t", "\r", "\xHH" for
// the others below U+0020 and U+007F, "\u0080" to "\u009F" for the C1 controls.
std::string VisibleText(std::string_view utf8);

// Pieces other outputs share: a grid as a table under `title` (selected row and greyed
// cells marked as above), the "Notes" section (nothing when there are none) and the
// "Message boxes" section.
void PrintGrid(const char* title, const GridSnapshot& grid, std::ostream& out);
void PrintNotes(const std::vector<Note>& notes, std::ostream& out);
void PrintMessageBoxes(const std::vector<win::MessageBoxRecord>& boxes, std::ostream& out);

}  // namespace orlo::host
