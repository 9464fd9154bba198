#include "platform/common/NumberText.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
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

// std::from_chars on `text`, which starts with the number or its '-'. A decimal comma is
// first made a '.' in a copy of the number's characters (digits, signs, points, exponent
// marks), not of the whole text.
NumberRead ReadWithFromChars(std::string_view text, bool decimalComma) {
  std::string copy;
  if (decimalComma) {
    const std::size_t integer = text.find_first_not_of("0123456789", text.starts_with('-') ? 1 : 0);
    if (integer != std::string_view::npos && text[integer] == ',') {
      copy.assign(text.substr(0, text.find_first_not_of("0123456789+-.,eE")));
      copy[integer] = '.';
      text = copy;
    }
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  const auto length = static_cast<std::size_t>(end - text.data());
  if (length > std::numeric_limits<std::uint32_t>::max() - 1) return {};
  const auto counted = static_cast<std::uint32_t>(length);
  if (error == std::errc::result_out_of_range) return {0.0, counted, NumberFault::kOutOfRange};
  if (error != std::errc()) return {};
  return {value, counted, NumberFault::kNone};
}

}  // namespace

namespace number_text {

NumberRead ReadOtherNumberPrefix(std::string_view text, bool decimalComma) {
  // from_chars takes '-' but not '+'; a '+' must be followed by the number itself.
  const bool plus = text.starts_with('+');
  if (plus && text.substr(1).starts_with('-')) return {};
  const std::string_view number = text.substr(plus ? 1 : 0);
  NumberRead read = plus ? ReadShortDecimal(number, decimalComma) : NumberRead{};
  if (read.fault == NumberFault::kNotANumber) read = ReadWithFromChars(number, decimalComma);
  if (read.fault != NumberFault::kNotANumber) read.length += plus ? 1 : 0;
  return read;
}

}  // namespace number_text

NumberRead ReadNumber(std::string_view text, bool decimalComma) {
  const NumberRead read = ReadNumberPrefix(text, decimalComma);
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
