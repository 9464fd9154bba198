// `orlo analyzers` run as the user runs it: the built executable with its module.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace orlo::host {
namespace {

struct OrloRun {
  int exitCode = -1;
  std::string output;  // stdout and stderr
};

OrloRun RunOrlo(const std::string& environment, const std::string& arguments) {
  OrloRun run;
  const std::string command =
      environment + " '" + std::string(ORLO_BIN_DIR) + "/orlo' " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[512];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class AnalyzersCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(std::string(ORLO_BIN_DIR) + "/orlo"))
        << "build the orlo target first";
  }
};

TEST_F(AnalyzersCommandTest, ListsTheRegisteredAnalyzersUnderAHeader) {
  const OrloRun run = RunOrlo("env -u ORLO_MODULE_PATH", "analyzers");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(run.output.starts_with("INDEX  NAME")) << run.output;
  EXPECT_NE(run.output.find("GUID"), std::string::npos);
  EXPECT_NE(run.output.find("SETTINGS\n"), std::string::npos);
}

TEST_F(AnalyzersCommandTest, MissingModuleIsUnreadableInputNamingThePath) {
  const OrloRun run = RunOrlo("ORLO_MODULE_PATH=/nonexistent", "analyzers");
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.output,
            "orlo analyzers: cannot load the analysis module '/nonexistent': no such file\n");
}

TEST_F(AnalyzersCommandTest, RejectsArgumentsAndExplainsItself) {
  EXPECT_EQ(RunOrlo("", "analyzers extra").exitCode, 2);
  const OrloRun help = RunOrlo("", "analyzers --help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.output.starts_with("usage: orlo analyzers\n")) << help.output;
}

}  // namespace
}  // namespace orlo::host
