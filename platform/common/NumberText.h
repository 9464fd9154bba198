// NumberText: the one place where host and module turn numbers into text and text into
// numbers. Every conversion goes through <charconv> (or reads exactly what it would), so
// '.' is the decimal point whatever the process locale, and every result of it is checked.
//
// Reading accepts an optional sign ('+' too, but not "+-"), decimal digits with '.', an
// optional exponent, and the texts "inf", "infinity" and "nan" in any case (callers decide
// whether they allow non-finite values). Hexadecimal, blanks and thousands separators are
// not part of a number. A number whose magnitude no double holds ("1e400", "1e-400") is
// out of range: an error the caller sees, never a silently saturated value. Every value
// read is the double nearest to the text, exactly what std::from_chars gives: the short
// numbers of measurement files take an exact shortcut (at most 19 digits whose value and
// power of ten are exact doubles: one correctly rounded multiplication or division), all
// others std::from_chars itself. All importers read their numbers here; the shortcut is
// inline (below), so that an importer's loop makes no call for the common numbers.
//
// Writing never gives a truncated text: the buffers are sized for every double, and a
// conversion that should still not fit throws std::length_error.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace orlo {

enum class NumberFault : std::uint32_t {
  kNone,
  kNotANumber,  // no number there, or (ReadNumber) more than one number's text
  kOutOfRange,  // the text is a number whose magnitude no double holds
};

// 16 bytes without padding, so that it is returned in registers and copied whole.
struct NumberRead {
  double value = 0.0;        // 0.0 unless `fault` is kNone
  std::uint32_t length = 0;  // characters of the number's text, also for kOutOfRange
  NumberFault fault = NumberFault::kNotANumber;

  bool ok() const { return fault == NumberFault::kNone; }
};

// The longest number at the start of `text`. With `decimalComma` a ',' serves as the
// decimal point too ("2,5" reads as "2.5"), as in files written with a decimal comma. (A
// number text of 2^32 - 1 characters or more counts as no number.)
inline NumberRead ReadNumberPrefix(std::string_view text, bool decimalComma = false);

// The whole of `text` as one number.
NumberRead ReadNumber(std::string_view text, bool decimalComma = false);

// The shortest text that reads back to exactly `value`: plain decimals for
// 1e-6 <= |value| < 1e15 and for zero ("0.25", "2000000", "-0"), scientific notation outside
// ("1e+15", "1.5e-07"). NaN gives "nan", infinities "inf" and "-inf".
std::string FormatShortest(double value);
// The same for a float: the shortest text that reads back to exactly that float.
std::string FormatShortest(float value);

// `value` with exactly `decimals` decimals (negative counts as 0), like "%.*f": "-3.50".
std::string FormatFixed(double value, int decimals);

// `value` rounded to `digits` significant digits (at least 1), plain or scientific like
// "%.*g": "1001.521315", "2000000", "1.5e-07".
std::string FormatSignificant(double value, int digits);

// The inline part of ReadNumberPrefix.
namespace number_text {

constexpr int kMaxShortDigits = 19;  // any 19 digits fit in 64 bits
constexpr int kMaxExactPowerOfTen = 22;  // 10^22 is the largest power of ten a double holds exactly
constexpr std::uint64_t kMaxExactInteger = std::uint64_t{1} << 53;

inline bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

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
// else, a leading '+' too, answers kNotANumber, leaving the text to ReadOtherNumberPrefix.
[[gnu::always_inline]] inline NumberRead ReadShortDecimal(std::string_view text, bool decimalComma) {
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

// ReadNumberPrefix for the texts ReadShortDecimal leaves.
NumberRead ReadOtherNumberPrefix(std::string_view text, bool decimalComma);

}  // namespace number_text

[[gnu::always_inline]] inline NumberRead ReadNumberPrefix(std::string_view text,
                                                         bool decimalComma) {
  const NumberRead read = number_text::ReadShortDecimal(text, decimalComma);
  return read.ok() ? read : number_text::ReadOtherNumberPrefix(text, decimalComma);
}

}  // namespace orlo
