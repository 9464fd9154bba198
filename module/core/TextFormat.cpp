#include "module/core/TextFormat.h"

#include "platform/common/NumberText.h"
#include "platform/common/Utf8.h"

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

std::wstring GeneralNumber(double value) { return Utf8ToWide(FormatSignificant(value, 6)); }

}  // namespace orlo::module
