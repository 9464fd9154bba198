// The `orlo` command line: one Command per sub-command, listed in Commands.cpp.
//
// A command receives its arguments (after the command name) and the two output streams,
// and answers the process exit code: 0 done, 1 the analysis ran but reported a
// user-facing error box, 2 usage error, 3 unreadable input. Usage errors print one line
// "orlo COMMAND: reason" to `err`. Every command accepts --help (usage to `out`, exit 0).
// A command's name, summary and usage text come from its CommandSyntax.
#pragma once

#include "host/cli/CommandSyntax.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace orlo::host {

enum ExitCode : int { kExitOk = 0, kExitErrorBox = 1, kExitUsage = 2, kExitUnreadable = 3 };

using RunCommand = int (*)(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err);

struct Command {
  std::string name;
  std::string summary;  // one line for `orlo --help`
  std::string usage;    // full text for `orlo COMMAND --help`
  RunCommand run;
};

// The command `syntax` declares, run by `run` (which parses its arguments by `syntax`).
template <typename Options>
Command DeclaredCommand(const CommandSyntax<Options>& syntax, RunCommand run) {
  return {syntax.name, syntax.summary, syntax.Usage(), run};
}

// Every command, in the order `orlo --help` lists them.
std::span<const Command> Commands();

// Runs a whole command line (argv without the program name). Whatever the command
// answers, an `out` that could not be written (or flushed) at the end, such as a standard
// output on a full disk, is reported on `err` and gives exit code 3.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace orlo::host
