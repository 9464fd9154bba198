#include "platform/common/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <system_error>

namespace orlo {

namespace {

// Room for the sign, the 309 integer digits of the largest double and the decimal point.
constexpr std::size_t kFixedRoom = std::numeric_limits<double>::max_exponent10 + 3;
// Room for the shortest text of any double or float, plain or scientific.
constexpr std::size_t kShortestRoom = 64;
// Besides the digits: sign, point, up to four leading zeros, exponent ("e-324").
constexpr std::size_t kSignificantRoom = 16;

template <typename... Format>
std::string ToChars(std::size_t room, Format... format) {
  std::string text(room, '\0');
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), format...);
  if (error != std::errc()) throw std::length_error("number text longer than its buffer");
  text.resize(static_cast<std::size_t>(end - text.data()));
  return text;
}

template <typename Number>
std::string Shortest(Number value) {
  const double magnitude = std::fabs(static_cast<double>(value));
  const bool plain = magnitude == 0.0 || (magnitude >= 1e-6 && magnitude < 1e15);
  return ToChars(kShortestRoom, value,
                 plain ? std::chars_format::fixed : std::chars_format::scientific);
}

}  // namespace

NumberRead ReadNumberPrefix(std::string_view text) {
  // from_chars takes '-' but not '+'; a '+' must be followed by the number itself.
  const bool plus = text.starts_with('+');
  if (plus && text.substr(1).starts_with('-')) return {};
  const char* const first = text.data() + (plus ? 1 : 0);
  double value = 0.0;
  const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
  const auto length = static_cast<std::size_t>(end - text.data());
  if (error == std::errc::result_out_of_range) return {0.0, length, NumberFault::kOutOfRange};
  if (error != std::errc()) return {};
  return {value, length, NumberFault::kNone};
}

NumberRead ReadNumber(std::string_view text) {
  const NumberRead read = ReadNumberPrefix(text);
  if (read.fault == NumberFault::kNotANumber || read.length != text.size()) return {};
  return read;
}

std::string FormatShortest(double value) { return Shortest(value); }

std::string FormatShortest(float value) { return Shortest(value); }

std::string FormatFixed(double value, int decimals) {
  const int places = std::max(decimals, 0);
  return ToChars(kFixedRoom + static_cast<std::size_t>(places), value, std::chars_format::fixed,
                 places);
}

std::string FormatSignificant(double value, int digits) {
  const int precision = std::max(digits, 1);
  return ToChars(kSignificantRoom + static_cast<std::size_t>(precision), value,
                 std::chars_format::general, precision);
}

}  // namespace orlo
