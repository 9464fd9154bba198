// `orlo analyzers` run as the user runs it: the built executable with its module, or with
// ORLO_MODULE_PATH naming something that is not one.
#include "tests/host/RunOrlo.h"
#include "TestPaths.h"

#include <gtest/gtest.h>

namespace orlo::host {
namespace {

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
