#include "module/dlt911/DTL911Verdict.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using dlt911::ClassifyFactors;
using dlt911::Verdict;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(DTL911Verdict, EachThresholdBelongsToTheHigherGrade) {
  EXPECT_EQ(ClassifyFactors(0.59, 3, 3), Verdict::kSevere);
  EXPECT_EQ(ClassifyFactors(0.6, 3, 3), Verdict::kObvious);
  EXPECT_EQ(ClassifyFactors(1.0, 3, 3), Verdict::kLight);
  EXPECT_EQ(ClassifyFactors(2.0, 1.0, 0.6), Verdict::kNormal);
  EXPECT_EQ(ClassifyFactors(2.0, 1.0, 0.59), Verdict::kHfAboveLimit);
  EXPECT_EQ(ClassifyFactors(2.0, 0.99, 5), Verdict::kLight);
}

TEST(DTL911Verdict, MidBandRaisesTheGradeAndRulesApplyInOrder) {
  EXPECT_EQ(ClassifyFactors(5, 0.5, 5), Verdict::kObvious);    // MF alone
  EXPECT_EQ(ClassifyFactors(1.5, 0.2, 5), Verdict::kObvious);  // step 2 before step 3
  EXPECT_EQ(ClassifyFactors(5, 0.8, 0.1), Verdict::kLight);    // HF never grades distortion
  EXPECT_EQ(ClassifyFactors(0.3, 0.2, 0.1), Verdict::kSevere);
}

TEST(DTL911Verdict, NotANumberComparesFalse) {
  EXPECT_EQ(ClassifyFactors(kNaN, 0.3, 3), Verdict::kObvious);
  EXPECT_EQ(ClassifyFactors(kNaN, 3, 3), Verdict::kError);
  EXPECT_EQ(ClassifyFactors(5, kNaN, 3), Verdict::kError);
  EXPECT_EQ(ClassifyFactors(5, 3, kNaN), Verdict::kError);
  EXPECT_EQ(ClassifyFactors(0.2, kNaN, kNaN), Verdict::kSevere);
}

TEST(DTL911Verdict, FactorAboveTenIsNoValue) {
  EXPECT_EQ(ClassifyFactors(10.5, 3, 3), Verdict::kNone);
  EXPECT_EQ(ClassifyFactors(0.1, 3, 11), Verdict::kNone);
  EXPECT_EQ(ClassifyFactors(10, 10, 10), Verdict::kNormal);
  EXPECT_STREQ(dlt911::VerdictText(Verdict::kNone), "");
  EXPECT_EQ(dlt911::FormatFactor(10.0000001), L"");
  EXPECT_EQ(dlt911::FormatFactor(10.0), L"10.00");
  EXPECT_EQ(dlt911::FormatFactor(1.23456), L"1.23");
  EXPECT_EQ(dlt911::FormatFactor(kNaN), L"NaN");
}

TEST(DTL911Verdict, VerdictTexts) {
  EXPECT_STREQ(dlt911::VerdictText(Verdict::kSevere), "Severe Distortion");
  EXPECT_STREQ(dlt911::VerdictText(Verdict::kObvious), "Obvious Distortion");
  EXPECT_STREQ(dlt911::VerdictText(Verdict::kLight), "Light Distortion");
  EXPECT_STREQ(dlt911::VerdictText(Verdict::kNormal), "Normal");
  EXPECT_STREQ(dlt911::VerdictText(Verdict::kHfAboveLimit),
               "R-HF above limit, R-LF and R-MF normal");
  EXPECT_STREQ(dlt911::VerdictText(Verdict::kError), "Error");
}

TEST(DTL911Verdict, CriteriaCellOfAFactor) {
  using dlt911::MatchingCriteriaColumn;
  EXPECT_EQ(MatchingCriteriaColumn(1, 0.59), 2);
  EXPECT_EQ(MatchingCriteriaColumn(1, 0.6), 3);
  EXPECT_EQ(MatchingCriteriaColumn(1, 1.0), 4);
  EXPECT_EQ(MatchingCriteriaColumn(1, 2.0), 5);
  EXPECT_EQ(MatchingCriteriaColumn(1, kNaN), 0);
  EXPECT_EQ(MatchingCriteriaColumn(2, 0.5), 3);
  EXPECT_EQ(MatchingCriteriaColumn(2, 0.6), 4);
  EXPECT_EQ(MatchingCriteriaColumn(2, 1.0), 5);
  EXPECT_EQ(MatchingCriteriaColumn(2, kNaN), 0);
  EXPECT_EQ(MatchingCriteriaColumn(3, 0.5), 1);  // the value cell itself
  EXPECT_EQ(MatchingCriteriaColumn(3, 0.6), 5);  // "0.6 <= R-HF"
  EXPECT_EQ(MatchingCriteriaColumn(3, kNaN), 1);
  EXPECT_EQ(MatchingCriteriaColumn(4, 1.0), 0);
}

}  // namespace
