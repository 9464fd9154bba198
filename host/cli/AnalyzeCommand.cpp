#include "host/cli/AnalyzeCommand.h"

#include "host/output/AnalysisJson.h"
#include "host/session/AnalyzerRun.h"
#include "host/cli/Command.h"
#include "host/graph/GraphPlugin.h"
#include "host/sweeps/NumberText.h"
#include "host/output/PanelText.h"
#include "host/output/ReportCsv.h"
#include "host/report/ReportPlugin.h"
#include "host/sweeps/SweepFileError.h"
#include "host/sweeps/SweepImport.h"
#include "platform/common/Bus.h"
#include "platform/common/ServicesText.h"
#include "platform/win/MessageBox.h"
#include "platform/win/MessageLoop.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwctype>
#include <optional>
#include <ostream>

namespace orlo::host {

namespace {

constexpr char kUsage[] =
    "usage: orlo analyze [--analyzer INDEX|GUID|NAME] [--row N] [--json] [--report FILE]\n"
    "                    [--settings-dir DIR] [--model-file FILE] [--trace] SWEEP_FILE...\n"
    "\n"
    "Loads the sweep files (shown in the graph in the order given), loads the analysis\n"
    "module, runs every analyzer it registers (or the one named) on them as the\n"
    "application would, and prints what each analyzer's panel shows: the results grid\n"
    "(one row per pair of the first three sweeps), the criteria grid, the conclusion and\n"
    "the curves and frequency ranges drawn in the graph, then any message box shown.\n"
    "In the grids '>' marks the selected row and [brackets] mark the greyed cells: the\n"
    "criteria the selected pair's values fall into.\n"
    "\n"
    "options:\n"
    "  --analyzer A       run only analyzer A: its index, GUID or name as\n"
    "                     'orlo analyzers' lists them\n"
    "  --row N            click row N of the results grid (1 is the first pair, the\n"
    "                     row selected unless told), which shows that pair in the\n"
    "                     graph, criteria and conclusion\n"
    "  --json             print one JSON document (format \"orlo-analysis/1\") instead;\n"
    "                     it always includes the report parameters\n"
    "  --report FILE      start a report, print the parameters the analyzers hand it and\n"
    "                     write them to FILE as CSV: name,value,colour (colour: decimal\n"
    "                     COLORREF 0x00BBGGRR, empty when the parameter has none)\n"
    "  --settings-dir DIR read and write the analyzers' settings in DIR\n"
    "                     (sets ORLO_APPDATA for the run)\n"
    "  --model-file FILE  apply the models of a JSON model file to the graph\n"
    "  --trace            print every message of the bus to the standard error\n"
    "\n"
    "exit status: 0 done, 1 the analysis showed an error message box, 2 usage error\n"
    "(also an unknown --analyzer or --row), 3 unreadable input (sweep file, model file, the\n"
    "module) or an unwritable report file\n";

// The analyzer's timer period: one period is let pass before the panels are read.
constexpr std::uint32_t kTimerPeriodMs = 500;
constexpr std::uint32_t kTimerMarginMs = 20;
constexpr int kMaxRow = 1'000'000;

struct AnalyzeOptions {
  std::optional<std::string> analyzer;
  std::optional<int> row;
  bool json = false;
  std::optional<std::string> reportFile;
  std::optional<std::string> settingsDir;
  std::optional<std::string> modelFile;
  bool trace = false;
  std::vector<std::string> files;
};

std::optional<int> ParseRow(const std::string& text) {
  const std::optional<double> value = ParseNumber(text);
  if (!value || *value != std::floor(*value) || *value < 1.0 || *value > kMaxRow) {
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

// Answers the options, or the usage error's reason.
std::optional<AnalyzeOptions> ParseOptions(const std::vector<std::string>& args,
                                           std::string& reason) {
  AnalyzeOptions options;
  for (size_t index = 0; index < args.size(); ++index) {
    const std::string& arg = args[index];
    if (arg == "--json") {
      options.json = true;
      continue;
    }
    if (arg == "--trace") {
      options.trace = true;
      continue;
    }
    if (arg == "--") {
      options.files.insert(options.files.end(), args.begin() + index + 1, args.end());
      break;
    }
    if (arg.size() < 2 || arg.front() != '-') {
      options.files.push_back(arg);
      continue;
    }
    std::optional<std::string>* target = arg == "--analyzer"       ? &options.analyzer
                                         : arg == "--report"       ? &options.reportFile
                                         : arg == "--settings-dir" ? &options.settingsDir
                                         : arg == "--model-file"   ? &options.modelFile
                                                                   : nullptr;
    if (target == nullptr && arg != "--row") {
      reason = "unknown option '" + arg + "'";
      return std::nullopt;
    }
    if (index + 1 == args.size() || args[index + 1].empty()) {
      reason = arg + " needs a value";
      return std::nullopt;
    }
    const std::string& value = args[++index];
    if (target != nullptr) {
      *target = value;
    } else if (!(options.row = ParseRow(value))) {
      reason = "--row expects a row number from 1, not '" + value + "'";
      return std::nullopt;
    }
  }
  if (options.files.empty()) {
    reason = "no sweep file given";
    return std::nullopt;
  }
  return options;
}

// Sets an environment variable for the lifetime of the object (no-op without a value).
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (!value) return;
    if (const char* old = std::getenv(name)) old_ = old;
    set_ = true;
    setenv(name, value->c_str(), 1);
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment() {
    if (!set_) return;
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  bool set_ = false;
  std::optional<std::string> old_;
};

// Bus tracing for the lifetime of the object, when asked for.
class ScopedTrace {
 public:
  explicit ScopedTrace(bool on) : on_(on) {
    if (on_) ORLOSetTrace(true);
  }
  ScopedTrace(const ScopedTrace&) = delete;
  ScopedTrace& operator=(const ScopedTrace&) = delete;
  ~ScopedTrace() {
    if (on_) ORLOSetTrace(false);
  }

 private:
  bool on_;
};

bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
    return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
  });
}

// The registry indices `selector` names (index, GUID or name, case ignored); every index
// without a selector; none when it names no analyzer.
std::vector<size_t> SelectAnalyzers(const std::vector<IBaseAnalyzer*>& analyzers,
                                    const std::optional<std::string>& selector) {
  std::vector<size_t> chosen;
  const std::wstring wanted = selector ? services::Utf8ToWide(*selector) : std::wstring();
  for (size_t index = 0; index < analyzers.size(); ++index) {
    if (!selector || *selector == std::to_string(index) ||
        EqualIgnoringCase(wanted, analyzers[index]->GetGuid()) ||
        EqualIgnoringCase(wanted, analyzers[index]->GetName())) {
      chosen.push_back(index);
    }
  }
  return chosen;
}

std::vector<SweepSummary> Summaries(const std::vector<Sweep>& sweeps) {
  std::vector<SweepSummary> summaries;
  for (const Sweep& sweep : sweeps) {
    summaries.push_back({sweep.name, sweep.file, sweep.points.size()});
  }
  return summaries;
}

// The host around the module with the graph and report plug-ins. Taken down in order:
// the analyzer instances, the plug-ins, then the module and the main dialog.
struct AnalysisHost {
  CHostSession session;
  std::optional<CGraphPlugin> graph;
  std::optional<CReportPlugin> report;
  CAnalyzerRun run;

