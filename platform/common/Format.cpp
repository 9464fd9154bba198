// The host's number formatters and parsers of the module's interface, on top of
// NumberText (one conversion for host and module, independent of the process locale).
#include "platform/common/Services.h"

#include "platform/common/NumberText.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Text of a value that has no digits, or the empty text for a finite value.
std::wstring NonFiniteText(double value) {
  if (std::isnan(value)) return L"NaN";
  if (std::isinf(value)) return value < 0 ? L"-Inf" : L"Inf";
  return std::wstring();
}

// The longest exact decimal fraction of a double (2^-1074); more decimals add only zeros.
constexpr int kMaxDecimals = 1074;

int Decimals(double value, int minDecimals, int significant, int maxDecimals) {
  const double wanted = value == 0.0
                            ? minDecimals
                            : significant - 1 - std::floor(std::log10(std::fabs(value)));
  const double clamped = std::min<double>(std::max<double>(wanted, minDecimals), maxDecimals);
  return static_cast<int>(std::clamp<double>(clamped, 0, kMaxDecimals));
}

constexpr const wchar_t* kBlanks = L" \t\n\r\v\f";

}  // namespace

std::wstring OxFormatValue(double value, int minDecimals, int significant, int maxDecimals) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  const int decimals = Decimals(value, minDecimals, significant, maxDecimals);
  return orlo::Utf8ToWide(orlo::FormatFixed(value, decimals));
}

int ORLOFormatValue(double value, wchar_t* buffer, int bufferSize, int /*width*/,
                    int /*precision*/, int /*flags*/, int /*mode*/, wchar_t separator) {
  if (buffer == nullptr || bufferSize <= 0) return -1;
  std::wstring text = NonFiniteText(value);
  if (value == 0.0) {
    text = std::signbit(value) ? L"-0" : L"0";
  } else if (text.empty()) {
    text = orlo::Utf8ToWide(orlo::FormatShortest(value));
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
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::wstring::npos) return 0.0;
  const size_t last = text.find_last_not_of(kBlanks);
  // The value is 0.0 for anything but one number in the double range.
  return orlo::ReadNumber(orlo::WideToUtf8(text.substr(first, last - first + 1))).value;
}

double strToFloat(const std::wstring& text) { return ORLOParseFloatValue(text); }
