#include "host/screen/ScreenOutputs.h"
#include "host/output/CsvField.h"

#include <ostream>

namespace orlo::host {

void WriteScreenCsv(const ScreenResults& results, std::ostream& out) {
  out << "set";
  for (const std::string& column : results.columns) out << ',' << CsvField(column);
  out << ",sweeps,status,analyzer,pair,sweepA,sweepB,conclusion,worst,notes\n";
  for (size_t position = 0; position < results.count; ++position) {
    const ScreenRow row = results.Row(position);
    const std::vector<std::string> cells = ScreenCells(results, row);
    std::string head = CsvField(row.set);
    for (size_t column = 0; column < results.columns.size(); ++column) {
      head += ',' + CsvField(cells[1 + column]);
    }
    head += ',' + std::to_string(row.sweeps) + ',' + CsvField(std::string(StatusName(row.status)));
    const std::string notes = CsvField(JoinedNotes(row.notes));
    bool anyPair = false;
    for (const ScreenAnalyzer& analyzer : results.analyzers) {
      const AnalyzerCells* analyzerCells = row.Analyzer(analyzer.index);
      if (analyzerCells == nullptr) continue;
      for (const PairCell& pair : analyzerCells->pairs) {
        anyPair = true;
        out << head << ',' << CsvField(analyzer.name) << ',' << pair.pair << ','
            << CsvField(pair.sweepA) << ',' << CsvField(pair.sweepB) << ','
            << CsvField(pair.conclusion) << ',' << CsvField(analyzerCells->worst) << ',' << notes
            << '\n';
      }
    }
    if (!anyPair) out << head << ",,,,,,," << notes << '\n';
  }
}

}  // namespace orlo::host
