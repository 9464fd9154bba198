// Numbers of sweep files and of the command line: the platform's NumberText
// (platform/common/NumberText.h: ReadNumber, FormatShortest, FormatFixed,
// FormatSignificant), plus the decimal comma that ';'-separated sweep files may use.
#pragma once

#include "platform/common/NumberText.h"

#include <optional>
#include <string_view>

namespace orlo::host {

// The whole of `text` as one number; with `decimalComma` a ',' reads as '.' too.
NumberRead ReadFieldNumber(std::string_view text, bool decimalComma);

// ReadFieldNumber's value, or nullopt for any text it refuses (not a number, out of
// range), as the command line reads its numbers.
std::optional<double> ParseNumber(std::string_view text, bool decimalComma = false);

}  // namespace orlo::host
