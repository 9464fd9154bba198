#include "module/comparison/SweepData.h"

#include "tests/module/comparison/TestSweep.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The rounding of the conversion (log10 in double, rounded to float, times 20 in float) is
// pinned bit for bit by the factors of expected_factors.py and expected_values.py.
TEST(SweepData, ConvertsOnlyTheMagnitudeOfEveryPoint) {
  TestSweep sweep({100.0f, 200.0f, 300.0f}, {10.0f, 0.0f, -1.0f});
  sweep.get().points[0].values[3] = 45.0f;
  ConvertMagnitudesToDecibel(sweep.get());
  EXPECT_EQ(sweep.get().points[0].values[kMagnitudeIndex], 20.0f);
  EXPECT_EQ(sweep.get().points[1].values[kMagnitudeIndex], -INFINITY);
  EXPECT_TRUE(std::isnan(sweep.get().points[2].values[kMagnitudeIndex]));
  EXPECT_EQ(sweep.get().points[0].values[3], 45.0f);
}

TEST(SweepData, FreeReleasesEverythingAndEmptiesTheRecord) {
  // The sanitizer build reports any value block or point array left behind.
  SweepData sweep;
  AllocateSweepPoints(sweep, 3);
  AllocateSweepPoints(sweep, 2);  // replaces the three points
  EXPECT_EQ(sweep.points[1].values[kMagnitudeIndex], 0.0f);
  FreeSweepData(sweep);
  EXPECT_EQ(sweep.count, 0);
  EXPECT_EQ(sweep.points, nullptr);

  SweepData countWithoutPoints;
  countWithoutPoints.count = 5;
  ConvertMagnitudesToDecibel(countWithoutPoints);
  FreeSweepData(countWithoutPoints);
  EXPECT_EQ(countWithoutPoints.count, 0);
}

}  // namespace
