// Notes: what a reader of the outputs could take for a result but is none, said once and
// rendered alike by the text output, the JSON document and the pages.
//
// A note belongs to an analyzer's panel (`analyzer` is its registry index) or to the run
// (no analyzer: what concerns the sweeps themselves). It names the results rows (grid row
// numbers, as --row takes them) and the bands it concerns, and carries one line of text.
// PanelNotes gathers a panel's notes from its snapshot; SweepNotes gathers the notes of
// the run from the sweeps the graph plug-in holds. A new kind of note is a new Kind with
// its name in KindName and its place in one of these two functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlo::host {

class CGraphPlugin;
struct PanelSnapshot;

struct Note {
  enum class Kind {
    kNoPair,            // fewer than two sweeps: nothing was compared
    kRowWithoutPair,    // the selected results row compares no pair
    kBandNotEvaluated,  // a band of a computed pair holds no measurement
    kUndrawnPoints,     // points of a sweep no graph can draw (a magnitude of 0, -inf dB)
    kSettings,          // the settings file gives the analysis no bands, or bands without numbers
  };

  Kind kind = Kind::kNoPair;
  std::optional<size_t> analyzer;  // none: a note of the run
  std::vector<int> rows;           // results grid rows it concerns
  std::vector<std::wstring> bands;  // band labels it concerns
  std::wstring text;               // what to read: one line of sentences
};

// The kind as the JSON document names it ("no-pair", "row-without-pair",
// "band-not-evaluated", "undrawn-points", "settings").
std::string_view KindName(Note::Kind kind);

// The notes of a panel whose snapshot is otherwise complete (grids and pairs read); none
// for a panel without a readout. In this order: the settings file (missing, unreadable
// with the reason, no band of the current technique; then each band with an edge or a
// threshold in use that is no finite number), no pair, the selected row without a pair,
// then each pair's bands not evaluated (pair order, band order). The settings notes name
// the file and the command that writes the defaults, `orlo settings save` (with
// --settings-dir when $ORLO_APPDATA chose the folder).
std::vector<Note> PanelNotes(const PanelSnapshot& panel, const CGraphPlugin& graph);

// One note per sweep holding points of magnitude 0, in graph order.
std::vector<Note> SweepNotes(const CGraphPlugin& graph);

}  // namespace orlo::host