  ~AnalysisHost() {
    run.Stop();
    report.reset();
    graph.reset();
    session.Stop();
  }
};

}  // namespace

int RunAnalyze(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const HostSessionOptions& sessionOptions) {
  std::string reason;
  const std::optional<AnalyzeOptions> options = ParseOptions(args, reason);
  if (!options) {
    err << "orlo analyze: " << reason << '\n';
    return kExitUsage;
  }

  std::vector<Sweep> sweeps;
  ModelList models;
  try {
    sweeps = ImportSweepFiles(options->files);
    if (options->modelFile) models = ReadModelFile(*options->modelFile);
  } catch (const SweepFileError& error) {
    err << error.what() << '\n';
    return kExitUnreadable;
  } catch (const ModelFileError& error) {
    err << error.what() << '\n';
    return kExitUnreadable;
  }

  const ScopedEnvironment settings("ORLO_APPDATA", options->settingsDir);
  const ScopedTrace trace(options->trace);
  win::ClearMessageBoxes();

  AnalysisHost host;
  if (!host.session.Start(sessionOptions, reason)) {
    err << "orlo analyze: " << reason << '\n';
    return kExitUnreadable;
  }
  host.graph.emplace(&host.session.MainDialog());
  host.report.emplace(&host.session.MainDialog());
  for (const Sweep& sweep : sweeps) host.graph->AddSweep(sweep);
  for (auto& model : models) host.graph->ApplyModel(std::move(model));

  const std::vector<IBaseAnalyzer*>& analyzers = host.session.Analyzers();
  const std::vector<size_t> chosen = SelectAnalyzers(analyzers, options->analyzer);
  if (options->analyzer && chosen.empty()) {
    err << "orlo analyze: no analyzer '" << *options->analyzer << "' (try 'orlo analyzers')\n";
    return kExitUsage;
  }
  for (const size_t index : chosen) {
    if (!host.run.Start(index, *analyzers[index])) {
      err << "orlo analyze: analyzer " << index << " could not be started\n";
      return kExitUnreadable;
    }
  }
  if (options->row && !host.run.ClickResultsRow(*options->row)) {
    err << "orlo analyze: --row " << *options->row << " is not a row of the results grid\n";
    return kExitUsage;
  }
  win::RunFor(kTimerPeriodMs + kTimerMarginMs);

  AnalysisSnapshot analysis;
  analysis.sweeps = Summaries(sweeps);
  if (options->reportFile || options->json) {
    host.report->StartReport();
    analysis.report = host.report->Parameters();
  }
  analysis.panels = host.run.Snapshot(*host.graph);
  analysis.messageBoxes = win::MessageBoxes();

  if (options->json) {
    out << json::Write(AnalysisJson(analysis)) << '\n';
  } else {
    PrintAnalysisText(analysis, out);
  }
  if (options->reportFile && !WriteReportCsvFile(*analysis.report, *options->reportFile, reason)) {
    err << "orlo analyze: " << reason << '\n';
    return kExitUnreadable;
  }
  return analysis.messageBoxes.empty() ? kExitOk : kExitErrorBox;
}

namespace {

int RunAnalyzeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunAnalyze(args, out, err, HostSessionOptions{});
}

}  // namespace

extern const Command kAnalyzeCommand = {
    "analyze", "run the analyzers on sweep files and print what their panels show", kUsage,
    RunAnalyzeCommand};

}  // namespace orlo::host
