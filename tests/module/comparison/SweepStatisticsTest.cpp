// The sweep arithmetic the comparison analyzers share: the dB conversion, the merged
// frequency grid and its edge search, the interpolation and the band statistics.
#include "module/comparison/FrequencyGrid.h"
#include "module/comparison/SweepData.h"
#include "module/comparison/SweepStatistics.h"

#include "tests/module/comparison/TestSweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

namespace {

using Statistic = double (*)(double, double, const SweepData&, const SweepData&, const double*,
                             int);

// Two sweeps on the frequencies 1000, 2000, ... Hz, which are also their grid.
struct Pair {
  Pair(const std::vector<float>& magA, const std::vector<float>& magB)
      : a(Kilohertz(magA.size()), magA), b(Kilohertz(magB.size()), magB) {
    for (float f : Kilohertz(magA.size())) grid.push_back(f);
  }
  static std::vector<float> Kilohertz(std::size_t n) {
    std::vector<float> f;
    for (std::size_t i = 1; i <= n; ++i) f.push_back(1000.0f * i);
    return f;
  }
  double operator()(Statistic statistic, double lo, double hi) const {
    return statistic(lo, hi, a.get(), b.get(), grid.data(), static_cast<int>(grid.size()));
  }
  TestSweep a, b;
  std::vector<double> grid;
};

// Straight lines between points inside the sweep only (1.0 outside; the last point is never
// read alone); pairs that start at an infinite magnitude are skipped; NaN is read like any
// other magnitude.
TEST(InterpolateMagnitude, ReadsPointsAndStraightLinesInsideTheSweepOnly) {
  const TestSweep plain({1000, 2000, 4000}, {-10, -20, 0});
  const TestSweep single({1000}, {-3});
  const TestSweep infinite({1000, 2000, 3000, 4000}, {-INFINITY, 10, 20, -INFINITY});
  const TestSweep nan({1000, 2000, 3000}, {NAN, 10, 20});
  const std::tuple<const TestSweep&, double, double> cases[] = {
      {plain, 1500, -15},    {plain, 3000, -10},    {plain, 1000, -10},       {plain, 999, 1},
      {plain, 4000, 1},      {plain, 5000, 1},      {single, 1000, 1},        {infinite, 1000, 1},
      {infinite, 1500, 1},   {infinite, 2500, 15},  {infinite, 3500, -INFINITY},
      {nan, 1000, NAN},      {nan, 1500, NAN},      {nan, 2500, 15}};
  for (const auto& [sweep, f, expected] : cases) {
    const double read = InterpolateMagnitude(sweep.get(), f);
    EXPECT_TRUE(read == expected || (std::isnan(read) && std::isnan(expected))) << f << ": " << read;
  }
}

TEST(CorrelationCoefficient, FollowsTheDocumentedEvaluationOrderBitForBit) {
  // Means taken as sum / N instead of (1 / N) * sum, or separate square roots of the variances,
  // changes the last bit. The eighth point is the upper edge and is not used.
  Pair p({3.2f, -18.9f, 19.4f, -2.6f, -9.7f, 12.5f, 2.5f, 99},
         {-14.1f, 39.3f, -26.6f, -15.7f, -26, -13.3f, -10.4f, -99});
  EXPECT_EQ(p(CorrelationCoefficient, 1000, 8000), -0x1.5036661eefd32p-1);
}

TEST(CorrelationCoefficient, GivesOneForEqualCurvesAndMinusOneForMirroredOnes) {
  Pair equal({-3, -7, -2, 50, 4}, {-3, -7, -2, -60, 8});  // differ only from the upper edge on
  EXPECT_EQ(equal(CorrelationCoefficient, 1000, 4000), 1.0);
  Pair mirrored({-3, -7, -2, 5}, {3, 7, 2, -5});
  EXPECT_EQ(mirrored(CorrelationCoefficient, 1000, 4000), -1.0);
  EXPECT_DOUBLE_EQ(mirrored(RelativeFactor, 1000, 4000), -std::log10(2.0));
}

TEST(CorrelationCoefficient, ReportsBandsThatCannotBeEvaluatedByMarkers) {
  Pair constant({-5, -5, -5, -5}, {-1, -9, -3, -2});
  EXPECT_EQ(constant(CorrelationCoefficient, 1000, 4000), STAT_UNDEFINED);
  EXPECT_EQ(constant(CorrelationCoefficient, 3000, 3000), STAT_UNDEFINED);
  EXPECT_EQ(constant(CorrelationCoefficient, 4000, 1000), STAT_UNDEFINED);
  EXPECT_EQ(constant(CorrelationCoefficient, 1000 * 1.02, 9000), STAT_NO_LOW_EDGE);
  EXPECT_EQ(constant(CorrelationCoefficient, 1000 * 1.005, 9000), STAT_NO_HIGH_EDGE);
  EXPECT_EQ(constant(CorrelationCoefficient, 1000 * 1.005, 4000 / 1.005), STAT_UNDEFINED);
  EXPECT_EQ(STAT_NO_LOW_EDGE, 3.0000000054977558e38);
  EXPECT_EQ(STAT_NO_HIGH_EDGE, 3.099999992159408e38);
  for (double lo : {1000.0, 3000.0, 1020.0}) EXPECT_EQ(constant(RelativeFactor, lo, 4000), 10.0);
}

TEST(RelativeFactor, TurnsTheCorrelationIntoDecadesOfDisagreement) {
  EXPECT_DOUBLE_EQ(RelativeFactorFromCorrelation(0.9), 1.0);
  // 1 - rho exactly 2^-32 (2.3e-10) and 2^-34 (5.8e-11), on either side of 1e-10.
  EXPECT_EQ(RelativeFactorFromCorrelation(1.0 - 0x1p-32), -std::log10(0x1p-32));
  EXPECT_EQ(RelativeFactorFromCorrelation(1.0 - 0x1p-34), 10.0);
  EXPECT_EQ(RelativeFactorFromCorrelation(STAT_UNDEFINED), 10.0);
  EXPECT_TRUE(std::isnan(RelativeFactorFromCorrelation(NAN)));
}

TEST(MeanSquareDifference, SumsTheSpanInclusiveAndDividesByItsIndexDistance) {
  Pair p({0, 0, 0, 0, 0}, {-1, -2, -3, -4, -5});
  EXPECT_EQ(p(MeanSquareDifference, 2000, 4000), (4.0 + 9.0 + 16.0) / 2);
  EXPECT_EQ(p(MeanSquareDifference, 2000, 3000), 4.0 + 9.0);
  EXPECT_EQ(p(MeanSquareDifference, 3000, 3000), STAT_UNDEFINED);
  const double reversed = p(MeanSquareDifference, 4000, 2000);
  EXPECT_EQ(reversed, 0.0);
  EXPECT_TRUE(std::signbit(reversed));
  EXPECT_EQ(p(MeanSquareDifference, 1000 * 1.02, 9000), STAT_NO_LOW_EDGE);
  EXPECT_EQ(p(MeanSquareDifference, 1000, 9000), STAT_NO_HIGH_EDGE);
}

TEST(MagnitudeDifferenceAtCrossing, ReadsTheDifferenceWhereTheReferenceFallsToMinus20OrIsUndefined) {
  const std::vector<float> falling{-5, -8, -12, -16, -21, -25, -30, -35, -40, -45};
  Pair crossing(falling, {-6, -9, -13, -17, -24, -26, -31, -36, -41, -46});
  EXPECT_EQ(crossing(MagnitudeDifferenceAtCrossing, 1000, 10000), 3.0);
  EXPECT_EQ(crossing(MagnitudeDifferenceAtCrossing, 1000 * 1.05, 10000), 3.0);  // edge 5 % off, within 10 %
  EXPECT_EQ(crossing(MagnitudeDifferenceAtCrossing, 1000 * 1.15, 10000), STAT_NO_LOW_EDGE);

  Pair above({-1, -2, -3, -4, -5}, {-3, -4, -5, -11, -14});
  EXPECT_EQ(above(MagnitudeDifferenceAtCrossing, 1000, 5000), 7.0);  // last point of the span, not the edge

  Pair below({-30, -31, -32, -33}, {-34, -31, -32, -33});
  EXPECT_EQ(below(MagnitudeDifferenceAtCrossing, 1000, 4000), 4.0);

  // Undefined without a crossing or without points.
  Pair rising({-25, -22, -18, -15, -10}, {-25, -22, -18, -15, -10});
  EXPECT_EQ(rising(MagnitudeDifferenceAtCrossing, 1000, 5000), STAT_UNDEFINED);
  Pair startsAtLevel({-20, -25, -30, -35}, {-21, -26, -31, -36});
  EXPECT_EQ(startsAtLevel(MagnitudeDifferenceAtCrossing, 1000, 4000), STAT_UNDEFINED);
  EXPECT_EQ(startsAtLevel(MagnitudeDifferenceAtCrossing, 3000, 3000), STAT_UNDEFINED);
  EXPECT_EQ(startsAtLevel(MagnitudeDifferenceAtCrossing, 4000, 2000), STAT_UNDEFINED);
}

std::vector<double> Merge(const std::vector<float>& a, const std::vector<float>& b) {
  TestSweep sweepA(a, std::vector<float>(a.size()));
  TestSweep sweepB(b, std::vector<float>(b.size()));
  int count = -1;
  const std::unique_ptr<double[]> grid = MergeFrequencies(sweepA.get(), sweepB.get(), count);
  EXPECT_EQ(grid == nullptr, count == 0);
  return grid ? std::vector<double>(grid.get(), grid.get() + count) : std::vector<double>();
}

TEST(MergeFrequencies, TakesTheUnionUpToTheSmallerHighestFrequencyInArrivalOrder) {
  EXPECT_EQ(Merge({1, 5}, {2, 3}), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(Merge({1, 2}, {1.5, 3, 4}), (std::vector<double>{1, 1.5, 2}));
  EXPECT_EQ(Merge({1, 2, 2, 2, 3}, {2.5, 4}), (std::vector<double>{1, 2, 2, 2, 2.5, 3}));
  EXPECT_EQ(Merge({0.1f}, {0.1f}), (std::vector<double>{static_cast<double>(0.1f)}));
  EXPECT_TRUE(Merge({}, {1, 2}).empty());
  EXPECT_EQ(Merge({3, 4}, {1, 2}), (std::vector<double>{1, 2}));
  EXPECT_EQ(Merge({1}, {2, 3}), (std::vector<double>{1}));
  // A frequency that does not compare before the current one is taken.
  const std::vector<double> grid = Merge({1, 2}, {NAN, 2});
  ASSERT_EQ(grid.size(), 3u);
  EXPECT_TRUE(std::isnan(grid[0]));
  EXPECT_EQ(grid[1], 1.0);
  EXPECT_EQ(grid[2], 2.0);
}

TEST(FindNearIndex, PlacesAFrequencyWithinTheRelativeToleranceInSearchOrder) {
  const std::vector<double> grid{1000, 2000, 3000, 4000, 5000};
  EXPECT_EQ(FindNearIndex(3000, grid.data(), 5, 0.01), 2);
  EXPECT_EQ(FindNearIndex(3000 * 1.005, grid.data(), 5, 0.01), 2);
  EXPECT_EQ(FindNearIndex(3000 / 1.005, grid.data(), 5, 0.01), 2);
  EXPECT_EQ(FindNearIndex(3000 * 1.02, grid.data(), 5, 0.01), -1);
  EXPECT_EQ(FindNearIndex(1000, std::vector<double>{1010}.data(), 1, 0.01), -1);  // 1 % is out
  EXPECT_EQ(FindNearIndex(3000 * 1.02, grid.data(), 5, 0.1), 2);
  EXPECT_EQ(FindNearIndex(1000, nullptr, 5, 0.01), -1);
  EXPECT_EQ(FindNearIndex(1000, grid.data(), 0, 0.01), -1);

  // The search probes 100.5 before reaching the exact hit at 100.4.
  const std::vector<double> dense{100, 100.4, 100.5, 100.6, 100.7};
  EXPECT_EQ(FindNearIndex(100.4, dense.data(), 5, 0.01), 1);
  // Without a hit the last probed point (1010) wins although 1008 is nearer.
  const std::vector<double> sparse{1000, 1008, 1010};
  EXPECT_EQ(FindNearIndex(1008.2, sparse.data(), 3, 0.01), 2);
}

// The rounding of the conversion (log10 in double, rounded to float, times 20 in float) is
// pinned bit for bit by the factors of ../expected_values.py.
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
