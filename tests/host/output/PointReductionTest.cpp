// Point reduction: per pixel column the first, lowest, highest and last point survive.
#include "host/output/PointReduction.h"

#include <gtest/gtest.h>

#include <vector>

namespace orlo::host {
namespace {

TEST(PointReduction, KeepsFirstLowestHighestAndLastOfEachColumnInOrder) {
  const std::vector<PlotPoint> points = {
      {0.1, 5}, {0.2, 1}, {0.3, 9}, {0.35, 3}, {0.4, 4},  // column 0: (0.35, 3) goes
      {1.5, 7},                                            // column 1: alone
      {2.0, 2}, {2.9, 2},                                  // column 2: first and last
      {3.1, 8}, {3.2, 6}, {3.3, 8},                        // column 3: the first of equal highs
  };
  const std::vector<PlotPoint> expected = {{0.1, 5}, {0.2, 1}, {0.3, 9}, {0.4, 4}, {1.5, 7},
                                           {2.0, 2}, {2.9, 2}, {3.1, 8}, {3.2, 6}, {3.3, 8}};
  EXPECT_EQ(ReducePerColumn(points), expected);
  EXPECT_TRUE(ReducePerColumn({}).empty());
}

}  // namespace
}  // namespace orlo::host
