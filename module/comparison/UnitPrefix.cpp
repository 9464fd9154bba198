#include "module/comparison/UnitPrefix.h"

std::wstring ScaleWithPrefix(double& value) {
  if (value >= 0 && value < 1000) {
    return L"";
  }
  static constexpr struct {
    double unit;
    const wchar_t* prefix;
  } kPrefixes[] = {{1e3, L"k"}, {1e6, L"M"}, {1e9, L"G"}, {1e12, L"T"}};
  for (const auto& [unit, prefix] : kPrefixes) {
    if (value >= unit && value < unit * 1000) {
      value = value / unit;
      return prefix;
    }
  }
  return L"?";
}
