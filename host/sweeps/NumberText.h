// Numbers of the command line: the platform's NumberText (platform/common/NumberText.h:
// ReadNumber, FormatShortest, FormatFixed, FormatSignificant), read as an optional.
#pragma once

#include "platform/common/NumberText.h"

#include <cmath>
#include <optional>
#include <string_view>

namespace orlo::host {

// The whole of `text` as a number (with `decimalComma` a ',' serves as the decimal point
// too), or nullopt for any text ReadNumber refuses (not a number, out of range).
std::optional<double> ParseNumber(std::string_view text, bool decimalComma = false);

// The whole of `text` as a whole number from `low` to `high` (a count, a row, a port), or
// nullopt for anything else.
template <typename Whole>
std::optional<Whole> ParseWholeNumber(std::string_view text, Whole low, Whole high) {
  const std::optional<double> value = ParseNumber(text);
  if (!value || *value != std::floor(*value) || *value < static_cast<double>(low) ||
      *value > static_cast<double>(high)) {
    return std::nullopt;
  }
  return static_cast<Whole>(*value);
}

}  // namespace orlo::host
