// Axis ticks: decades of the frequency axis, round steps of the value axis, tick labels.
#include "host/output/AxisTicks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace orlo::host {
namespace {

using ::testing::DoubleEq;
using ::testing::Pointwise;

struct AxisCase {
  const char* what;
  AxisTicks ticks;
  double low;
  double high;
  std::vector<double> major;
};

TEST(AxisTicks, SpanWholeDecadesOrRoundSteps) {
  const AxisCase cases[] = {
      {"sweep decades", DecadeTicks(20, 2e6), 10, 1e7, {10, 100, 1e3, 1e4, 1e5, 1e6, 1e7}},
      {"exactly one decade", DecadeTicks(1000, 10000), 1000, 10000, {1000, 10000}},
      {"inside one decade", DecadeTicks(2000, 5000), 1000, 10000, {1000, 10000}},
      {"one frequency", DecadeTicks(1000, 1000), 1000, 10000, {1000, 10000}},
      {"below 1 Hz", DecadeTicks(0.05, 3), 0.01, 10, {0.01, 0.1, 1, 10}},
      {"negative dB only", RoundTicks(-77.96, -0.69, 8), -80, 0,
       {-80, -70, -60, -50, -40, -30, -20, -10, 0}},
      {"a few dB below zero", RoundTicks(-3.2, -0.4, 8), -3.5, 0,
       {-3.5, -3, -2.5, -2, -1.5, -1, -0.5, 0}},
      {"both signs", RoundTicks(-1.3, 2.1, 8), -1.5, 2.5,
       {-1.5, -1, -0.5, 0, 0.5, 1, 1.5, 2, 2.5}},
      {"flat curve", RoundTicks(-6, -6, 8), -7, -5, {-7, -6.5, -6, -5.5, -5}},
      {"flat zero", RoundTicks(0, 0, 8), -1, 1, {-1, -0.5, 0, 0.5, 1}},
      {"fixed correlation range", TicksWithin(-1.2, 1.2, 8), -1.2, 1.2, {-1, -0.5, 0, 0.5, 1}},
  };
  for (const AxisCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_DOUBLE_EQ(c.ticks.low, c.low);
    EXPECT_DOUBLE_EQ(c.ticks.high, c.high);
    EXPECT_THAT(c.ticks.major, Pointwise(DoubleEq(), c.major));
  }
}

TEST(AxisTicks, LogarithmicAxesHaveMinorTicksTwoToNineTimesEachDecade) {
  const AxisTicks ticks = DecadeTicks(2000, 5000);
  EXPECT_THAT(ticks.minor, Pointwise(DoubleEq(), std::vector<double>{2000, 3000, 4000, 5000,
                                                                     6000, 7000, 8000, 9000}));
  EXPECT_TRUE(RoundTicks(-80, 0, 8).minor.empty());
}

TEST(AxisTicks, LabelsCarryUnitPrefixesAndTheStepsDecimals) {
  const std::pair<std::string, std::string> labels[] = {
      {FrequencyLabel(0.1), "0.1 Hz"},        {FrequencyLabel(10), "10 Hz"},
      {FrequencyLabel(1000), "1 kHz"},        {FrequencyLabel(100000), "100 kHz"},
      {FrequencyLabel(2e6), "2 MHz"},         {FrequencyLabel(1e9), "1 GHz"},
      {ValueLabel(-80, 10), "-80"},           {ValueLabel(-1, 0.5), "-1.0"},
      {ValueLabel(-1e-17, 0.5), "0.0"},       {ValueLabel(0.04, 0.02), "0.04"},
  };
  for (const auto& [label, expected] : labels) EXPECT_EQ(label, expected);
}

}  // namespace
}  // namespace orlo::host
