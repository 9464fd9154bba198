#include <gtest/gtest.h>

#include <limits>

#include "module/dlt911/DTL911Verdict.h"

namespace {

using dlt911::Verdict;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(DTL911Verdict, RulesInOrderThresholdsToTheHigherGradeNaNComparesFalse) {
  const struct {
    double lf, mf, hf;
    Verdict verdict;
  } cases[] = {
      {0.59, 3, 3, Verdict::kSevere},    {0.6, 3, 3, Verdict::kObvious},
      {5, 0.5, 5, Verdict::kObvious},    {1.5, 0.2, 5, Verdict::kObvious},
      {1.0, 3, 3, Verdict::kLight},      {5, 0.8, 0.1, Verdict::kLight},
      {2, 1, 0.6, Verdict::kNormal},     {2, 1, 0.59, Verdict::kHfAboveLimit},
      {kNaN, 0.3, 3, Verdict::kObvious}, {kNaN, 3, 3, Verdict::kError},
      {5, 3, kNaN, Verdict::kError},     {0.2, kNaN, kNaN, Verdict::kSevere},
      {10.5, 3, 3, Verdict::kNone},      {0.1, 3, 11, Verdict::kNone},
      {10, 10, 10, Verdict::kNormal},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(dlt911::ClassifyFactors(c.lf, c.mf, c.hf), c.verdict)
        << c.lf << " " << c.mf << " " << c.hf;
  }
  EXPECT_STREQ(dlt911::VerdictText(Verdict::kNone), "");
  EXPECT_STREQ(dlt911::VerdictText(Verdict::kHfAboveLimit),
               "R-HF above limit, R-LF and R-MF normal");
}

TEST(DTL911Verdict, FactorTextIsEmptyAboveTen) {
  EXPECT_EQ(dlt911::FormatFactor(10.0000001), L"");
  EXPECT_EQ(dlt911::FormatFactor(10.0), L"10.00");
  EXPECT_EQ(dlt911::FormatFactor(1.23456), L"1.23");
  EXPECT_EQ(dlt911::FormatFactor(kNaN), L"NaN");
}

TEST(DTL911Verdict, CriteriaCellOfAFactor) {
  const struct {
    int row;
    double factor;
    int column;
  } cases[] = {{1, 0.59, 2}, {1, 0.6, 3},  {1, 1.0, 4}, {1, 2.0, 5},  {1, kNaN, 0},
               {2, 0.5, 3},  {2, 0.6, 4},  {2, 1.0, 5}, {2, kNaN, 0}, {3, 0.5, 1},
               {3, 0.6, 5},  {3, kNaN, 1}, {4, 1.0, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(dlt911::MatchingCriteriaColumn(c.row, c.factor), c.column)
        << c.row << " " << c.factor;
  }
}

}  // namespace
