// Whole bands in one expectation: tagFREQBAND compares field by field and prints its
// fields, and Copies lists the bands of an array by value.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>
#include <vector>

#include "module/bands/FreqBand.h"

inline auto Fields(const tagFREQBAND& b) {
  return std::tie(b.label, b.minFreq, b.maxFreq, b.normalSet, b.normalStart, b.suspectSet,
                  b.suspectStart, b.suspectEnd, b.obviousSet, b.obviousEnd);
}
inline bool operator==(const tagFREQBAND& a, const tagFREQBAND& b) { return Fields(a) == Fields(b); }
inline void PrintTo(const tagFREQBAND& b, std::ostream* out) { *out << testing::PrintToString(Fields(b)); }

inline std::vector<tagFREQBAND> Copies(const CFreqBandArray& bands) {
  std::vector<tagFREQBAND> copies;
  for (const tagFREQBAND* band : bands) copies.push_back(*band);
  return copies;
}
