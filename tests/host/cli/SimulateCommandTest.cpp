#include "host/cli/Command.h"
#include "host/sweeps/SweepImport.h"
#include "tests/host/ScratchDirectory.h"

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

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

TEST(SimulateCommandTest, WritesTheSameFileForTheSameOptions) {
  const std::vector<std::string> args = {"--phase", "7", "--noise", "0.5"};
  const Outcome first = Simulate(args);
  ASSERT_EQ(first.exitCode, kExitOk) << first.err;
  EXPECT_EQ(Simulate(args).out, first.out);
  EXPECT_NE(Simulate({"--phase", "8", "--noise", "0.5"}).out, first.out);
  EXPECT_NE(Simulate({"--phase", "7"}).out, first.out);
  EXPECT_NE(Simulate({"--phase", "7", "--noise", "0.5", "--deformation", "axial", "--severity", "5"})
                .out,
            first.out);
}

TEST(SimulateCommandTest, WritesTheDocumentedFormat) {
  const std::vector<std::string> lines = Lines(Simulate({"--points", "3"}).out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "frequency_hz,magnitude_db,phase_deg");
  // The nominal winding at its ends and at the geometric middle of the range.
  EXPECT_EQ(lines[1], "20,-0.697536,-0.5034");
  EXPECT_EQ(lines[2], "6324.55532,-10.141055,-69.2820");
  EXPECT_EQ(lines[3], "2000000,-62.741566,76.3625");
}

TEST(SimulateCommandTest, OutputFileImportsAsASweep) {
  testing::ScratchDirectory scratch;
  const std::string file = scratch.Path("phase-B.csv");
  const Outcome outcome = Simulate({"--phase", "2", "--noise", "100", "-o", file});
  ASSERT_EQ(outcome.exitCode, kExitOk) << outcome.err;
  EXPECT_EQ(outcome.out, "");
  const Sweep sweep = ImportSweepFile(file);
  EXPECT_EQ(sweep.name, "phase-B");
  ASSERT_EQ(sweep.points.size(), 1000u);
  EXPECT_EQ(sweep.points.front().frequency, 20.0f);
  EXPECT_EQ(sweep.points.back().frequency, 2.0e6f);
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
      {{"extra"}, "unknown argument 'extra'"},
  };
  for (const auto& [args, reason] : bad) {
    const Outcome outcome = Simulate(args);
    EXPECT_EQ(outcome.exitCode, kExitUsage) << reason;
    EXPECT_EQ(outcome.err, "orlo simulate: " + reason + "\n");
    EXPECT_EQ(outcome.out, "");
  }
  EXPECT_EQ(Simulate({"-o", "/nonexistent-folder/x.csv"}).exitCode, kExitUnreadable);
}

// A stream that takes nothing, like a standard output on a full disk.
class FullBuffer : public std::streambuf {
 protected:
  int overflow(int) override { return traits_type::eof(); }
};

TEST(SimulateCommandTest, AnOutputThatCannotBeWrittenIsAnError) {
  FullBuffer full;
  std::ostream out(&full);
  std::ostringstream err;
  EXPECT_EQ(RunCommandLine({"simulate", "--points", "2"}, out, err), kExitUnreadable);
  EXPECT_EQ(err.str(), "orlo: cannot write the output\n");
}

}  // namespace
}  // namespace orlo::host
