#include "module/bands/StatParams.h"

#include <memory>
#include <span>

#include "platform/common/TextCase.h"

namespace {

const tagFREQBAND kLrxyDefaults[] = {
    {L"LF", 1000, 100000, true, 0.99, true, 0.9, 0.99, true, 0.9},
    {L"MF", 100000, 600000, true, 0.9, true, 0.7488, 0.9, true, 0.7488},
    {L"HF", 600000, 1000000, true, 0.7488, false, 0, 0.7488, false, 0},
};
const tagFREQBAND kRxyDefaults[] = {
    {L"LF", 1000, 100000, true, 2.0, true, 1.0, 2.0, true, 1.0},
    {L"MF", 100000, 600000, true, 1.0, true, 0.6, 1.0, true, 0.6},
    {L"HF", 600000, 1000000, true, 0.6, false, 0, 0.6, false, 0},
};
const tagFREQBAND kNcepriDefaults[] = {
    {L"NCEPRI", 10000, 700000, true, 3.5, true, 7.0, 3.5, true, 7.0},
};

std::span<const tagFREQBAND> DefaultsOf(int technique) {
  switch (technique) {
    case STAT_RXY:
      return kRxyDefaults;
    case STAT_NCEPRI:
      return kNcepriDefaults;
    default:
      return kLrxyDefaults;
  }
}

}  // namespace

std::wstring StatParamName(int technique) {
  switch (technique) {
    case STAT_LRXY:
      return L"LRxy";
    case STAT_RXY:
      return L"RXy";
    case STAT_NCEPRI:
      return L"NCEPRI";
    default:
      return std::wstring();
  }
}

int StatParamFromName(const std::wstring& name) {
  if (orlo::EqualsIgnoringCase(name, L"Rxy")) return STAT_RXY;
  if (orlo::EqualsIgnoringCase(name, L"NCEPRI")) return STAT_NCEPRI;
  return STAT_LRXY;
}

void AddDefaultBands(CFreqBandArray& bands, int technique) {
  for (const tagFREQBAND& band : DefaultsOf(technique)) {
    auto copy = std::make_unique<tagFREQBAND>(band);
    bands.Add(copy.get());
    copy.release();
  }
}
