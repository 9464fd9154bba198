#include "tests/host/RunOrlo.h"
#include "tests/host/ScratchDirectory.h"

#include <gtest/gtest.h>

namespace orlo::host {
namespace {

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

}  // namespace
}  // namespace orlo::host
