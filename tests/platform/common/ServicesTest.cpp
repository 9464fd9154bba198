#include "platform/common/Services.h"

#include "platform/win/MessageBox.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <thread>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

std::wstring ShortestText(double value, wchar_t separator = L'.') {
  wchar_t buffer[50];
  EXPECT_GT(ORLOFormatValue(value, buffer, 50, -1, -1, 0, 1, separator), 0);
  return buffer;
}

TEST(FormatTest, OxFormatValueKeepsSignificantDigitsWithinTheLimits) {
  EXPECT_EQ(OxFormatValue(10, 2, 4, 2), L"10.00");
  EXPECT_EQ(OxFormatValue(1.23456, 2, 4, 2), L"1.23");
  EXPECT_EQ(OxFormatValue(0.99872, 2, 4, 4), L"0.9987");
  EXPECT_EQ(OxFormatValue(0.99999, 2, 4, 4), L"1.0000");  // rounding carries into the units
  EXPECT_EQ(OxFormatValue(-0.99872, 2, 4, 4), L"-0.9987");
  EXPECT_EQ(OxFormatValue(0.0123456, 2, 4, 6), L"0.01235");
  EXPECT_EQ(OxFormatValue(12345.678, 0, 4, 2), L"12346");
  EXPECT_EQ(OxFormatValue(0, 3, 4, 4), L"0.000");
  EXPECT_EQ(OxFormatValue(std::nan(""), 2, 4, 2), L"NaN");
  EXPECT_EQ(OxFormatValue(-kInf, 2, 4, 2), L"-Inf");
}

TEST(FormatTest, ORLOFormatValueWritesTheShortestTextWithItsSeparator) {
  EXPECT_EQ(ShortestText(0.3), L"0.3");
  EXPECT_EQ(ShortestText(1e15), L"1e+15");
  EXPECT_EQ(ShortestText(-0.0), L"-0");  // reads back with its sign
  EXPECT_EQ(ShortestText(kInf), L"Inf");
  EXPECT_EQ(ShortestText(0.25, L','), L"0,25");
  wchar_t small[4];
  EXPECT_EQ(ORLOFormatValue(1234, small, 4, -1, -1, 0, 1, L'.'), -1);
  EXPECT_EQ(std::wstring(small), L"");
}

// What the settings file relies on: every value written reads back exactly.
TEST(FormatTest, ShortestTextReadsBackExactly) {
  for (double value : {1.0 / 3, 2e-7 / 3, 1e300, 5e-324, -1e-310, 1e15 - 0.125,
                       std::nextafter(1e-6, 0.0), std::numeric_limits<double>::max(), -kInf}) {
    EXPECT_EQ(strToFloat(ShortestText(value)), value) << value;
  }
  EXPECT_TRUE(std::isnan(strToFloat(ShortestText(std::nan("")))));
}

// Decision: text out of the double range ("1e400") is no double's text and reads as 0.0
// like any other text that is not a number.
TEST(FormatTest, ParserTakesOneNumberBetweenBlanksAndAnswersZeroOtherwise) {
  const std::pair<const wchar_t*, double> cases[] = {
      {L"  -0.25\t\n", -0.25}, {L"-Inf", -kInf},    {L"", 0},        {L"   ", 0},
      {L"12abc", 0},           {L"\u00b95", 0},    {L"1e400", 0},   {L"-1e-400", 0}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(ORLOParseFloatValue(text), value) << testing::PrintToString(text);
  }
}

TEST(AppDataDirTest, VariablesTakePrecedenceInOrderAndTheDirectoryIsMade) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / ("orlo-appdata-" + std::to_string(getpid()));
  const char* names[] = {"ORLO_APPDATA", "XDG_CONFIG_HOME", "HOME"};
  std::string saved[3];
  for (int i = 0; i < 3; ++i) saved[i] = std::getenv(names[i]) ? std::getenv(names[i]) : "";
  setenv("ORLO_APPDATA", (root / "a" / "b" / "").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root / "xdg").c_str(), 1);
  setenv("HOME", (root / "home").c_str(), 1);

  EXPECT_EQ(GetOxAppDataDir(), (root / "a" / "b").wstring());
  setenv("ORLO_APPDATA", "", 1);
  EXPECT_EQ(GetOxAppDataDir(), (root / "xdg" / "orlo").wstring());
  setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
  EXPECT_EQ(GetOxAppDataDir(), (root / "home" / ".config" / "orlo").wstring());
  for (const fs::path& dir : {root / "a" / "b", root / "xdg" / "orlo", root / "home" / ".config"}) {
    EXPECT_TRUE(fs::is_directory(dir)) << dir;
  }

  for (int i = 0; i < 3; ++i) {
    if (saved[i].empty()) {
      unsetenv(names[i]);
    } else {
      setenv(names[i], saved[i].c_str(), 1);
    }
  }
  fs::remove_all(root);
}

TEST(ThreadSafeTest, LockIsRecursiveAndOnlyItsOwnerReleasesIt) {
  COxThreadSafe lock(nullptr, -1);
  auto otherThreadGetsIt = [&lock] {
    bool got = false;
    std::thread([&] {
      got = lock.Enter(false);
      if (got) lock.Leave();
    }).join();
    return got;
  };
  ASSERT_TRUE(lock.Enter(true));
  ASSERT_TRUE(lock.Enter(true));
  lock.Leave();
  EXPECT_FALSE(otherThreadGetsIt());  // still held once
  std::thread([&] { lock.Leave(); }).join();  // not the owner: ignored
  EXPECT_FALSE(otherThreadGetsIt());
  lock.Leave();
  EXPECT_TRUE(otherThreadGetsIt());
}

TEST(ServicesTest, TranslationsAreDecodedFromUtf8) {
  EXPECT_EQ(CGettext::Get().Translate("90\xC2\xB0 phase"), L"90\u00B0 phase");
  EXPECT_EQ(CGettext::Get().Translate(nullptr), L"");
}

TEST(ServicesTest, MessageBoxCarriesTheApplicationCaption) {
  orlo::win::ClearMessageBoxes();
  orlo::win::QueueMessageBoxAnswer(IDYES);
  EXPECT_EQ(TransMessageBox(L"Delete R-LF?", MB_YESNO | MB_ICONQUESTION), IDYES);
  ASSERT_EQ(orlo::win::MessageBoxes().size(), 1u);
  EXPECT_EQ(orlo::win::MessageBoxes()[0].caption, L"ORLO");
  EXPECT_EQ(orlo::win::MessageBoxes()[0].style, MB_YESNO | MB_ICONQUESTION);
  orlo::win::ClearMessageBoxes();
}

}  // namespace
