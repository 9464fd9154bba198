#include "module/core/TextFormat.h"

#include <charconv>

namespace orlo::module {

std::wstring FillFormat(const std::wstring& format, std::initializer_list<std::wstring> texts) {
  std::wstring filled;
  auto next = texts.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    const wchar_t following = i + 1 < format.size() ? format[i + 1] : L'\0';
    if (format[i] == L'%' && following == L's') {
      if (next != texts.end()) filled += *next++;
      ++i;
    } else if (format[i] == L'%' && following == L'%') {
      filled += L'%';
      ++i;
    } else {
      filled += format[i];
    }
  }
  return filled;
}

std::wstring GeneralNumber(double value) {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value,
                                    std::chars_format::general, 6);
  return std::wstring(digits, result.ptr);
}

}  // namespace orlo::module
