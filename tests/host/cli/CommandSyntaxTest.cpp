// The command line read through each command's option table: the first fault named with
// exit code 2 (options of the command and of its actions, required options and
// positionals, nested actions), "--" ending the options, and the help laid out from the
// tables.
#include "tests/host/RunOrlo.h"

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

}  // namespace
}  // namespace orlo::host
