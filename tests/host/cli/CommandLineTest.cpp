// The command line read through each command's option table: the first fault named with
// exit code 2 (options of the command and of its actions, required options and
// positionals, nested actions), "--" ending the options, and the help laid out from the
// tables. The small commands: the file `orlo simulate` writes (read back as a sweep: every
// AnalyzeCommandTest), what `orlo sweeps` prints, and `orlo analyzers` as the user runs it
// (the built executable with its module, or with ORLO_MODULE_PATH naming something that
// is not one).
#include "TestPaths.h"
#include "tests/host/RunOrlo.h"
#include "tests/host/ScratchDirectory.h"

#include <gtest/gtest.h>

namespace orlo::host {
namespace {

using testing::CommandRun;
constexpr auto Orlo = testing::RunCommand;

TEST(CommandSyntaxTest, NamesTheFirstFaultOfTheLine) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{}, "orlo: missing command (try 'orlo --help')\n"},
      {{"bogus"}, "orlo: unknown command 'bogus' (try 'orlo --help')\n"},
      {{"settings"}, "orlo settings: no action given\n"},
      {{"settings", "band"}, "orlo settings: no action given after 'band'\n"},
      {{"settings", "colour"}, "orlo settings: unknown action 'colour'\n"},
      {{"settings", "--label", "x", "band", "add"}, "orlo settings: unknown option '--label'\n"},
      {{"settings", "band", "add", "--min", "1", "--max", "2"}, "orlo settings: no --label given\n"},
      {{"settings", "band", "add", "--label", "", "--min", "1"},
       "orlo settings: --label needs a value\n"},
      {{"settings", "band", "add", "--min"}, "orlo settings: --min needs a value\n"},
      {{"settings", "band", "add", "--label", "x", "--min", "1 kHz", "--max", "2"},
       "orlo settings: --min expects a frequency in Hz such as 1000, 100k or 1M, not '1 kHz'\n"},
      {{"settings", "technique", "kendall"},
       "orlo settings: TECHNIQUE expects LRxy, RXy, NCEPRI, 0, 1 or 2, not 'kendall'\n"},
      {{"settings", "magnitude-difference", "--limit", "1", "maybe"},
       "orlo settings: ON|OFF expects on or off, not 'maybe'\n"},
      {{"settings", "band", "delete", "--yes"}, "orlo settings: no row given\n"},
      {{"settings", "band", "delete", "3", "4"}, "orlo settings: unexpected argument '4'\n"},
      {{"settings", "show", "--bogus"}, "orlo settings: unexpected argument '--bogus'\n"},
      {{"analyze", "--json", "--"}, "orlo analyze: no sweep file given\n"},
      {{"analyze", "--bogus", "a.csv"}, "orlo analyze: unknown option '--bogus'\n"},
      {{"analyzers", "extra"}, "orlo analyzers: unexpected argument 'extra'\n"},
      {{"simulate", "extra"}, "orlo simulate: unknown argument 'extra'\n"},
      {{"simulate", "--severity", "5"}, "orlo simulate: --deformation and --severity go together\n"},
      {{"simulate", "--deformation", "twisted", "--severity", "5"},
       "orlo simulate: --deformation expects radial, axial or shorted-turns, not 'twisted'\n"},
      {{"simulate", "--deformation", "radial", "--severity", "100"},
       "orlo simulate: --severity expects a percentage above 0 and below 100, not '100'\n"},
      {{"simulate", "--phase", "-1"}, "orlo simulate: --phase expects a seed from 0 to 4294967295, not '-1'\n"},
      {{"simulate", "--points", "1"}, "orlo simulate: --points expects a count from 2 to 1000000, not '1'\n"},
      {{"simulate", "--noise", "inf"}, "orlo simulate: --noise expects a level in dB from 0 to 100, not 'inf'\n"},
      {{"simulate", "--noise", "1000"}, "orlo simulate: --noise expects a level in dB from 0 to 100, not '1000'\n"},
      {{"sweeps", "--json", "a.csv"}, "orlo sweeps: unknown option '--json'\n"},
  };
  for (const auto& [args, message] : cases) {
    const CommandRun run = Orlo(args);
    EXPECT_EQ(run.exitCode, kExitUsage) << message;
    EXPECT_EQ(run.err, message);
    EXPECT_EQ(run.out, "");
  }
  // After "--" every word is a sweep file, even one that looks like an option.
  const CommandRun files = Orlo({"sweeps", "--", "--json"});
  EXPECT_EQ(files.exitCode, kExitUnreadable);
  EXPECT_EQ(files.err, "--json: cannot open: No such file or directory\n");
  EXPECT_EQ(Orlo({"simulate", "-o", "/nonexistent-folder/x.csv"}).exitCode, kExitUnreadable);
}

