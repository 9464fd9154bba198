// The fixed tables of the DL/T 911-2004 interpretation: the three frequency bands with
// their factor labels, criteria labels and range colours; the sweep pairs are those of
// every comparison analyzer (SweepPairs.h).
//
// Texts are narrow English literals; callers translate what they show. Band edges are in
// Hz; a band covers the grid points from its lower edge up to, not including, its upper
// edge.
#pragma once

#include <array>

#include "module/comparison/SweepPairs.h"
#include "platform/win/WinTypes.h"

namespace dlt911 {

constexpr int kBandCount = 3;
using comparison::kPairCount;
using comparison::kSlotCount;

enum Band : int { kBandLf = 0, kBandMf = 1, kBandHf = 2 };

struct BandInfo {
  const char* factorLabel;    // "R-LF": results header and graph range label
  const char* criteriaLabel;  // row label of the criteria grid
  double low;
  double high;
  COLORREF rangeColour;
};

inline constexpr std::array<BandInfo, kBandCount> kBands = {{
    {"R-LF", "R-LF (1kHz - 100kHz)", 1000.0, 100000.0, 0x8CC8FF},
    {"R-MF", "R-MF (100kHz - 600kHz)", 100000.0, 600000.0, 0xFFB4B4},
    {"R-HF", "R-HF (600kHz - 1MHz)", 600000.0, 1000000.0, 0xFFDCAA},
}};

using comparison::kPairs;
using comparison::PairInfo;

}  // namespace dlt911
