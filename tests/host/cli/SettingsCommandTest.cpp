// `orlo settings` run as the user runs it: the built executable, its module and a fresh
// settings folder.
#include "host/output/Json.h"
#include "tests/host/RunOrlo.h"
#include "tests/host/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <tuple>

namespace orlo::host {
namespace {

using testing::OrloRun;

class SettingsCommandTest : public ::testing::Test {
 protected:
  OrloRun Orlo(const std::string& arguments) const {
    return testing::RunOrlo("settings --settings-dir '" + folder.Path("") + "' " + arguments);
  }
  json::Value Json(const std::string& arguments) const {
    const OrloRun run = Orlo("--json " + arguments);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return json::Parse(run.output);
  }
  std::string File() const { return testing::ReadFile(folder.Path("Analyzer.xml")); }

  testing::ScratchDirectory folder;
};

const json::Value& At(const json::Value& value, std::initializer_list<const char*> keys) {
  const json::Value* at = &value;
  for (const char* key : keys) at = at->Find(key);
  return *at;
}

TEST_F(SettingsCommandTest, EmptyFolderShowsTheDefaultsUntilAChangeIsWritten) {
  const OrloRun shown = Orlo("show");
  EXPECT_EQ(shown.exitCode, 0) << shown.output;
  for (const char* line : {"  > DL/T 911 (Rxy)\n", "\n[x] Magnitude Difference Parameter\n",
                           "Magnitude Difference limit: 0.25\n", "(not read: the defaults",
                           "  >  LF    1 kHz     100 kHz   Value < 1    1 <= Value < 2    "
                           "2 <= Value\n"}) {
    EXPECT_NE(shown.output.find(line), std::string::npos) << line << "\n" << shown.output;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.Path("Analyzer.xml")));

  const json::Value document = Json("show");
  std::vector<std::string> keys;
  for (const json::Member& member : document.Members()) keys.push_back(member.key);
  EXPECT_EQ(keys, (std::vector<std::string>{"format", "file", "loaded", "technique",
                                            "magnitudeDifference", "limit", "grid", "selectedRow",
                                            "sets", "messageBoxes", "notes"}));
  EXPECT_EQ(At(document, {"format"}).Text(), "orlo-settings/1");
  EXPECT_FALSE(At(document, {"loaded"}).AsBool());
  EXPECT_EQ(At(document, {"technique", "name"}).Text(), "RXy");
  EXPECT_EQ(At(document, {"limit"}).Text(), "0.25");
  EXPECT_EQ(At(document, {"selectedRow"}).Text(), "1");
  const json::Array& sets = At(document, {"sets"}).Items();
  ASSERT_EQ(sets.size(), 3u);
  EXPECT_EQ(At(sets[2], {"name"}).Text(), "NCEPRI");

  // A technique picked alone writes only the technique and says so; "save" writes what the
  // dialog shows; a limit is typed as given (a decimal comma too).
  const OrloRun picked = Orlo("technique LRxy");
  EXPECT_NE(picked.output.find("Note: Only the technique was written to " +
                               folder.Path("Analyzer.xml") + "; the bands shown are the defaults, "
                               "which `orlo settings save --settings-dir " + folder.Path("") + "`"),
            std::string::npos) << picked.output;
  EXPECT_EQ(File().find("<Band>"), std::string::npos);
  EXPECT_EQ(Orlo("save").output.find("Note:"), std::string::npos);
  EXPECT_NE(File().find("<Band>"), std::string::npos);
  const json::Value changed = Json("magnitude-difference off --limit 0,5");
  EXPECT_FALSE(At(changed, {"magnitudeDifference"}).AsBool());
  EXPECT_EQ(At(changed, {"limit"}).Text(), "0.5");
  EXPECT_EQ(At(changed, {"technique", "name"}).Text(), "LRxy");

