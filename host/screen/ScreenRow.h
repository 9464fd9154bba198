// ScreenRow: what the summary table, the CSV file and the page show of one measurement
// set, read from the set's entry (SetEntry), and the results of a run as those writers
// read them (ScreenResults).
//
// A row holds the set's name, its further columns, the number of sweeps, its status and
// per analyzer of the run the conclusion of every computed pair and the worst one. Its
// notes are what a reader must know besides the verdicts: first why the set was not
// analysed or what box it showed ("unreadable: FILE:LINE: reason", "not analysed: its
// worker process was killed by signal 11 (...)", "error box: text"), then the notes of the
// run and of every panel (among them the note that no pair was compared), each distinct
// text once.
#pragma once

#include "host/output/Json.h"
#include "host/screen/SetEntry.h"
#include "host/screen/Severity.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orlo::host {

// An analyzer the workers run, as their greeting lists it.
struct ScreenAnalyzer {
  size_t index = 0;
  std::string name;
  std::string guid;
};

struct PairCell {
  std::string pair;  // "1-2", "2-3", "3-1"
  std::string sweepA;
  std::string sweepB;
  std::string conclusion;
};

struct AnalyzerCells {
  size_t index = 0;
  std::vector<PairCell> pairs;  // the computed pairs in pair order
  std::string worst;
  Severity severity = Severity::kNone;
};

struct ScreenRow {
  std::string set;
  std::vector<std::pair<std::string, std::string>> columns;
  size_t sweeps = 0;
  SetStatus status = SetStatus::kAnalysed;
  std::vector<AnalyzerCells> analyzers;  // in the entry's order
  std::vector<std::string> notes;

  // The analyzer cells of registry index `index`, or null (a set not analysed).
  const AnalyzerCells* Analyzer(size_t index) const;
  // The pair conclusion shown for analyzer `index` and pair "1-2"..., empty when none.
  std::string Conclusion(size_t index, const std::string& pair) const;
  // Whether the set was shown to the analyzers (its notes then hold the run's notes).
  bool Analysed() const;
  // Worst first: sets not read or whose worker died, then sets that showed an error box,
  // then by the worst severity of any analyzer.
  int Rank() const;
};

ScreenRow ReadScreenRow(const json::Value& entry);

// The pairs every analyzer compares, as the columns show them.
inline const std::vector<std::string>& ScreenPairs() {
  static const std::vector<std::string> pairs = {"1-2", "2-3", "3-1"};
  return pairs;
}

// The notes that every set analysed carries (without a settings file, for example, every
// set says so), gathered from the rows in any order; they keep their order in the first of
// those sets by index.
class CommonNotes {
 public:
  void Add(size_t index, const ScreenRow& row);
  const std::vector<std::string>& Notes() const { return notes_; }

 private:
  std::optional<size_t> first_;
  std::vector<std::string> notes_;
};

// A run's results as the writers read them: the analyzers, the names of the further
// columns (in the order first met), the notes every set analysed carries (CommonNotes),
// and the entries in output order, read one at a time.
struct ScreenResults {
  std::vector<ScreenAnalyzer> analyzers;
  std::vector<std::string> columns;
  std::vector<std::string> commonNotes;
  size_t count = 0;
  std::function<json::Value(size_t position)> entry;

  ScreenRow Row(size_t position) const { return ReadScreenRow(entry(position)); }
};

}  // namespace orlo::host
