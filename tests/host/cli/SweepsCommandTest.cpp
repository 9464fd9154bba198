#include "host/cli/Command.h"
#include "tests/host/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orlo::host {
namespace {

TEST(SweepsCommandTest, PrintsWhatWasReadFromEachFileAndReportsBadOnes) {
  testing::ScratchDirectory scratch;
  const std::string good = scratch.Write("phase-A.csv", "f,m\n20,-3.5\n2000000,0.25\n");
  const std::string bad = scratch.Write("broken.csv", "f,m\n20,x\n");
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunCommandLine({"sweeps", good, bad, good}, out, err), kExitUnreadable);
  EXPECT_EQ(out.str(),
            "phase-A: 2 points, 20 Hz to 2000000 Hz, magnitude -3.50 dB to 0.25 dB (" + good +
                ")\n"
                "phase-A (2): 2 points, 20 Hz to 2000000 Hz, magnitude -3.50 dB to 0.25 dB (" +
                good + ")\n");
  EXPECT_EQ(err.str(), bad + ":2: magnitude is not a number: \"x\"\n");
}

TEST(SweepsCommandTest, NeedsFilesAndKnowsNoOptions) {
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunCommandLine({"sweeps"}, out, err), kExitUsage);
  EXPECT_EQ(RunCommandLine({"sweeps", "--json", "a.csv"}, out, err), kExitUsage);
  EXPECT_EQ(err.str(), "orlo sweeps: no sweep file given\norlo sweeps: unknown option '--json'\n");
  EXPECT_EQ(RunCommandLine({"sweeps", "--help"}, out, err), kExitOk);
  EXPECT_TRUE(out.str().starts_with("usage: orlo sweeps SWEEP_FILE...")) << out.str();
}

}  // namespace
}  // namespace orlo::host
