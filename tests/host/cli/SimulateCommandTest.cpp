// `orlo simulate`: the file it writes. (The options it refuses: CommandSyntaxTest; its -o
// file read back as a sweep: every AnalyzeCommandTest.)
#include "tests/host/RunOrlo.h"

#include <gtest/gtest.h>

namespace orlo::host {
namespace {

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

}  // namespace
}  // namespace orlo::host
