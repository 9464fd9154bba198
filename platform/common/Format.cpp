// The host's number formatters and parsers. Every conversion goes through <charconv>,
// which never looks at the process locale.
#include "platform/common/Services.h"

#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace {

// Text of a value that has no digits, or the empty text for a finite value.
std::wstring NonFiniteText(double value) {
  if (std::isnan(value)) return L"NaN";
  if (std::isinf(value)) return value < 0 ? L"-Inf" : L"Inf";
  return std::wstring();
}

std::wstring Widen(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// The longest exact decimal fraction of a double (2^-1074); more decimals add only zeros.
constexpr int kMaxDecimals = 1074;

int Decimals(double value, int minDecimals, int significant, int maxDecimals) {
  const double wanted = value == 0.0
                            ? minDecimals
                            : significant - 1 - std::floor(std::log10(std::fabs(value)));
  const double clamped = std::min<double>(std::max<double>(wanted, minDecimals), maxDecimals);
  return static_cast<int>(std::clamp<double>(clamped, 0, kMaxDecimals));
}

// Magnitudes out of the double range: strtod's saturation (±HUGE_VAL or ±0), read under
// the C locale. `text` is already known to be a complete decimal number.
double SaturatedValue(const std::string& text) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return strtod_l(text.c_str(), nullptr, cLocale);
}

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

}  // namespace

std::wstring OxFormatValue(double value, int minDecimals, int significant, int maxDecimals) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  const int decimals = Decimals(value, minDecimals, significant, maxDecimals);
  // Sign, the 309 integer digits of the largest double, the point and the decimals.
  std::string text(std::numeric_limits<double>::max_exponent10 + 3 + decimals, '\0');
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                    std::chars_format::fixed, decimals);
  text.resize(result.ptr - text.data());
  return Widen(text);
}

int ORLOFormatValue(double value, wchar_t* buffer, int bufferSize, int /*width*/,
                    int /*precision*/, int /*flags*/, int /*mode*/, wchar_t separator) {
  if (buffer == nullptr || bufferSize <= 0) return -1;
  std::wstring text = NonFiniteText(value);
  if (value == 0.0) {
    text = std::signbit(value) ? L"-0" : L"0";
  } else if (text.empty()) {
    const double magnitude = std::fabs(value);
    const auto format = magnitude >= 1e-6 && magnitude < 1e15 ? std::chars_format::fixed
                                                              : std::chars_format::scientific;
    char digits[64];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, format);
    text = Widen(std::string_view(digits, result.ptr - digits));
    std::replace(text.begin(), text.end(), L'.', separator);
  }
  if (text.size() + 1 > static_cast<size_t>(bufferSize)) {
    buffer[0] = L'\0';
    return -1;
  }
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = L'\0';
  return static_cast<int>(text.size());
}

double ORLOParseFloatValue(const std::wstring& text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
  if (first >= last) return 0.0;
  std::string ascii;
  for (auto it = first; it != last; ++it) {
    if (*it < 0 || *it > 0x7F) return 0.0;
    ascii.push_back(static_cast<char>(*it));
  }
  // from_chars reads an optional '-' only; one '+' before the number is allowed too.
  const bool plus = ascii[0] == '+' && ascii.size() > 1 && ascii[1] != '-';
  const char* begin = ascii.data() + (plus ? 1 : 0);
  const char* end = ascii.data() + ascii.size();
  double value = 0.0;
  const auto result = std::from_chars(begin, end, value);
  if (result.ptr != end) return 0.0;
  if (result.ec == std::errc::result_out_of_range) return SaturatedValue(ascii);
  return result.ec == std::errc() ? value : 0.0;
}

double strToFloat(const std::wstring& text) { return ORLOParseFloatValue(text); }
