#include "module/comparison/UnitPrefix.h"

std::wstring ScaleWithPrefix(double& value) {
  if (value >= 0 && value < 1000) {
    return L"";
  }
  if (value >= 1000 && value < 1e6) {
    value = value / 1000;
    return L"k";
  }
  if (value >= 1e6 && value < 1e9) {
    value = value / 1e6;
    return L"M";
  }
  if (value >= 1e9 && value < 1e12) {
    value = value / 1e9;
    return L"G";
  }
  if (value >= 1e12 && value < 1e15) {
    value = value / 1e12;
    return L"T";
  }
  return L"?";
}
