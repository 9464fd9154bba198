// RunOrlo: the built `orlo` executable run through the shell as a user runs it, with its
// standard error joined to what it prints. `arguments` is shell text (quote file names;
// a redirection such as ">/dev/full" acts on the standard output alone). `environment`
// goes to env(1); the default makes `orlo` load the module next to it. `setup` is shell
// text run first in the same shell (limits such as "ulimit -f 0;" hold for `orlo`).
#pragma once

#include "TestPaths.h"

#include <sys/wait.h>

#include <cstdio>
#include <string>

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

}  // namespace orlo::host::testing