// Lines end at column 86; a label over 20 characters has its help on the next line.
TEST(CommandSyntaxTest, HelpIsLaidOutFromTheTables) {
  const std::pair<std::vector<std::string>, std::string> shown[] = {
      {{"--help"}, "\ncommands:\n  sweeps      import sweep files and print what was read from each\n"},
      {{"analyze", "--help"},
       "usage: orlo analyze [--analyzer INDEX|GUID|NAME] [--row N] [--json] [--report FILE]\n"
       "                    [--html FILE] [--settings-dir DIR] [--model-file FILE] [--trace]\n"},
      {{"analyze", "--help"},
       "\n  --analyzer INDEX|GUID|NAME\n"
       "                       run only this analyzer (its index, GUID or name, case ignored;\n"
       "                       see 'orlo analyzers')\n  --row N              click row N"},
      {{"settings", "band", "--help"},
       "\n  band ACTION ...\n      change the bands of the selected technique\n"
       "  band add --label L --min F --max F [--normal X] [--suspect X] [--technique T]\n"
       "      click Add..., fill in the band editor and click OK\n      --label L       the"},
      {{"settings", "--help"},
       "\n  band delete [--yes] ROW\n      click band ROW and Delete; the question is answered "
       "Yes with --yes, else No\n      --yes   answer Yes\n\nexit status: 0 done"},
      {{"sweeps", "--help"}, "usage: orlo sweeps [--html FILE] SWEEP_FILE...\n"},
      {{"analyzers", "--help"}, "usage: orlo analyzers\n"},
      {{"simulate", "--help"}, "usage: orlo simulate ["},
  };
  for (const auto& [args, text] : shown) {
    const CommandRun run = Orlo(args);
    EXPECT_EQ(run.exitCode, kExitOk);
    EXPECT_NE(run.out.find(text), std::string::npos) << "missing: " << text << "\n" << run.out;
  }
}

testing::CommandRun Simulate(std::vector<std::string> args) {
  args.insert(args.begin(), "simulate");
  return testing::RunCommand(args);
}

TEST(SimulateCommandTest, WritesTheDocumentedFormatAndTheSameFileForTheSameOptions) {
  // The nominal winding at the ends of the range and at its geometric middle.
  EXPECT_EQ(Simulate({"--points", "3"}).out,
            "frequency_hz,magnitude_db,phase_deg\n20,-0.697536,-0.5034\n"
            "6324.55532,-10.141055,-69.2820\n2000000,-62.741566,76.3625\n");
  const testing::CommandRun first = Simulate({"--phase", "7", "--noise", "0.5"});
  ASSERT_EQ(first.exitCode, kExitOk) << first.err;
  EXPECT_EQ(Simulate({"--phase", "7", "--noise", "0.5"}).out, first.out);
  for (const std::vector<std::string>& other :
       {std::vector<std::string>{"--phase", "8", "--noise", "0.5"}, {"--phase", "7"},
        {"--phase", "7", "--noise", "100"},
        {"--phase", "7", "--noise", "0.5", "--deformation", "axial", "--severity", "5"}}) {
    const testing::CommandRun outcome = Simulate(other);
    EXPECT_EQ(outcome.exitCode, kExitOk) << outcome.err;
    EXPECT_NE(outcome.out, first.out) << ::testing::PrintToString(other);
  }
}

