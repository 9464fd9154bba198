#include "host/cli/Command.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace orlo::host {

// Each command lives in its own file and declares its Command there.
Command SweepsCommand();
Command SimulateCommand();
Command AnalyzersCommand();
Command AnalyzeCommand();
Command SettingsCommand();
Command ScreenCommand();
Command ServeCommand();

std::span<const Command> Commands() {
  static const std::array<Command, 7> commands = {
      SweepsCommand(),  SimulateCommand(), AnalyzersCommand(), AnalyzeCommand(),
      ScreenCommand(),  SettingsCommand(), ServeCommand()};
  return commands;
}

namespace {

void PrintHelp(std::ostream& out) {
  out << "usage: orlo COMMAND [OPTIONS] [ARGS...]\n\n"
         "Runs the ORLOAnalyzer plug-in on sweep frequency response files.\n\n"
         "commands:\n";
  std::vector<syntax::Entry> entries;
  for (const Command& command : Commands()) entries.push_back({command.name, command.summary});
  out << syntax::EntryList(entries, 2) << "\n'orlo COMMAND --help' describes a command.\n";
}

// The command line's exit code; RunCommandLine adds the check of the output.
int Dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "orlo: missing command (try 'orlo --help')\n";
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(out);
    return kExitOk;
  }
  const auto commands = Commands();
  const auto found = std::find_if(commands.begin(), commands.end(),
                                  [&](const Command& c) { return args[0] == c.name; });
  if (found == commands.end()) {
    err << "orlo: unknown command '" << args[0] << "' (try 'orlo --help')\n";
    return kExitUsage;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
    out << found->usage;
    return kExitOk;
  }
  return found->run(rest, out, err);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const int exitCode = Dispatch(args, out, err);
  if (!out.flush()) {
    err << "orlo: cannot write the output\n";
    return kExitUnreadable;
  }
  return exitCode;
}

}  // namespace orlo::host
