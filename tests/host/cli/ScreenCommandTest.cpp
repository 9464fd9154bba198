// `orlo screen` run in-process on the linked module: a small fleet of sets screened with
// one and with two workers, each set's entry against `orlo analyze --json` on its files,
// the outputs, the order worst first, the exit codes and refused runs.
#include "host/cli/AnalyzeCommand.h"
#include "host/cli/ScreenCommand.h"
#include "host/output/Json.h"
#include "tests/host/RunOrlo.h"
#include "tests/host/ScratchDirectory.h"

#include <gtest/gtest.h>

namespace orlo::host {
namespace {

using json::Value;
using testing::CommandRun;
using testing::ReadFile;
using Strings = std::vector<std::string>;

class ScreenCommandTest : public ::testing::Test {
 protected:
  void TearDown() override { win::UseVirtualClock(false); }

  static CommandRun Screen(const Strings& args, ModuleEntryFunction entry = &module::ORLOModuleEntry) {
    return testing::RunOnModule(RunScreen, args, entry);
  }
  // A simulated phase of 500 points; `severity` > 0 deforms it radially.
  std::string Phase(const std::string& file, int seed, int severity = 0) {
    return testing::SimulatePhase(scratch.Path(file), seed, severity, 500);
  }

  testing::ScratchDirectory scratch;
};

// The fleet: a deformed set, a set of four sweeps, a set of one, a set with a bad file
// (folders in name order, "." for the folder itself); the same sets again in a manifest
// with a further column.
TEST_F(ScreenCommandTest, EachSetEqualsAnalyzeOnItsFilesWhateverTheNumberOfWorkers) {
  for (int seed = 1; seed <= 3; ++seed) Phase("fleet/T2/p" + std::to_string(seed) + ".csv", seed, seed == 2 ? 40 : 0);
  for (int seed = 1; seed <= 4; ++seed) Phase("fleet/T1/2024/p" + std::to_string(seed) + ".csv", seed);
  Phase("fleet/p1.csv", 1);
  scratch.Write("fleet/T1/p1.txt", "frequency,magnitude\n10,-3\n20,x\n");
  const std::string fleet = scratch.Path("fleet");
  const std::string csv = scratch.Path("one.csv"), page = scratch.Path("one.html");

  const CommandRun one = Screen({"--jobs", "1", "--json", "--csv", csv, "--html", page, fleet});
  const CommandRun two = Screen({"--jobs", "2", "--json", "--csv", scratch.Path("two.csv"),
                                 "--html", scratch.Path("two.html"), "--no-progress", fleet});
  EXPECT_EQ(one.exitCode, 3) << one.err;  // the unreadable set
  EXPECT_EQ(one.out, two.out);
  EXPECT_EQ(ReadFile(csv), ReadFile(scratch.Path("two.csv")));
  EXPECT_EQ(ReadFile(page), ReadFile(scratch.Path("two.html")));
  EXPECT_EQ(one.err + two.err, "");

  const Value document = json::Parse(one.out);
  EXPECT_EQ(document.Find("format")->Text(), "orlo-screen/1");
  const std::pair<const char*, const char*> expected[] = {
      {".", "too few sweeps"}, {"T1", "unreadable"}, {"T1/2024", "analysed"}, {"T2", "analysed"}};
  ASSERT_EQ(document.Find("sets")->Items().size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const Value& set = document.Find("sets")->Items()[i];
    EXPECT_EQ(set.Find("set")->Text(), expected[i].first);
    EXPECT_EQ(set.Find("status")->Text(), expected[i].second);
    Strings files;
    for (const Value& sweep : set.Find("sweeps")->Items()) files.push_back(sweep.Find("file")->Text());
    if (files.empty()) {
      EXPECT_EQ(set.Find("error")->Text(), fleet + "/T1/p1.txt:3: magnitude is not a number: \"x\"");
      continue;
    }
    files.insert(files.begin(), "--json");
    const Value analysis = json::Parse(testing::RunOnModule(RunAnalyze, files).out);
    for (const char* member : {"sweeps", "analyzers", "messageBoxes", "notes"}) {
      ASSERT_NE(set.Find(member), nullptr) << member;
      EXPECT_EQ(*set.Find(member), *analysis.Find(member)) << member;
    }
  }
  // The deformed phase 2 of T2: every pair with it is worse than Normal by DL/T 911.
  EXPECT_EQ(json::Write(*document.Find("sets")->Items()[3].Find("worst"), 0),
            R"([{"analyzer":0,"conclusion":""},{"analyzer":1,"conclusion":"Obvious Distortion"}])");

  // A manifest lists the same files; its further column is carried along, worst first.
  scratch.Write("fleet.csv", "set,File,transformer\n"
                             "b,fleet/T2/p1.csv,T2\nb,fleet/T2/p2.csv,T2\nb,fleet/T2/p3.csv,T2\n"
                             "a,fleet/p1.csv,T1\n\"c, bad\",fleet/T1/p1.txt,\"T1 \"\"old\"\"\"\n");
  const CommandRun table = Screen({"--sort", "worst", "--progress", scratch.Path("fleet.csv")});
  EXPECT_EQ(table.exitCode, 3);
  EXPECT_NE(table.err.find("\rscreening: 3/3 sets"), std::string::npos) << table.err;
  std::istringstream lines(table.out);
  Strings rows;
  for (std::string line; std::getline(lines, line);) {
    rows.push_back(line.substr(0, std::min(line.find("  "), line.find(": "))));
  }
  EXPECT_EQ(rows, (Strings{"", "Set", "c, bad", "b", "a", "For every set analysed"})) << table.out;
  // The note of every set analysed, that the correlation analysis has no settings file,
  // is said once below the table and once on the page; every CSV line keeps it, to be read
  // alone (13 lines: the set of one sweep, 2 analyzers x 3 pairs of T1/2024 and of T2).
  EXPECT_NE(table.out.find("\nb       T2           3       -    -    -    -      Obvious Distortion  "
                           "Obvious Distortion  Normal  Obvious Distortion\n"),
            std::string::npos)
      << table.out;
  const auto count = [](const std::string& text) {
    size_t found = 0;
    for (size_t at = 0; (at = text.find("No settings file: ", at)) != std::string::npos; ++at) ++found;
    return found;
  };
  EXPECT_EQ((std::vector<size_t>{count(table.out), count(ReadFile(page)), count(ReadFile(csv))}),
            (std::vector<size_t>{1, 1, 13}));
}

TEST_F(ScreenCommandTest, ErrorBoxesAndRefusedRunsGiveTheirExitCodes) {
  Phase("set/p1.csv", 1);
  Phase("set/p2.csv", 2);
  const CommandRun boxed = Screen({"--json", scratch.Path("set")}, &testing::EntryShowingAnErrorBox);
  EXPECT_EQ(boxed.exitCode, 1);
  const Value document = json::Parse(boxed.out);
  const Value& set = document.Find("sets")->Items().at(0);
  EXPECT_EQ(set.Find("status")->Text(), "error box");
  EXPECT_EQ(set.Find("error")->Text(), "Cannot create curves.\nCheck the graph.");

  scratch.Write("empty/readme.md", "no sweeps here");
  const std::tuple<Strings, int, std::string> refused[] = {
      {{"--jobs", "0", "x"}, 2, "orlo screen: --jobs expects a number of workers from 1 to 256, not '0'\n"},
      {{"--sort", "best", "x"}, 2, "orlo screen: --sort expects 'worst', not 'best'\n"},
      {{"--analyzer", "nonesuch", scratch.Path("set")}, 2,
       "orlo screen: no analyzer 'nonesuch' (try 'orlo analyzers')\n"},
      {{scratch.Path("missing")}, 3, "orlo screen: cannot read '" + scratch.Path("missing") + "': no such file or folder\n"},
      {{scratch.Path("empty")}, 3, "orlo screen: no sweep files in or below the folder '" + scratch.Path("empty") + "'\n"},
      {{scratch.Path("empty/readme.md")}, 3, "orlo screen: " + scratch.Path("empty/readme.md") +
                                                  ":1: the header has no column 'set' (a manifest starts with a header such as \"set,file\")\n"},
  };
  for (const auto& [args, exitCode, message] : refused) {
    const CommandRun run = Screen(args);
    EXPECT_EQ(run.exitCode, exitCode) << message;
    EXPECT_EQ(run.err, message);
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
}  // namespace orlo::host
