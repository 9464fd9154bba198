#include "host/sweeps/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace orlo::host {

std::optional<double> ConsumeNumber(std::string_view& text) {
  // from_chars takes '-' but not '+'; a '+' must be followed by the number itself.
  const bool plus = !text.empty() && text.front() == '+';
  const std::string_view digits = plus ? text.substr(1) : text;
  if (plus && !digits.empty() && digits.front() == '-') return std::nullopt;
  const char* const first = digits.data();
  const char* const last = first + digits.size();
  double value = 0.0;
  std::from_chars_result result = std::from_chars(first, last, value);
  if (result.ec == std::errc::result_out_of_range) {
    // Beyond the double range: read in the wider type and round, so "1e400" reads as
    // infinity and "1e-400" as 0 like every other value outside the range.
    long double wide = 0.0L;
    result = std::from_chars(first, last, wide);
    value = static_cast<double>(wide);
  }
  if (result.ec != std::errc()) return std::nullopt;
  text.remove_prefix(static_cast<size_t>(result.ptr - text.data()));
  return value;
}

std::optional<double> ParseNumber(std::string_view text, bool decimalComma) {
  std::string copy(text);
  if (decimalComma) std::replace(copy.begin(), copy.end(), ',', '.');
  std::string_view rest = copy;
  const std::optional<double> value = ConsumeNumber(rest);
  if (!value || !rest.empty()) return std::nullopt;
  return value;
}

namespace {

template <typename... Format>
std::string ToChars(Format... format) {
  std::array<char, 128> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), format...);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace

std::string FormatShortest(float value) { return ToChars(value, std::chars_format::fixed); }

std::string FormatFixed(double value, int decimals) {
  return ToChars(value, std::chars_format::fixed, decimals);
}

std::string FormatSignificant(double value, int digits) {
  return ToChars(value, std::chars_format::general, digits);
}

}  // namespace orlo::host
