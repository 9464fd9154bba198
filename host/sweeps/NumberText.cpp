#include "host/sweeps/NumberText.h"

#include <algorithm>
#include <string>

namespace orlo::host {

NumberRead ReadFieldNumber(std::string_view text, bool decimalComma) {
  if (!decimalComma) return orlo::ReadNumber(text);
  std::string copy(text);
  std::replace(copy.begin(), copy.end(), ',', '.');
  return orlo::ReadNumber(copy);
}

std::optional<double> ParseNumber(std::string_view text, bool decimalComma) {
  const NumberRead read = ReadFieldNumber(text, decimalComma);
  return read.ok() ? std::optional<double>(read.value) : std::nullopt;
}

}  // namespace orlo::host
