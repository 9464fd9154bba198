// Text: UTF-8 decoding, encoding and validation, comparison that ignores letter case, number
// texts (the plain/scientific rule of the shortest text, fixed and significant texts that
// fit any double, reading with its faults) and the host's formatters and parser on top.
#include "platform/common/NumberText.h"
#include "platform/common/Services.h"
#include "platform/common/TextCase.h"
#include "platform/common/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <tuple>

namespace orlo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

std::wstring ShortestText(double value, wchar_t separator = L'.') {
  wchar_t buffer[50];
  EXPECT_GT(ORLOFormatValue(value, buffer, 50, -1, -1, 0, 1, separator), 0);
  return buffer;
}

TEST(Utf8, EncodesAndDecodesEverySequenceLengthAndEachByteOfABadOne) {
  const std::string utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
  const std::wstring wide = L"a\u00e9\u20ac\U0001F600";
  EXPECT_EQ(Utf8ToWide(utf8), wide);
  EXPECT_EQ(WideToUtf8(wide), utf8);
  EXPECT_EQ(CountUtf8Chars(utf8), 4u);
  // What UTF-8 cannot carry: surrogates and code points beyond U+10FFFF.
  EXPECT_EQ(WideToUtf8(std::wstring{static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000)}),
            "\xEF\xBF\xBD\xEF\xBF\xBD");
  // Each byte of a bad sequence decodes to a replacement character.
  EXPECT_EQ(Utf8ToWide("\xB0x"), L"\uFFFDx");                  // Latin-1 degree sign
  EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\uFFFD\uFFFD");          // overlong '/'
  EXPECT_EQ(Utf8ToWide("\xE2\x82"), L"\uFFFD\uFFFD");          // cut short
  EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
}

TEST(Utf8, DecodeUtf8CharNamesTheFault) {
  const std::pair<const char*, Utf8Fault> cases[] = {
      {"\xFF", Utf8Fault::kBadLeadByte},          {"\xC1\x81", Utf8Fault::kBadLeadByte},
      {"\xF5\x80\x80\x80", Utf8Fault::kBadLeadByte}, {"\xE2\x82", Utf8Fault::kTruncated},
      {"\xE2\x28\xA1", Utf8Fault::kInvalidSequence}, {"\xE0\x80\x80", Utf8Fault::kInvalidSequence},
      {"\xED\xA0\x80", Utf8Fault::kInvalidSequence}, {"\xF4\x90\x80\x80", Utf8Fault::kInvalidSequence},
  };
  for (const auto& [text, fault] : cases) EXPECT_EQ(DecodeUtf8Char(text).fault, fault) << text;
  const Utf8Char smiley = DecodeUtf8Char("\xF0\x9F\x98\x80!");
  EXPECT_EQ(smiley.code, U'\U0001F600');
  EXPECT_EQ(smiley.length, 4u);
}

TEST(TextCase, EqualsIgnoringCaseComparesWholeTexts) {
  EXPECT_TRUE(EqualsIgnoringCase(L"Phase-A", L"pHASE-a"));
  EXPECT_FALSE(EqualsIgnoringCase(L"T1", L"T10"));
  EXPECT_FALSE(EqualsIgnoringCase(L"T10", L"T1"));
  EXPECT_TRUE(EqualsIgnoringCase(L"", L""));
}

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
  EXPECT_EQ(ReadNumber("-2,5e1", true).value, -25.0);
  EXPECT_EQ(ReadNumber("1,5,0", true).fault, NumberFault::kNotANumber);
}

