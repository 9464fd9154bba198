// Comparison of texts when letter case does not matter, the one place host and module
// share for it.
#pragma once

#include <algorithm>
#include <cctype>
#include <cwctype>
#include <string_view>

namespace orlo {

// Equal texts when letter case is ignored: same length, and character by character equal
// after std::towlower (so the letters of the C locale unless the program set another).
inline bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
    return std::towlower(static_cast<std::wint_t>(x)) == std::towlower(static_cast<std::wint_t>(y));
  });
}

// The same for byte texts, after std::tolower of each byte.
inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace orlo
