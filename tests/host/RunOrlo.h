// Running `orlo` in tests. RunOrlo: the built executable run through the shell as a user
// runs it, with its standard error joined to what it prints. `arguments` is shell text
// (quote file names; a redirection such as ">/dev/full" acts on the standard output alone).
// `environment` goes to env(1); the default makes `orlo` load the module next to it.
// `setup` is shell text run first in the same shell (limits such as "ulimit -f 0;" hold
// for `orlo`).
//
// In-process: RunCommand runs a command line; RunOnModule runs `analyze` or `screen` on the
// linked module (or another entry, such as EntryShowingAnErrorBox) and the virtual clock;
// SimulatePhase writes a phase of the example winding with `orlo simulate`.
#pragma once

#include "TestPaths.h"
#include "host/cli/Command.h"
#include "host/session/HostSession.h"
#include "module/core/ModuleEntry.h"
#include "module/testanalyzer/TestAnalyzerFactory.h"
#include "platform/common/Services.h"
#include "platform/win/MessageLoop.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace orlo::host::testing {

struct OrloRun {
  int exitCode = -1;   // -1: not run, or ended by a signal
  std::string output;  // standard output and standard error
};

inline OrloRun RunOrlo(const std::string& arguments,
                       const std::string& environment = "-u ORLO_MODULE_PATH",
                       const std::string& setup = "") {
  OrloRun run;
  const std::string command = setup + "env " + environment + " '" ORLO_BIN_DIR "/orlo' 2>&1 " + arguments;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  while (const size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

struct CommandRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline CommandRun RunCommand(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int exitCode = RunCommandLine(args, out, err);
  return {exitCode, out.str(), err.str()};
}

// The module's entry, with an error box shown while the module starts.
inline int EntryShowingAnErrorBox(unsigned long reason) {
  if (reason == module::kProcessAttach) {
    TransMessageBox(L"Cannot create curves.\nCheck the graph.", MB_ICONERROR);
  }
  return module::ORLOModuleEntry(reason);
}

// `run` is RunAnalyze or RunScreen. The caller puts the real clock back (UseVirtualClock).
template <typename Run>
CommandRun RunOnModule(Run run, const std::vector<std::string>& args,
                       ModuleEntryFunction entry = &module::ORLOModuleEntry) {
  HostSessionOptions session;
  session.moduleEntry = entry;
  session.testAnalyzerFactory = &ORLOCreateTestAnalyzer;
  session.virtualClock = true;
  std::ostringstream out, err;
  const int exitCode = run(args, out, err, session);
  return {exitCode, out.str(), err.str()};
}

// Phase `seed` of the example winding written to `file` (its folder made); `severity` > 0
// deforms it radially; `points` > 0 sets the number of points.
inline std::string SimulatePhase(const std::string& file, int seed, int severity = 0, int points = 0) {
  std::vector<std::string> args = {"simulate", "--phase", std::to_string(seed), "-o", file};
  if (severity > 0) args.insert(args.end(), {"--deformation", "radial", "--severity", std::to_string(severity)});
  if (points > 0) args.insert(args.end(), {"--points", std::to_string(points)});
  std::filesystem::create_directories(std::filesystem::path(file).parent_path());
  const CommandRun run = RunCommand(args);
  if (run.exitCode != 0 || !run.out.empty()) ADD_FAILURE() << run.err << run.out;  // all to the file
  return file;
}

}  // namespace orlo::host::testing
