// `orlo analyzers` run as the user runs it: the built executable with its module.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace orlo::host {
namespace {

struct Outcome {
  int exitCode = -1;
  std::string output;  // stdout and stderr
};

Outcome RunOrlo(const std::string& environment, const std::string& arguments) {
  Outcome outcome;
  const std::string command =
      "env " + environment + " '" ORLO_BIN_DIR "/orlo' " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return outcome;
  char buffer[512];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) outcome.output.append(buffer, n);
  const int status = pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

TEST(AnalyzersCommandTest, ListsTheAnalyzersOfTheBuiltModule) {
  const Outcome listed = RunOrlo("-u ORLO_MODULE_PATH", "analyzers");
  EXPECT_EQ(listed.exitCode, 0) << listed.output;
  EXPECT_TRUE(listed.output.starts_with("INDEX  NAME")) << listed.output;

  const Outcome help = RunOrlo("", "analyzers --help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.output.starts_with("usage: orlo analyzers\n")) << help.output;
  EXPECT_EQ(RunOrlo("", "analyzers extra").exitCode, 2);
}

TEST(AnalyzersCommandTest, MissingModuleIsUnreadableInputNamingThePath) {
  const Outcome missing = RunOrlo("ORLO_MODULE_PATH=/nonexistent", "analyzers");
  EXPECT_EQ(missing.exitCode, 3);
  EXPECT_EQ(missing.output,
            "orlo analyzers: cannot load the analysis module '/nonexistent': no such file\n");
}

}  // namespace
}  // namespace orlo::host
