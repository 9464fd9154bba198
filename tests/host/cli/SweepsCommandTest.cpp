#include "host/cli/Command.h"
#include "tests/host/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace orlo::host {
namespace {

// The good file twice (the second name made unique), the broken one named with its line;
// the page plots what was read.
TEST(SweepsCommandTest, PrintsWhatWasReadFromEachFileAndReportsBadOnes) {
  testing::ScratchDirectory scratch;
  const std::string good = scratch.Write("phase-A.csv", "f,m\n20,-3.5\n2000000,0.25\n");
  const std::string bad = scratch.Write("broken.csv", "f,m\n20,x\n");
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunCommandLine({"sweeps", "--html", scratch.Path("p.html"), good, bad, good}, out, err),
            kExitUnreadable);
  EXPECT_EQ(out.str(),
            "phase-A: 2 points, 20 Hz to 2000000 Hz, magnitude -3.50 dB to 0.25 dB (" + good +
                ")\n"
                "phase-A (2): 2 points, 20 Hz to 2000000 Hz, magnitude -3.50 dB to 0.25 dB (" +
                good + ")\n");
  EXPECT_EQ(err.str(), bad + ":2: magnitude is not a number: \"x\"\n");
  std::ifstream file(scratch.Path("p.html"));
  const std::string html{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  EXPECT_NE(html.find("<ul class=\"legend\"><li><span class=\"swatch\" style=\"border-top:2px "
                      "solid #0000FF\"></span>phase-A</li><li>"),
            std::string::npos)
      << html;
  EXPECT_EQ(html.find("broken"), std::string::npos);

  std::ostringstream unwritten;
  EXPECT_EQ(RunCommandLine({"sweeps", "--html", scratch.Path("no/dir/p.html"), good}, out, unwritten),
            kExitUnreadable);
  EXPECT_EQ(unwritten.str(), "orlo sweeps: cannot write '" + scratch.Path("no/dir/p.html") +
                                 "': No such file or directory\n");
}

}  // namespace
}  // namespace orlo::host
