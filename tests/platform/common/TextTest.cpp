// UTF-8 decoding, encoding and validation, and comparison that ignores letter case.
#include "platform/common/TextCase.h"
#include "platform/common/Utf8.h"

#include <gtest/gtest.h>

namespace orlo {
namespace {

TEST(Utf8, EncodesAndDecodesEverySequenceLength) {
  const std::string utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
  const std::wstring wide = L"a\u00e9\u20ac\U0001F600";
  EXPECT_EQ(Utf8ToWide(utf8), wide);
  EXPECT_EQ(WideToUtf8(wide), utf8);
  EXPECT_EQ(CountUtf8Chars(utf8), 4u);
  // What UTF-8 cannot carry: surrogates and code points beyond U+10FFFF.
  EXPECT_EQ(WideToUtf8(std::wstring{static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000)}),
            "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf8, EachByteOfABadSequenceDecodesToAReplacementCharacter) {
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

}  // namespace
}  // namespace orlo
