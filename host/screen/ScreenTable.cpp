#include "host/screen/ScreenOutputs.h"
#include "host/output/TextTable.h"
#include "platform/common/Utf8.h"

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
  std::string notes;
  for (const std::string& note : row.notes) notes += (notes.empty() ? "" : "; ") + note;
  cells.push_back(notes);
  return cells;
}

void WriteScreenTable(const ScreenResults& results, std::ostream& out) {
  const std::vector<std::string> header = ScreenHeader(results);
  TextTable table;
  table.Measure(header);
  for (size_t position = 0; position < results.count; ++position) {
    table.Measure(ScreenCells(results, results.Row(position)));
  }
  // The analyzers' names above their groups of columns.
  std::string heading;
  const size_t firstGroup = 2 + results.columns.size();
  const size_t groupSize = ScreenPairs().size() + 1;
  for (size_t i = 0; i < results.analyzers.size(); ++i) {
    const size_t offset = table.Offset(firstGroup + i * groupSize);
    const size_t used = CountUtf8Chars(heading);
    heading.append(offset > used ? offset - used : 2, ' ');
    heading += results.analyzers[i].name;
  }
  out << heading << '\n' << table.Line(header);
  for (size_t position = 0; position < results.count; ++position) {
    out << table.Line(ScreenCells(results, results.Row(position)));
  }
}

}  // namespace orlo::host
