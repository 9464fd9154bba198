// Settings files that are not what they claim, and saves interrupted by a killed process.
// (Which bytes the XML layer refuses is ORLOXMLTest's; here a refused file meets the
// settings file's rules.)
#include "module/bands/SettingsFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>

#include "platform/win/MessageBox.h"
#include "tests/support/SettingsFolder.h"

namespace {

using orlo::test::SettingsFolder;

TEST(SettingsFileHostileTest, UnreadableFilesGiveDefaultsAndAreKeptAsideAtTheNextWrite) {
  SettingsFolder folder;
  const std::string secret = folder.Path("secret.txt");
  folder.Write("TOP-SECRET", "secret.txt");
  const std::string valid =
      "<?xml version=\"1.0\"?><VelmoraAnalyzer><XCorrAnalyzer version=\"2\"><CurrentStatParam>"
      "NCEPRI</CurrentStatParam><MagnitudeDifferenceLimit>0.5</MagnitudeDifferenceLimit>"
      "</XCorrAnalyzer></VelmoraAnalyzer>";

  const struct {
    const char* what;
    std::string bytes;
  } files[] = {
      {"truncated", valid.substr(0, valid.size() / 2)},
      {"external entity",
       "<!DOCTYPE VelmoraAnalyzer [<!ENTITY e SYSTEM \"file://" + secret + "\">]>"
       "<VelmoraAnalyzer><XCorrAnalyzer version=\"2\"><CurrentStatParam>&e;</CurrentStatParam>"
       "<StatParams name=\"&e;\"><Band><Label>&e;</Label></Band></StatParams>"
       "</XCorrAnalyzer></VelmoraAnalyzer>"},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.what);
    std::filesystem::remove(folder.Path("Analyzer.xml.unreadable"));
    folder.Write(file.bytes);
    XCorrSettings settings;
    EXPECT_FALSE(LoadAllSettings(settings));
    EXPECT_EQ(settings.CurrentStatParam, STAT_LRXY);
    EXPECT_TRUE(settings.StatParams[STAT_LRXY].bands.IsEmpty());

    ASSERT_TRUE(SaveGeneralSettings(STAT_NCEPRI, false, 0.5));
    EXPECT_EQ(folder.Read("Analyzer.xml.unreadable"), file.bytes);
    ASSERT_TRUE(LoadAllSettings(settings));
    EXPECT_EQ(settings.CurrentStatParam, STAT_NCEPRI);
    EXPECT_EQ(folder.Read().find("TOP-SECRET"), std::string::npos);
  }
  EXPECT_TRUE(orlo::win::MessageBoxes().empty());

  // A second unreadable file does not replace the first one kept aside; a full save keeps
  // it aside as well.
  folder.Write("not xml");
  XCorrSettings settings;
  settings.StatParams[STAT_RXY].bands.Add(new tagFREQBAND{L"LF", 1000, 100000});
  SaveAllSettings(settings);
  EXPECT_EQ(folder.Read("Analyzer.xml.unreadable.2"), "not xml");
  EXPECT_NE(folder.Read("Analyzer.xml.unreadable"), "not xml");
  EXPECT_TRUE(LoadAllSettings(settings));
}

// Two different settings, told apart by their limit and their bands.
void FillSettings(XCorrSettings& settings, bool second) {
  settings.CurrentStatParam = second ? STAT_NCEPRI : STAT_RXY;
  settings.MagnitudeDifferenceLimit = second ? 0.75 : 0.5;
  for (int t = 0; t < kStatTechniqueCount; ++t) {
    AddDefaultBands(settings.StatParams[t].bands, second ? STAT_LRXY : t);
  }
}

TEST(SettingsFileHostileTest, AKilledFullSaveLeavesTheOldOrTheNewSettings) {
  SettingsFolder folder;
  XCorrSettings first;
  FillSettings(first, false);
  SaveAllSettings(first);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> instant(0, 40000);  // microseconds into the loop
  int sawFirst = 0;
  int sawSecond = 0;
  for (int run = 0; run < 60; ++run) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      XCorrSettings settings[2];
      FillSettings(settings[0], false);
      FillSettings(settings[1], true);
      for (int save = 0; save < 400; ++save) SaveAllSettings(settings[save % 2]);
      _exit(0);
    }
    usleep(static_cast<useconds_t>(instant(random)));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    XCorrSettings read;
    ASSERT_TRUE(LoadAllSettings(read)) << "run " << run;
    const bool second = read.MagnitudeDifferenceLimit == 0.75;
    XCorrSettings expected;
    FillSettings(expected, second);
    EXPECT_EQ(read.CurrentStatParam, expected.CurrentStatParam) << "run " << run;
    for (int t = 0; t < kStatTechniqueCount; ++t) {
      EXPECT_EQ(read.StatParams[t].bands.GetSize(), expected.StatParams[t].bands.GetSize())
          << "run " << run;
    }
    ++(second ? sawSecond : sawFirst);
  }
  EXPECT_GT(sawFirst + sawSecond, 0);
}

}  // namespace
