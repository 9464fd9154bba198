#include "host/output/ReportCsv.h"

#include "platform/common/Utf8.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace orlo::host {

namespace {

std::string Field(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

void WriteReportCsv(const std::vector<ReportParameter>& parameters, std::ostream& out) {
  out << "name,value,colour\n";
  for (const ReportParameter& parameter : parameters) {
    out << Field(WideToUtf8(parameter.name)) << ',' << Field(WideToUtf8(parameter.value))
        << ',';
    if (parameter.colour) out << *parameter.colour;
    out << '\n';
  }
}

bool WriteReportCsvFile(const std::vector<ReportParameter>& parameters, const std::string& file,
                        std::string& error) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (out) {
    WriteReportCsv(parameters, out);
    out.close();
  }
  if (!out) {
    error = "cannot write '" + file + "': " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace orlo::host
