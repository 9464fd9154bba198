#include "host/output/ReportCsv.h"

#include "host/output/CsvField.h"
#include "host/output/OutputFile.h"
#include "platform/common/Utf8.h"

#include <sstream>

namespace orlo::host {

void WriteReportCsv(const std::vector<ReportParameter>& parameters, std::ostream& out) {
  out << "name,value,colour\n";
  for (const ReportParameter& parameter : parameters) {
    out << CsvField(orlo::WideToUtf8(parameter.name)) << ',' << CsvField(orlo::WideToUtf8(parameter.value))
        << ',';
    if (parameter.colour) out << *parameter.colour;
    out << '\n';
  }
}

bool WriteReportCsvFile(const std::vector<ReportParameter>& parameters, const std::string& file,
                        std::string& error) {
  std::ostringstream csv;
  WriteReportCsv(parameters, csv);
  return WriteOutputFile(file, csv.str(), error);
}

}  // namespace orlo::host
