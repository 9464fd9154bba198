#include "host/graph/CurvePoints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace orlo::host {
namespace {

// Whether kept in floats or moved to doubles by a point that needs them, the points read
// back as exactly the doubles given, in order.
TEST(CurvePoints, GiveBackExactlyThePointsGiven) {
  const double infinity = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<CurvePoint> singles = {{20.0, -0.5}, {1.0e6, -infinity}, {3.25, -0.0}};
  const std::vector<CurvePoint> mixed = {{20.0, -0.5}, {7.0, 2.0}, {0.1, 1.0 / 3.0}, {8.0, nan}};
  CurvePoints points;
  for (const auto& given : {singles, mixed}) {
    points.clear();
    for (const CurvePoint& point : given) points.push_back(point);
    ASSERT_EQ(points.size(), given.size());
    size_t i = 0;
    for (const CurvePoint point : points) {
      EXPECT_EQ(std::memcmp(&point, &given[i], sizeof point), 0) << i;
      ++i;
    }
    EXPECT_EQ(i, given.size());
  }
  EXPECT_EQ(points.back().x, 8.0);
  EXPECT_TRUE(std::isnan(points.back().y));
}

}  // namespace
}  // namespace orlo::host
