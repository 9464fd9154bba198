// CsvField: one field of a CSV file as RFC 4180 writes it: a field holding a comma, a
// double quote or a line break is enclosed in double quotes with its quotes doubled;
// any other field as it is.
#pragma once

#include <string>

namespace orlo::host {

std::string CsvField(const std::string& text);

}  // namespace orlo::host
