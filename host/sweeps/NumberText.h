// Numbers of the command line: the platform's NumberText (platform/common/NumberText.h:
// ReadNumber, FormatShortest, FormatFixed, FormatSignificant), read as an optional.
#pragma once

#include "platform/common/NumberText.h"

#include <optional>
#include <string_view>

namespace orlo::host {

// The whole of `text` as a number (with `decimalComma` a ',' serves as the decimal point
// too), or nullopt for any text ReadNumber refuses (not a number, out of range).
std::optional<double> ParseNumber(std::string_view text, bool decimalComma = false);

// The whole of `text` as a whole number from `low` to `high` (a count, a row, a port), or
// nullopt for anything else.
std::optional<long long> ParseWholeNumber(std::string_view text, long long low, long long high);

}  // namespace orlo::host
