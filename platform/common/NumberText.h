// NumberText: the one place where host and module turn numbers into text and text into
// numbers. Every conversion goes through <charconv>, so '.' is the decimal point whatever
// the process locale, and every result of it is checked.
//
// Reading accepts an optional sign ('+' too, but not "+-"), decimal digits with '.', an
// optional exponent, and the texts "inf", "infinity" and "nan" in any case (callers decide
// whether they allow non-finite values). Hexadecimal, blanks and thousands separators are
// not part of a number. A number whose magnitude no double holds ("1e400", "1e-400") is
// out of range: an error the caller sees, never a silently saturated value. Every value
// read is the double nearest to the text, exactly what std::from_chars gives: the short
// numbers of measurement files take an exact shortcut (at most 19 digits whose value and
// power of ten are exact doubles: one correctly rounded multiplication or division), all
// others std::from_chars itself. All importers read their numbers here.
//
// Writing never gives a truncated text: the buffers are sized for every double, and a
// conversion that should still not fit throws std::length_error.
#pragma once

#include <cstddef>
#include <cstdint>
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
NumberRead ReadNumberPrefix(std::string_view text, bool decimalComma = false);

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

}  // namespace orlo