// The good file twice (the second name made unique), the broken one named with its line;
// the page plots what was read.
TEST(SweepsCommandTest, PrintsWhatWasReadFromEachFileAndReportsBadOnes) {
  testing::ScratchDirectory scratch;
  const std::string good = scratch.Write("phase-A.csv", "f,m\n20,-3.5\n2000000,0.25\n");
  const std::string bad = scratch.Write("broken.csv", "f,m\n20,x\n");
  const testing::CommandRun run = testing::RunCommand({"sweeps", "--html", scratch.Path("p.html"), good, bad, good});
  EXPECT_EQ(run.exitCode, kExitUnreadable);
  EXPECT_EQ(run.out, "phase-A: 2 points, 20 Hz to 2000000 Hz, magnitude -3.50 dB to 0.25 dB (" + good + ")\n"
                     "phase-A (2): 2 points, 20 Hz to 2000000 Hz, magnitude -3.50 dB to 0.25 dB (" + good + ")\n");
  EXPECT_EQ(run.err, bad + ":2: magnitude is not a number: \"x\"\n");
  const std::string html = testing::ReadFile(scratch.Path("p.html"));
  EXPECT_NE(html.find("<ul class=\"legend\"><li><span class=\"swatch\" style=\"border-top:2px "
                      "solid #0000FF\"></span>phase-A</li><li>"),
            std::string::npos)
      << html;
  EXPECT_EQ(html.find("broken"), std::string::npos);

  const std::string unwritable = scratch.Path("no/dir/p.html");
  const testing::CommandRun unwritten = testing::RunCommand({"sweeps", "--html", unwritable, good});
  EXPECT_EQ(unwritten.exitCode, kExitUnreadable);
  EXPECT_EQ(unwritten.err, "orlo sweeps: cannot write '" + unwritable + "': No such file or directory\n");
}

using testing::OrloRun;
using testing::RunOrlo;

TEST(AnalyzersCommandTest, ListsTheAnalyzersOfTheBuiltModule) {
  const OrloRun listed = RunOrlo("analyzers");
  EXPECT_EQ(listed.exitCode, 0) << listed.output;
  EXPECT_EQ(listed.output,
            "INDEX  NAME                      GUID                                    SETTINGS\n"
            "0      Correlation analysis      {4BA6F174-43D6-4431-ADD2-DCAC39848B99}  yes\n"
            "1      DL/T 911-2004 Analyzer    {E5DDB55E-96C1-47d0-8361-B7519CDA16F2}  no\n");
}

TEST(AnalyzersCommandTest, AModulePathThatHoldsNoModuleIsUnreadableInput) {
  const std::pair<std::string, std::string> paths[] = {
      {"/nonexistent", "cannot load the analysis module '/nonexistent': no such file\n"},
      {ORLO_BIN_DIR, "cannot load the analysis module '" ORLO_BIN_DIR "': is a directory\n"},
      {ORLO_BIN_DIR "/../CMakeCache.txt",  // then the loader's words
       "cannot load the analysis module '" ORLO_BIN_DIR "/../CMakeCache.txt': "},
      // A library of the platform: it loads, and registers nothing.
      {ORLO_BIN_DIR "/libORLOControls.so",
       "the analysis module '" ORLO_BIN_DIR "/libORLOControls.so' registers no analyzer\n"},
  };
  for (const auto& [path, message] : paths) {
    const OrloRun run = RunOrlo("analyzers", "ORLO_MODULE_PATH='" + path + "'");
    EXPECT_EQ(run.exitCode, 3) << path;
    EXPECT_TRUE(run.output.starts_with("orlo analyzers: " + message)) << run.output;
    EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << run.output;  // one line
  }
}

}  // namespace
}  // namespace orlo::host