  // A file that cannot be read is kept aside by the change that replaces it, and named.
  std::ofstream(folder.Path("Analyzer.xml")) << "<VelmoraAnalyzer>";
  EXPECT_NE(Orlo("save").output.find("Note: " + folder.Path("Analyzer.xml") + " could not be read; "
                                     "it was kept as " + folder.Path("Analyzer.xml.unreadable")),
            std::string::npos);
}

TEST_F(SettingsCommandTest, BandAddedWithPrefixesIsShownAndHeldExactly) {
  const OrloRun added =
      Orlo("band add --label XY --min 100k --max 1.5M --normal 0.9 --suspect 0.5");
  EXPECT_EQ(added.exitCode, 0) << added.output;
  EXPECT_NE(added.output.find("XY    100 kHz   1.5 MHz   Value < 0.5  0.5 <= Value < 0.9"),
            std::string::npos)
      << added.output;

  const json::Value document = Json("band add --label T2 --min 1 --max 2 --technique NCEPRI "
                                    "--normal 2 --suspect 3");
  EXPECT_EQ(At(document, {"technique", "index"}).Text(), "2");
  const json::Value& rxy = At(document, {"sets"}).Items()[1].Find("bands")->Items().back();
  EXPECT_EQ(json::Write(rxy, 0),
            R"({"label":"XY","minFreq":100000,"maxFreq":1500000,"normal":{"set":true,)"
            R"("start":0.9},"suspect":{"set":true,"start":0.5,"end":0.9},)"
            R"("obvious":{"set":true,"end":0.5}})");
  const json::Value& ncepri = At(document, {"sets"}).Items()[2].Find("bands")->Items().back();
  EXPECT_EQ(At(ncepri, {"label"}).Text(), "T2");
}

// Refused before the dialog opens, exit code 2: numbers that are no finite number, a band
// that does not exist. Refused by the band editor (its rules: XCorrAnalyzerEditorTest; a
// save that fails shows its box the same way: SettingsFileTest): the box printed, exit 1.
// Either way nothing is written.
TEST_F(SettingsCommandTest, RefusedInputNamesTheFaultAndWritesNothing) {
  const std::tuple<const char*, int, const char*> refused[] = {
      {"magnitude-difference on --limit nan", 2, "--limit expects a finite number"},
      {"magnitude-difference on --limit abc", 2, "--limit expects a finite number"},
      {"magnitude-difference on --limit 1e400", 2, "--limit expects a finite number"},
      {"band add --label B --min 1 --max 2 --normal inf", 2, "--normal expects a finite number"},
      {"band edit 1 --suspect nan", 2, "--suspect expects a finite number"},
      {"band edit 9 --label X", 2, "ROW 9 is not a band (the grid has 3)"},
      {"band add --label B --min 2000 --max 1000", 1, "\n    Max < Min\n"}};
  for (const auto& [action, exitCode, text] : refused) {
    const OrloRun run = Orlo(action);
    EXPECT_EQ(run.exitCode, exitCode) << action;
    EXPECT_NE(run.output.find(text), std::string::npos) << run.output;
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path("")));
}

// Each run holds the settings file's lock from reading it to writing it back, so runs at
// the same time keep each other's bands.
TEST_F(SettingsCommandTest, ParallelRunsKeepEveryBand) {
  std::vector<std::future<OrloRun>> runs;
  for (int i = 1; i <= 12; ++i) {
    runs.push_back(std::async(std::launch::async, [this, i] {
      return Orlo("band add --label B" + std::to_string(i) + " --min " + std::to_string(i) + "k --max 1M");
    }));
  }
  for (auto& run : runs) EXPECT_EQ(run.get().exitCode, 0);
  const json::Value document = Json("show");
  EXPECT_EQ(At(document, {"sets"}).Items()[1].Find("bands")->Items().size(), 3u + 12u);
  EXPECT_TRUE(std::filesystem::exists(folder.Path("Analyzer.xml")));
  EXPECT_FALSE(std::filesystem::exists(folder.Path("Analyzer.xml.lock")));
}

TEST_F(SettingsCommandTest, DeleteAsksAndOnlyYesDeletes) {
  ASSERT_EQ(Orlo("technique 1").exitCode, 0);
  const std::string before = File();
  const OrloRun kept = Orlo("band delete 1");
  EXPECT_EQ(kept.exitCode, 0) << kept.output;
  EXPECT_NE(kept.output.find("question (Yes/No):\n    Delete LF?\n"), std::string::npos);
  EXPECT_EQ(File(), before);

  const json::Value document = Json("band delete 1 --yes");
  EXPECT_EQ(At(document, {"sets"}).Items()[1].Find("bands")->Items().size(), 2u);
}

}  // namespace
}  // namespace orlo::host
