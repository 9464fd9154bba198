// The statistical parameter sets of the correlation analysis: three sets, one per
// statistical technique, each an ordered list of bands with their thresholds, and the
// settings that go with them (XCorrSettings). Also the set names and the built-in default
// bands.
//
// A StatParamSet owns its bands: they are freed with the set (or earlier with ClearBands).
// Techniques outside 0..2 are no error: they name no set and take the LRxy defaults.
#pragma once

#include <array>
#include <string>

#include "module/bands/FreqBand.h"

// Index of a parameter set and of its statistic.
enum StatTechnique : int {
  STAT_LRXY = 0,    // "LRxy": correlation coefficient of the magnitudes in dB
  STAT_RXY = 1,     // "RXy": relative correlation factor R of DL/T 911-2004
  STAT_NCEPRI = 2,  // "NCEPRI": mean square difference of the magnitudes in dB
};
constexpr int kStatTechniqueCount = 3;

struct StatParamSet {
  int technique = STAT_LRXY;
  CFreqBandArray bands;  // display and evaluation order
  ~StatParamSet() { ClearBands(bands); }
};

// Element i holds technique i.
using StatParamSets = std::array<StatParamSet, kStatTechniqueCount>;

struct XCorrSettings {
  int CurrentStatParam = STAT_LRXY;
  bool MagnitudeDifference = true;
  double MagnitudeDifferenceLimit = 0.25;  // largest absolute difference that passes
  StatParamSets StatParams{{{STAT_LRXY, {}}, {STAT_RXY, {}}, {STAT_NCEPRI, {}}}};
};

// "LRxy", "RXy", "NCEPRI" for 0, 1, 2; the empty text for any other value.
std::wstring StatParamName(int technique);
// 1 for "Rxy" and 2 for "NCEPRI", in any letter case; 0 for every other name.
int StatParamFromName(const std::wstring& name);
// Appends the default bands of `technique` after the bands already in `bands`: the three
// RXy bands for 1, the one NCEPRI band for 2, the three LRxy bands for any other value.
void AddDefaultBands(CFreqBandArray& bands, int technique);