// The shortcut for short decimals and the decimal comma read what std::from_chars reads
// from the text with every ',' made a '.': the same bits, length and fault, over random
// texts around the shortcut's limits (digit counts, 2^53, powers of ten, subnormals).
TEST(NumberText, ReadsExactlyWhatFromCharsReads) {
  std::mt19937 random(20);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const auto digits = [&](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += static_cast<char>('0' + (pick(4) == 0 ? 9 : pick(10)));
    return text;
  };
  for (int i = 0; i < 200000; ++i) {
    std::string text = std::string("+-").substr(0, pick(3) == 0 ? 1 + pick(2) : 0) + digits(pick(21));
    if (pick(2) == 0) text += (pick(3) == 0 ? "," : ".") + digits(pick(21));
    if (pick(2) == 0) text += std::string("eE").substr(pick(2), 1) + "+-"[pick(2)] + digits(pick(6));
    if (pick(8) == 0) text = "9007199254740" + digits(3 + pick(3));
    text += std::string(",;x e.").substr(pick(6), pick(2));
    const bool decimalComma = pick(2) == 0;
    std::string reference = text.starts_with('+') && text[1] != '-' ? text.substr(1) : text;
    if (decimalComma) std::replace(reference.begin(), reference.end(), ',', '.');
    double value = 0.0;
    const auto [end, error] = std::from_chars(reference.data(), reference.data() + reference.size(), value);
    const NumberRead read = ReadNumberPrefix(text, decimalComma);
    const bool ok = error == std::errc() && !reference.starts_with("+");
    ASSERT_EQ(read.fault, ok ? NumberFault::kNone : error == std::errc::result_out_of_range ? NumberFault::kOutOfRange : NumberFault::kNotANumber) << text;
    if (read.fault == NumberFault::kNotANumber) continue;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(read.value), std::bit_cast<std::uint64_t>(ok ? value : 0.0)) << text;
    ASSERT_EQ(read.length, static_cast<size_t>(end - reference.data()) + text.size() - reference.size()) << text;
  }
}

TEST(HostFormatters, OxFormatValueKeepsSignificantDigitsWithinTheLimits) {
  const std::tuple<double, int, int, int, const wchar_t*> cases[] = {
      {10, 2, 4, 2, L"10.00"},          {1.23456, 2, 4, 2, L"1.23"},
      {0.99872, 2, 4, 4, L"0.9987"},    {0.99999, 2, 4, 4, L"1.0000"},  // carries into the units
      {-0.99872, 2, 4, 4, L"-0.9987"},  {0.0123456, 2, 4, 6, L"0.01235"},
      {12345.678, 0, 4, 2, L"12346"},   {0, 3, 4, 4, L"0.000"},
      {std::nan(""), 2, 4, 2, L"NaN"},  {-kInf, 2, 4, 2, L"-Inf"}};
  for (const auto& [value, minimum, significant, maximum, text] : cases) {
    EXPECT_EQ(OxFormatValue(value, minimum, significant, maximum), text) << value;
  }
}

// What the settings file relies on: every value written reads back exactly.
TEST(HostFormatters, ShortestTextHasItsSeparatorAndReadsBackExactly) {
  EXPECT_EQ(ShortestText(kInf), L"Inf");
  EXPECT_EQ(ShortestText(-0.0), L"-0");  // reads back with its sign
  EXPECT_EQ(ShortestText(0.25, L','), L"0,25");
  wchar_t small[4];
  EXPECT_EQ(ORLOFormatValue(1234, small, 4, -1, -1, 0, 1, L'.'), -1);
  EXPECT_EQ(std::wstring(small), L"");
  for (double value : {1.0 / 3, 2e-7 / 3, 1e300, 5e-324, -1e-310, 1e15 - 0.125, -0.0,
                       std::nextafter(1e-6, 0.0), std::numeric_limits<double>::max(), -kInf}) {
    EXPECT_EQ(std::signbit(strToFloat(ShortestText(value))), std::signbit(value)) << value;
    EXPECT_EQ(strToFloat(ShortestText(value)), value) << value;
  }
  EXPECT_TRUE(std::isnan(strToFloat(ShortestText(std::nan("")))));
}

// Decision: text out of the double range ("1e400") is no double's text and reads as 0.0
// like any other text that is not a number.
TEST(HostFormatters, ParserTakesOneNumberBetweenBlanksAndAnswersZeroOtherwise) {
  const std::pair<const wchar_t*, double> cases[] = {
      {L"  -0.25\t\n", -0.25}, {L"-Inf", -kInf},    {L"", 0},        {L"   ", 0},
      {L"12abc", 0},           {L"\u00b95", 0},    {L"1e400", 0},   {L"-1e-400", 0}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(ORLOParseFloatValue(text), value) << testing::PrintToString(text);
  }
}

}  // namespace
}  // namespace orlo
