// NumberText: numbers in sweep files and on the command line, read and written the same
// way whatever the process locale ('.' as decimal separator, std::from_chars/to_chars).
//
// Accepted: an optional sign ('+' too), decimal digits with '.', an exponent, and the
// texts "inf", "infinity", "nan" (any case); callers decide whether non-finite values
// are allowed. Hexadecimal and blanks are not numbers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orlo::host {

// Reads the longest number at the start of `text` and removes it from `text`. Answers
// nullopt, leaving `text` unchanged, when `text` does not start with a number.
std::optional<double> ConsumeNumber(std::string_view& text);

// The whole of `text` as one number; nullopt when it is anything else. With
// `decimalComma` a ',' reads as a decimal point too.
std::optional<double> ParseNumber(std::string_view text, bool decimalComma = false);

// The shortest plain-decimal text that reads back to exactly `value` ("2000000", "0.25").
std::string FormatShortest(float value);

// `value` with exactly `decimals` decimals ("-3.50").
std::string FormatFixed(double value, int decimals);

// `value` rounded to `digits` significant digits, plain or scientific, whichever is
// shorter ("1001.521315", "2000000", "1.5e-07").
std::string FormatSignificant(double value, int digits);

}  // namespace orlo::host
