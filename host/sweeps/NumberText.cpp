#include "host/sweeps/NumberText.h"

#include <cmath>

namespace orlo::host {

std::optional<double> ParseNumber(std::string_view text, bool decimalComma) {
  const NumberRead read = orlo::ReadNumber(text, decimalComma);
  return read.ok() ? std::optional<double>(read.value) : std::nullopt;
}

std::optional<long long> ParseWholeNumber(std::string_view text, long long low, long long high) {
  const std::optional<double> value = ParseNumber(text);
  if (!value || *value != std::floor(*value) || *value < static_cast<double>(low) ||
      *value > static_cast<double>(high)) {
    return std::nullopt;
  }
  return static_cast<long long>(*value);
}

}  // namespace orlo::host
