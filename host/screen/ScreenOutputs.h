// ScreenOutputs: what `orlo screen` writes, each made from the run's results one set at a
// time (ScreenResults), in output order.
//
// - Table: a heading line with each analyzer's name above its columns, a header line,
//   then one line per set: "Set", the further columns, "Sweeps", per analyzer the pairs
//   "1-2", "2-3", "3-1" and "Worst", and "Notes" (the row's notes joined by "; "). A pair
//   that was not computed, or has no verdict, shows "-". A note every set analysed carries
//   (ScreenResults::commonNotes) is left out of the rows and said once below the table:
//   "For every set analysed: TEXT".
// - JSON, format "orlo-screen/1": {"format", "analyzers": [{"index", "name", "guid"}],
//   "sets": [entries (SetEntry)]}, indented as json::Write indents.
// - CSV: header "set,<further columns>,sweeps,status,analyzer,pair,sweepA,sweepB,
//   conclusion,worst,notes", then one line per set and computed pair of each analyzer
//   (analyzer by name, pair "1-2"); a set without any pair has one line with those fields
//   empty. Every line carries all of its set's notes, those common to every set as well,
//   so that a line read alone (filtered, sorted, pasted) still says them. Fields are quoted
//   as RFC 4180 asks; lines end in "\n".
// - Page: one self-contained HTML page (inline style and script, nothing fetched, its
//   content security policy allows nothing else): the table's columns, sortable by
//   clicking any header (again: the other way; verdicts sort by severity, a Worst column
//   ranking the sets not analysed as the order worst first does, the sweep count by
//   number, the rest as text with numbers in it by value), each verdict cell coloured by
//   its severity and the row of a set not analysed marked; the notes common to every set
//   analysed are said once above the table. Without its script the page shows the rows in
//   output order.
#pragma once

#include "host/screen/ScreenRow.h"

#include <iosfwd>

namespace orlo::host {

void WriteScreenTable(const ScreenResults& results, std::ostream& out);
void WriteScreenJson(const ScreenResults& results, std::ostream& out);
void WriteScreenCsv(const ScreenResults& results, std::ostream& out);
void WriteScreenPage(const ScreenResults& results, std::ostream& out);

// The cells of the table's line for `row` (also the page's); the notes cell leaves out the
// results' common notes.
std::vector<std::string> ScreenCells(const ScreenResults& results, const ScreenRow& row);
// The header cells of the table (also the page's).
std::vector<std::string> ScreenHeader(const ScreenResults& results);
// `notes` without those in `leftOut`, one after the other: after a note that ends a sentence
// (".") the next follows a space, after any other "; ".
std::string JoinedNotes(const std::vector<std::string>& notes,
                        const std::vector<std::string>& leftOut = {});

}  // namespace orlo::host
