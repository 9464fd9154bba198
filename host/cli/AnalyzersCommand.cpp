// `orlo analyzers`: loads the analysis module and lists the analyzers it registers.
#include "platform/common/Utf8.h"
#include "host/cli/Command.h"
#include "host/output/Json.h"
#include "host/session/HostSession.h"

#include <iomanip>
#include <ostream>

namespace orlo::host {

namespace {

constexpr char kDescription[] =
    "Loads the analysis module and lists the analyzers it registers, one line each:\n"
    "the index (as --analyzer of 'orlo analyze' takes it), the name, the GUID, and\n"
    "whether the analyzer has a settings dialog.\n\n"
    "The module is libORLOAnalyzer.so next to the orlo executable, or the file named by\n"
    "the ORLO_MODULE_PATH environment variable.\n";

// The command takes no arguments.
struct AnalyzersOptions {};

const CommandSyntax<AnalyzersOptions>& AnalyzersSyntax() {
  static const CommandSyntax<AnalyzersOptions> syntax = {
      .name = "analyzers",
      .summary = "list the analyzers of the analysis module",
      .description = kDescription,
      .epilogue = "exit status: 0 listed, 2 usage error, 3 the module cannot be loaded\n",
  };
  return syntax;
}

void PrintRow(std::ostream& out, const std::string& index, const std::string& name,
              const std::string& guid, const std::string& settings) {
  out << std::left << std::setw(7) << index << std::setw(26) << name << std::setw(40) << guid
      << settings << '\n';
}

int RunAnalyzers(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  AnalyzersOptions options;
  if (!AnalyzersSyntax().Parse(args, options, err)) return kExitUsage;
  CHostSession session;
  std::string error;
  if (!session.Start(HostSessionOptions{}, error)) {
    err << "orlo analyzers: " << error << '\n';
    return kExitUnreadable;
  }
  PrintRow(out, "INDEX", "NAME", "GUID", "SETTINGS");
  const auto& analyzers = session.Analyzers();
  for (size_t index = 0; index < analyzers.size(); ++index) {
    IBaseAnalyzer* analyzer = analyzers[index];
    PrintRow(out, std::to_string(index), orlo::WideToUtf8(analyzer->GetName()),
             orlo::WideToUtf8(analyzer->GetGuid()), analyzer->HasSettings() ? "yes" : "no");
  }
  return kExitOk;
}

}  // namespace

Command AnalyzersCommand() { return DeclaredCommand(AnalyzersSyntax(), RunAnalyzers); }

}  // namespace orlo::host
