// Number texts: the plain/scientific rule of the shortest text, fixed and significant
// texts that fit any double, and reading with its faults.
#include "platform/common/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orlo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberText, ShortestTextIsPlainOnlyFromOneMillionthToTenToTheFifteen) {
  const std::pair<double, const char*> cases[] = {
      {0.3, "0.3"},           {0.1 + 0.2, "0.30000000000000004"},
      {-150000, "-150000"},   {1e-6, "0.000001"},
      {9.99999e-7, "9.99999e-07"}, {999999999999999.9, "999999999999999.9"},
      {1e15, "1e+15"},        {-0.0, "-0"},
      {5e-324, "5e-324"},     {-kInf, "-inf"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatShortest(value), text) << value;
  EXPECT_EQ(FormatShortest(1001.52131519647f), "1001.5213");  // the float's shortest digits
  EXPECT_EQ(FormatShortest(2.0e6f), "2000000");
}

TEST(NumberText, FixedAndSignificantTextsFitEveryDouble) {
  EXPECT_EQ(FormatFixed(-3.5, 2), "-3.50");
  EXPECT_EQ(FormatFixed(0.125, 2), "0.12");  // the exact binary value, ties to even
  EXPECT_EQ(FormatFixed(2.5, -1), "2");
  const std::string huge = FormatFixed(-std::numeric_limits<double>::max(), 6);
  EXPECT_EQ(huge.size(), 1 + 309 + 1 + 6u);
  EXPECT_TRUE(huge.starts_with("-17976931348623157")) << huge;
  EXPECT_EQ(FormatSignificant(1001.52131519647, 10), "1001.521315");
  EXPECT_EQ(FormatSignificant(2.0e6, 10), "2000000");
  EXPECT_EQ(FormatSignificant(1.5e-7, 10), "1.5e-07");
  EXPECT_EQ(FormatSignificant(1e300, 400).size(), 301u);  // 1e300 has 301 exact digits
}

TEST(NumberText, ReadsWholeNumbersAndTellsWhatIsWrong) {
  const struct {
    const char* text;
    NumberFault fault;
    double value;
  } cases[] = {
      {"-0.25", NumberFault::kNone, -0.25},      {"+3", NumberFault::kNone, 3},
      {"2.5E-3", NumberFault::kNone, 2.5e-3},    {".5", NumberFault::kNone, 0.5},
      {"-Infinity", NumberFault::kNone, -kInf},  {"4.9e-324", NumberFault::kNone, 5e-324},
      {"", NumberFault::kNotANumber, 0},         {" 1", NumberFault::kNotANumber, 0},
      {"12abc", NumberFault::kNotANumber, 0},    {"1,5", NumberFault::kNotANumber, 0},
      {"0x10", NumberFault::kNotANumber, 0},     {"+-1", NumberFault::kNotANumber, 0},
      {"1e", NumberFault::kNotANumber, 0},       {"1e400", NumberFault::kOutOfRange, 0},
      {"-1e400", NumberFault::kOutOfRange, 0},   {"1e-400", NumberFault::kOutOfRange, 0},
  };
  for (const auto& c : cases) {
    const NumberRead read = ReadNumber(c.text);
    EXPECT_EQ(read.fault, c.fault) << c.text;
    EXPECT_EQ(read.value, c.value) << c.text;
  }
  EXPECT_TRUE(std::isnan(ReadNumber("nan").value));

  const NumberRead magnitude = ReadNumberPrefix("-6.0e+00dB,45");
  EXPECT_EQ(magnitude.value, -6.0);
  EXPECT_EQ(magnitude.length, 8u);
  const NumberRead huge = ReadNumberPrefix("1e999dB");
  EXPECT_EQ(huge.fault, NumberFault::kOutOfRange);
  EXPECT_EQ(huge.length, 5u);
  EXPECT_EQ(ReadNumberPrefix("dB").fault, NumberFault::kNotANumber);
}

}  // namespace
}  // namespace orlo
