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

constexpr int kMaxShortDigits = 19;  // any 19 digits fit in 64 bits
constexpr int kMaxExactPowerOfTen = 22;  // 10^22 is the largest power of ten a double holds exactly
constexpr std::uint64_t kMaxExactInteger = std::uint64_t{1} << 53;

bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// Reads the run of decimal digits at `at` into `digits` (digits * 10^n + the run's value,
// wrapping beyond 64 bits: the caller limits the count), eight at a time: up to eight bytes
// are taken as one little-endian word (zeros past `end`, which are no digits), the digits
// among them found and converted with a few multiplications.
inline void ReadDigits(const char*& at, const char* end, std::uint64_t& digits, int& count) {
  constexpr std::uint64_t kZeros = 0x3030303030303030;
  constexpr std::uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0;
  static constexpr std::uint64_t kScale[] = {1,      10,      100,      1000,     10000,
                                             100000, 1000000, 10000000, 100000000};
  for (;;) {
    std::uint64_t word = 0;
    if (end - at >= 8) {
      std::memcpy(&word, at, sizeof word);
    } else {
      for (int i = 0; i < end - at; ++i) word |= std::uint64_t{static_cast<unsigned char>(at[i])} << (8 * i);
    }
    // A byte is a digit when its high nibble is 3, before and after adding 6. (A carry out
    // of a byte can only reach the byte after a non-digit, which is not counted.)
    const std::uint64_t nonDigit =
        ((word & kHighNibbles) ^ kZeros) | (((word + 0x0606060606060606) & kHighNibbles) ^ kZeros);
    const int run = nonDigit == 0 ? 8 : std::countr_zero(nonDigit) / 8;
    if (run == 0) return;
    // The run's digit values in the word's high bytes, zeros (leading zero digits) below.
    std::uint64_t values = (word - kZeros) << (8 * (8 - run));
    values = values * 10 + (values >> 8);
    values = ((values & 0x000000FF000000FF) * (100 + (1000000ULL << 32)) +
              ((values >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32))) >> 32;
    digits = digits * kScale[run] + values;
    at += run;
    count += run;
    if (run < 8) return;
  }
}

// The exact shortcut: [-]digits[.digits][e[sign]digits] with at most kMaxShortDigits digits
// whose integer value and power of ten are exact doubles, so that one multiplication or
// division rounds the true value once, to the nearest double, as from_chars does. Anything
// else answers kNotANumber, leaving the text to from_chars.
NumberRead ReadShortDecimal(std::string_view text, bool decimalComma) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* at = begin;
  const bool negative = at != end && *at == '-';
  if (negative) ++at;
  std::uint64_t digits = 0;
  int count = 0;
  ReadDigits(at, end, digits, count);
  int exponent = 0;
  if (at != end && (*at == '.' || (decimalComma && *at == ','))) {
    const char* const fraction = ++at;
    ReadDigits(at, end, digits, count);
    exponent = -static_cast<int>(at - fraction);
  }
  if (count == 0 || count > kMaxShortDigits) return {};
  if (at != end && (*at == 'e' || *at == 'E')) {
    const char* mark = at + 1;
    const bool negativeExponent = mark != end && *mark == '-';
    if (mark != end && (*mark == '-' || *mark == '+')) ++mark;
    const char* const exponentDigits = mark;
    int written = 0;
    for (; mark != end && IsDigit(*mark) && mark - exponentDigits < 4; ++mark) written = written * 10 + (*mark - '0');
    if (mark != end && IsDigit(*mark)) return {};  // a long exponent: from_chars decides
    if (mark != exponentDigits) {  // else the 'e' is not part of the number
      exponent += negativeExponent ? -written : written;
      at = mark;
    }
  }
  if (digits > kMaxExactInteger || exponent < -kMaxExactPowerOfTen || exponent > kMaxExactPowerOfTen) {
    return {};
  }
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  double value = static_cast<double>(digits);
  value = exponent < 0 ? value / kPowersOfTen[-exponent] : value * kPowersOfTen[exponent];
  return {negative ? -value : value, static_cast<std::uint32_t>(at - begin), NumberFault::kNone};
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

NumberRead ReadNumberPrefix(std::string_view text, bool decimalComma) {
  // from_chars takes '-' but not '+'; a '+' must be followed by the number itself.
  const bool plus = text.starts_with('+');
  if (plus && text.substr(1).starts_with('-')) return {};
  const std::string_view number = text.substr(plus ? 1 : 0);
  NumberRead read = ReadShortDecimal(number, decimalComma);
  if (read.fault == NumberFault::kNotANumber) read = ReadWithFromChars(number, decimalComma);
  if (read.fault != NumberFault::kNotANumber) read.length += plus ? 1 : 0;
  return read;
}

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
