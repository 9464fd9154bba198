// Point reduction: per pixel column the first, lowest, highest and last point survive.
#include "host/output/PointReduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
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

TEST(PointReduction, AMillionPointsKeepEveryColumnsExtremes) {
  std::vector<PlotPoint> points;
  for (int i = 0; i < 1'000'000; ++i) {
    const double x = 72.0 + i * 848.0 / 1'000'000;
    points.push_back({x, 200.0 + 150.0 * std::sin(i * 0.001) * std::cos(i * 0.0173)});
  }
  struct Extremes {
    double low = 1e9;
    double high = -1e9;
    int count = 0;
  };
  const auto byColumn = [](const std::vector<PlotPoint>& line) {
    std::map<double, Extremes> columns;
    for (const PlotPoint& p : line) {
      Extremes& e = columns[std::floor(p.x)];
      e.low = std::min(e.low, p.y);
      e.high = std::max(e.high, p.y);
      ++e.count;
    }
    return columns;
  };
  const std::vector<PlotPoint> reduced = ReducePerColumn(points);
  const auto original = byColumn(points);
  const auto kept = byColumn(reduced);
  ASSERT_EQ(kept.size(), original.size());
  for (const auto& [column, extremes] : original) {
    EXPECT_EQ(kept.at(column).low, extremes.low) << column;
    EXPECT_EQ(kept.at(column).high, extremes.high) << column;
    EXPECT_LE(kept.at(column).count, 4) << column;
  }
  EXPECT_EQ(reduced.front(), points.front());
  EXPECT_EQ(reduced.back(), points.back());
}

}  // namespace
}  // namespace orlo::host
