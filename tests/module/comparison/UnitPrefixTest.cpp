#include "module/comparison/UnitPrefix.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ScaleWithPrefix, ScalesIntoThePrefixRangeOrFlagsTheValue) {
  struct Case {
    double in;
    double out;
    const wchar_t* prefix;
  };
  for (const Case& c : {Case{150000, 150, L"k"}, Case{999, 999, L""}, Case{0, 0, L""},
                        Case{1000, 1, L"k"}, Case{2.5e6, 2.5, L"M"}, Case{1e9, 1, L"G"},
                        Case{7e12, 7, L"T"}, Case{-5, -5, L"?"}, Case{1e15, 1e15, L"?"}}) {
    double value = c.in;
    EXPECT_EQ(ScaleWithPrefix(value), c.prefix) << c.in;
    EXPECT_EQ(value, c.out) << c.in;
  }
  double nan = NAN;
  EXPECT_EQ(ScaleWithPrefix(nan), L"?");
  EXPECT_TRUE(std::isnan(nan));
}

}  // namespace
