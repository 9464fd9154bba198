#include "host/screen/ScreenOutputs.h"
#include "host/output/PanelText.h"
#include "host/output/TextTable.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <ostream>

namespace orlo::host {

namespace {

std::string ValueOf(const ScreenRow& row, const std::string& column) {
  for (const auto& [name, value] : row.columns) {
    if (name == column) return value;
  }
  return {};
}

std::string Shown(const std::string& conclusion) { return conclusion.empty() ? "-" : conclusion; }

}  // namespace

std::vector<std::string> ScreenHeader(const ScreenResults& results) {
  std::vector<std::string> header = {"Set"};
  header.insert(header.end(), results.columns.begin(), results.columns.end());
  header.push_back("Sweeps");
  for (size_t i = 0; i < results.analyzers.size(); ++i) {
    header.insert(header.end(), ScreenPairs().begin(), ScreenPairs().end());
    header.push_back("Worst");
  }
  header.push_back("Notes");
  return header;
}

std::vector<std::string> ScreenCells(const ScreenResults& results, const ScreenRow& row) {
  std::vector<std::string> cells = {row.set};
  for (const std::string& column : results.columns) cells.push_back(ValueOf(row, column));
  cells.push_back(std::to_string(row.sweeps));
  for (const ScreenAnalyzer& analyzer : results.analyzers) {
    for (const std::string& pair : ScreenPairs()) {
      cells.push_back(Shown(row.Conclusion(analyzer.index, pair)));
    }
    const AnalyzerCells* cellsOf = row.Analyzer(analyzer.index);
    cells.push_back(Shown(cellsOf != nullptr ? cellsOf->worst : std::string()));
  }
  cells.push_back(JoinedNotes(row.notes, results.commonNotes));
  return cells;
}

std::string JoinedNotes(const std::vector<std::string>& notes,
                        const std::vector<std::string>& leftOut) {
  std::string joined;
  for (const std::string& note : notes) {
    if (std::find(leftOut.begin(), leftOut.end(), note) != leftOut.end()) continue;
    if (!joined.empty()) joined += joined.back() == '.' ? " " : "; ";
    joined += note;
  }
  return joined;
}

namespace {

// The cells as a terminal shows them (control characters as visible escapes).
std::vector<std::string> Visible(std::vector<std::string> cells) {
  for (std::string& cell : cells) cell = VisibleText(cell);
  return cells;
}

}  // namespace

void WriteScreenTable(const ScreenResults& results, std::ostream& out) {
  const std::vector<std::string> header = Visible(ScreenHeader(results));
  TextTable table;
  table.Measure(header);
  for (size_t position = 0; position < results.count; ++position) {
    table.Measure(Visible(ScreenCells(results, results.Row(position))));
  }
  // The analyzers' names above their groups of columns.
  std::string heading;
  const size_t firstGroup = 2 + results.columns.size();
  const size_t groupSize = ScreenPairs().size() + 1;
  for (size_t i = 0; i < results.analyzers.size(); ++i) {
    const size_t offset = table.Offset(firstGroup + i * groupSize);
    const size_t used = CountUtf8Chars(heading);
    heading.append(offset > used ? offset - used : 2, ' ');
    heading += VisibleText(results.analyzers[i].name);
  }
  out << heading << '\n' << table.Line(header);
  for (size_t position = 0; position < results.count; ++position) {
    out << table.Line(Visible(ScreenCells(results, results.Row(position))));
  }
  for (const std::string& note : results.commonNotes) {
    out << "For every set analysed: " << VisibleText(note) << '\n';
  }
}

}  // namespace orlo::host
