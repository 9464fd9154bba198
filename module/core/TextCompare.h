// Text comparison shared by the module's classes.
#pragma once

#include <algorithm>
#include <cwctype>
#include <string>

namespace orlo::module {

// Equal texts when letter case is ignored (character by character, towlower).
inline bool EqualsIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
    return std::towlower(static_cast<std::wint_t>(x)) == std::towlower(static_cast<std::wint_t>(y));
  });
}

}  // namespace orlo::module
