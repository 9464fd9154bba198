// AnalysisJson: the `orlo analyze --json` document, schema "orlo-analysis/1".
//
// One object: "format", "sweeps" (name, file, points), "analyzers" (per panel: index,
// name, guid, the results and criteria grids as the cell texts exactly as written,
// selectedRow, the greyed criteria cells as [row, column], conclusion,
// magnitudeDifferenceConclusion, the computed pairs with their raw band values, the
// graph's curves and ranges, "graphs": for a panel without grids (null for the others,
// whose curves are the sweeps point by point) every graph window of the panel in panel
// order with xLabel, yLabel, yRange ([low, high] or null) and its curves (name, the sweep
// they redraw or null, colour, width) with every point [x, y], and the panel's "notes"), "report" (name, value, colour), "messageBoxes" (text,
// style) and "notes", the notes of the run. Numbers are the shortest text that reads back
// exactly; NaN and infinities are the strings "NaN", "Infinity" and "-Infinity"; colours
// are COLORREF integers. What an analyzer does not have is null (grids and conclusion of
// an analyzer without a readout, the magnitude-difference fields of DL/T 911 pairs);
// "report" is empty when no report was started. Text keeps its characters as they are.
#pragma once

#include "host/output/AnalysisSnapshot.h"
#include "host/output/Json.h"

namespace orlo::host {

json::Value AnalysisJson(const AnalysisSnapshot& analysis);

// Notes as a JSON array of {"kind", "analyzer" (index or null), "rows", "bands", "text"}.
json::Value NotesJson(const std::vector<Note>& notes);

}  // namespace orlo::host
