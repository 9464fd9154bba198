#include "host/cli/Command.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace orlo::host {

// Each command lives in its own file and defines its Command object there.
extern const Command kSweepsCommand;
extern const Command kSimulateCommand;
extern const Command kAnalyzersCommand;
extern const Command kAnalyzeCommand;

std::span<const Command> Commands() {
  static const std::array<Command, 4> commands = {kSweepsCommand, kSimulateCommand,
                                                  kAnalyzersCommand, kAnalyzeCommand};
  return commands;
}

namespace {

void PrintHelp(std::ostream& out) {
  out << "usage: orlo COMMAND [OPTIONS] [ARGS...]\n\n"
         "Runs the ORLOAnalyzer plug-in on sweep frequency response files.\n\n"
         "commands:\n";
  for (const Command& command : Commands()) {
    out << "  " << command.name;
    for (size_t pad = std::char_traits<char>::length(command.name); pad < 12; ++pad) out << ' ';
    out << command.summary << '\n';
  }
  out << "\n'orlo COMMAND --help' describes a command.\n";
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
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

}  // namespace orlo::host
