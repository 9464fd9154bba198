#include "module/comparison/FrequencyGrid.h"

#include "tests/module/comparison/TestSweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<double> Merge(const std::vector<float>& a, const std::vector<float>& b) {
  TestSweep sweepA(a, std::vector<float>(a.size()));
  TestSweep sweepB(b, std::vector<float>(b.size()));
  int count = -1;
  const std::unique_ptr<double[]> grid = MergeFrequencies(sweepA.get(), sweepB.get(), count);
  EXPECT_EQ(grid == nullptr, count == 0);
  return grid ? std::vector<double>(grid.get(), grid.get() + count) : std::vector<double>();
}

TEST(MergeFrequencies, TakesTheUnionUpToTheSmallerHighestFrequency) {
  EXPECT_EQ(Merge({1, 5}, {2, 3}), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(Merge({1, 2}, {1.5, 3, 4}), (std::vector<double>{1, 1.5, 2}));
  EXPECT_EQ(Merge({1, 2, 2, 2, 3}, {2.5, 4}), (std::vector<double>{1, 2, 2, 2, 2.5, 3}));
  EXPECT_EQ(Merge({0.1f}, {0.1f}), (std::vector<double>{static_cast<double>(0.1f)}));
  EXPECT_TRUE(Merge({}, {1, 2}).empty());
  EXPECT_EQ(Merge({3, 4}, {1, 2}), (std::vector<double>{1, 2}));
  EXPECT_EQ(Merge({1}, {2, 3}), (std::vector<double>{1}));
}

TEST(MergeFrequencies, TakesAFrequencyThatDoesNotCompareBeforeTheCurrentOne) {
  const std::vector<double> grid = Merge({1, 2}, {NAN, 2});
  ASSERT_EQ(grid.size(), 3u);
  EXPECT_TRUE(std::isnan(grid[0]));
  EXPECT_EQ(grid[1], 1.0);
  EXPECT_EQ(grid[2], 2.0);
}

TEST(FindNearIndex, PlacesAFrequencyWithinTheRelativeTolerance) {
  const std::vector<double> grid{1000, 2000, 3000, 4000, 5000};
  EXPECT_EQ(FindNearIndex(3000, grid.data(), 5, 0.01), 2);
  EXPECT_EQ(FindNearIndex(3000 * 1.005, grid.data(), 5, 0.01), 2);
  EXPECT_EQ(FindNearIndex(3000 / 1.005, grid.data(), 5, 0.01), 2);
  EXPECT_EQ(FindNearIndex(3000 * 1.02, grid.data(), 5, 0.01), -1);
  EXPECT_EQ(FindNearIndex(1000, std::vector<double>{1010}.data(), 1, 0.01), -1);  // 1 % is out
  EXPECT_EQ(FindNearIndex(3000 * 1.02, grid.data(), 5, 0.1), 2);
  EXPECT_EQ(FindNearIndex(1000, nullptr, 5, 0.01), -1);
  EXPECT_EQ(FindNearIndex(1000, grid.data(), 0, 0.01), -1);
}

TEST(FindNearIndex, PrefersTheSearchOrderToTheNearestPoint) {
  // The search probes 100.5 before reaching the exact hit at 100.4.
  const std::vector<double> dense{100, 100.4, 100.5, 100.6, 100.7};
  EXPECT_EQ(FindNearIndex(100.4, dense.data(), 5, 0.01), 1);
  // Without a hit the last probed point (1010) wins although 1008 is nearer.
  const std::vector<double> sparse{1000, 1008, 1010};
  EXPECT_EQ(FindNearIndex(1008.2, sparse.data(), 3, 0.01), 2);
}

}  // namespace
