#include "host/sweeps/NumberText.h"

namespace orlo::host {

std::optional<double> ParseNumber(std::string_view text, bool decimalComma) {
  const NumberRead read = orlo::ReadNumber(text, decimalComma);
  return read.ok() ? std::optional<double>(read.value) : std::nullopt;
}

}  // namespace orlo::host
