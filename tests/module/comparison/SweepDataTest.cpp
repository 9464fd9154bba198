#include "module/comparison/SweepData.h"

#include "tests/module/comparison/TestSweep.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

namespace {

TEST(MagnitudeToDecibel, RoundsTheDoubleLogarithmToFloatBeforeMultiplying) {
  // 0.5 and 2 differ from rounding 20 * log10 in double once; 0.7 differs from log10f.
  for (float ratio : {0.5f, 0.3f, 0.7f, 2.0f, 123.456f, 1.0f}) {
    const float expected = 20.0f * static_cast<float>(std::log10(static_cast<double>(ratio)));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(MagnitudeToDecibel(ratio)),
              std::bit_cast<std::uint32_t>(expected))
        << "ratio " << ratio;
  }
  EXPECT_EQ(MagnitudeToDecibel(0.0f), -INFINITY);
  EXPECT_TRUE(std::isnan(MagnitudeToDecibel(-1.0f)));
}

TEST(SweepData, ConvertsOnlyTheMagnitudeOfEveryPoint) {
  TestSweep sweep({100.0f, 200.0f}, {10.0f, 0.0f});
  sweep.get().points[0].values[3] = 45.0f;
  ConvertMagnitudesToDecibel(sweep.get());
  EXPECT_EQ(sweep.get().points[0].values[kMagnitudeIndex], 20.0f);
  EXPECT_EQ(sweep.get().points[1].values[kMagnitudeIndex], -INFINITY);
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
