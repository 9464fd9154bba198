// ReportCsv: the report parameters as the CSV file `orlo analyze --report FILE` writes.
//
// Header "name,value,colour", then one row per parameter in arrival order; the colour is
// the COLORREF as a decimal number, empty for parameters without one. A field holding a
// comma, a double quote or a line break is enclosed in double quotes with its quotes
// doubled (RFC 4180); text is UTF-8, lines end in "\n".
#pragma once

#include "host/report/ReportPlugin.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace orlo::host {

void WriteReportCsv(const std::vector<ReportParameter>& parameters, std::ostream& out);

// Writes the file; false with `error` set ("cannot write 'FILE': reason") when it fails.
bool WriteReportCsvFile(const std::vector<ReportParameter>& parameters, const std::string& file,
                        std::string& error);

}  // namespace orlo::host
