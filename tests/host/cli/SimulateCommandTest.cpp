// `orlo simulate`: the file it writes and the options it refuses. (Its -o file read back as
// a sweep: every AnalyzeCommandTest.)
#include "host/cli/Command.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orlo::host {
namespace {

struct Outcome {
  int exitCode;
  std::string out;
  std::string err;
};

Outcome Simulate(std::vector<std::string> args) {
  args.insert(args.begin(), "simulate");
  std::ostringstream out;
  std::ostringstream err;
  const int exitCode = RunCommandLine(args, out, err);
  return {exitCode, out.str(), err.str()};
}

TEST(SimulateCommandTest, WritesTheDocumentedFormatAndTheSameFileForTheSameOptions) {
  // The nominal winding at the ends of the range and at its geometric middle.
  EXPECT_EQ(Simulate({"--points", "3"}).out,
            "frequency_hz,magnitude_db,phase_deg\n20,-0.697536,-0.5034\n"
            "6324.55532,-10.141055,-69.2820\n2000000,-62.741566,76.3625\n");
  const Outcome first = Simulate({"--phase", "7", "--noise", "0.5"});
  ASSERT_EQ(first.exitCode, kExitOk) << first.err;
  EXPECT_EQ(Simulate({"--phase", "7", "--noise", "0.5"}).out, first.out);
  for (const std::vector<std::string>& other :
       {std::vector<std::string>{"--phase", "8", "--noise", "0.5"}, {"--phase", "7"},
        {"--phase", "7", "--noise", "100"},
        {"--phase", "7", "--noise", "0.5", "--deformation", "axial", "--severity", "5"}}) {
    const Outcome outcome = Simulate(other);
    EXPECT_EQ(outcome.exitCode, kExitOk) << outcome.err;
    EXPECT_NE(outcome.out, first.out) << ::testing::PrintToString(other);
  }
}

TEST(SimulateCommandTest, RefusesBadOptions) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
      {{"--severity", "5"}, "--deformation and --severity go together"},
      {{"--deformation", "twisted", "--severity", "5"},
       "--deformation expects radial, axial or shorted-turns, not 'twisted'"},
      {{"--deformation", "radial", "--severity", "100"},
       "--severity expects a percentage above 0 and below 100, not '100'"},
      {{"--phase", "-1"}, "--phase expects a seed from 0 to 4294967295, not '-1'"},
      {{"--points", "1"}, "--points expects a count from 2 to 1000000, not '1'"},
      {{"--noise", "inf"}, "--noise expects a level in dB from 0 to 100, not 'inf'"},
      {{"--noise", "1000"}, "--noise expects a level in dB from 0 to 100, not '1000'"},
  };
  for (const auto& [args, reason] : bad) {
    const Outcome outcome = Simulate(args);
    EXPECT_EQ(outcome.exitCode, kExitUsage) << reason;
    EXPECT_EQ(outcome.err, "orlo simulate: " + reason + "\n");
    EXPECT_EQ(outcome.out, "");
  }
  EXPECT_EQ(Simulate({"-o", "/nonexistent-folder/x.csv"}).exitCode, kExitUnreadable);
}

}  // namespace
}  // namespace orlo::host
