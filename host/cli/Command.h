// The `orlo` command line: one Command per sub-command, listed in Commands.cpp.
//
// A command receives its arguments (after the command name) and the two output streams,
// and answers the process exit code: 0 done, 1 the analysis ran but reported a
// user-facing error box, 2 usage error, 3 unreadable input. Usage errors print one line
// "orlo COMMAND: reason" to `err`. Every command accepts --help (usage to `out`, exit 0).
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace orlo::host {

enum ExitCode : int { kExitOk = 0, kExitErrorBox = 1, kExitUsage = 2, kExitUnreadable = 3 };

struct Command {
  const char* name;
  const char* summary;  // one line for `orlo --help`
  const char* usage;    // full text for `orlo COMMAND --help`
  int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

// Every command, in the order `orlo --help` lists them.
std::span<const Command> Commands();

// Runs a whole command line (argv without the program name).
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace orlo::host
