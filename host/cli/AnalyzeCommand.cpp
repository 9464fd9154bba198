#include "host/cli/AnalyzeCommand.h"

#include "host/cli/Command.h"
#include "host/graph/GraphUserActions.h"
#include "host/output/AnalysisJson.h"
#include "host/output/HtmlPage.h"
#include "host/output/OutputFile.h"
#include "host/output/PanelText.h"
#include "host/output/ReportCsv.h"
#include "host/session/AnalysisHost.h"
#include "host/session/ScopedEnvironment.h"
#include "host/sweeps/NumberText.h"
#include "host/sweeps/SweepImport.h"
#include "platform/common/Bus.h"
#include "platform/common/Utf8.h"
#include "platform/win/MessageBox.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>
#include <stdexcept>

namespace orlo::host {

namespace {

constexpr char kDescription[] =
    "Loads the sweep files (shown in the graph in the order given), loads the analysis\n"
    "module, runs every analyzer it registers (or the one named) on them as the\n"
    "application would, and prints what each analyzer's panel shows: the results grid\n"
    "(one row per pair of the first three sweeps), the criteria grid, the conclusion and\n"
    "the curves and frequency ranges drawn in the graph, then any message box shown.\n"
    "In the grids '>' marks the selected row and [brackets] mark the greyed cells: the\n"
    "criteria the selected pair's values fall into.\n"
    "\n"
    "The module's test analyzer is registered when --analyzer names it (\"Test Analyzer\"\n"
    "or its GUID); its panel is shown by its three graphs. --select picks the two sweeps\n"
    "it compares and --click presses its buttons.\n";

constexpr char kExitStatus[] =
    "exit status: 0 done, 1 the analysis showed an error message box, 2 usage error\n"
    "(also an unknown --analyzer or --row), 3 unreadable input (sweep file, model file, the\n"
    "module), an unwritable report or page file (the old file is kept) or a standard output\n"
    "that cannot be written\n";

constexpr int kMaxRow = 1'000'000;

struct AnalyzeOptions {
  std::optional<std::string> analyzer;
  std::optional<int> row;
  bool json = false;
  std::optional<std::string> reportFile;
  std::optional<std::string> htmlFile;
  std::optional<std::string> settingsDir;
  std::optional<std::string> modelFile;
  bool trace = false;
  std::optional<std::vector<int>> select;
  std::vector<std::string> clicks;
  bool settingsChange = false;
  std::vector<std::string> files;
};

std::optional<int> ParseRow(const std::string& text) {
  return ParseWholeNumber(text, 1, kMaxRow);
}

// "N,M": two different sweep numbers from 1.
std::optional<std::vector<int>> ParseSelection(const std::string& text) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  const std::optional<int> first = ParseRow(text.substr(0, comma));
  const std::optional<int> second = ParseRow(text.substr(comma + 1));
  if (!first || !second || *first == *second) return std::nullopt;
  return std::vector<int>{*first, *second};
}

const CommandSyntax<AnalyzeOptions>& AnalyzeSyntax() {
  using O = AnalyzeOptions;
  static const CommandSyntax<AnalyzeOptions> syntax = {
      .name = "analyze",
      .summary = "run the analyzers on sweep files and print what their panels show",
      .description = kDescription,
      .epilogue = kExitStatus,
      .options =
          {
              {"--analyzer", "INDEX|GUID|NAME",
               "run only this analyzer (its index, GUID or name, case ignored; see 'orlo "
               "analyzers')",
               "", Assign(&O::analyzer)},
              {"--row", "N",
               "click row N of the results grid (1 is the first pair, the row selected unless "
               "told), which shows that pair in the graph, criteria and conclusion",
               "a row number from 1", Convert(&O::row, ParseRow)},
              {"--json", nullptr,
               "print one JSON document (format \"orlo-analysis/1\") instead; it always "
               "includes the report parameters",
               "", Set(&O::json)},
              {"--report", "FILE",
               "start a report, print the parameters the analyzers hand it and write them to "
               "FILE as CSV: name,value,colour (colour: decimal COLORREF 0x00BBGGRR, empty "
               "when the parameter has none)",
               "", Assign(&O::reportFile)},
              {"--html", "FILE",
               "also write the panels as one self-contained HTML page to FILE: the grids, "
               "the graphs drawn as pictures (SVG), the conclusions and the message boxes",
               "", Assign(&O::htmlFile)},
              {"--settings-dir", "DIR",
               "read and write the analyzers' settings in DIR (sets ORLO_APPDATA for the run)", "",
               Assign(&O::settingsDir)},
              {"--model-file", "FILE", "apply the models of a JSON model file to the graph", "",
               Assign(&O::modelFile)},
              {"--trace", nullptr, "print every message of the bus to the standard error", "",
               Set(&O::trace)},
              {"--settings-change", nullptr,
               "once the panels are up, tell the analyzers that their settings changed, as "
               "the application does when its settings dialog closes",
               "", Set(&O::settingsChange)},
              {"--select", "N,M",
               "select sweeps N and M (numbers from 1 in the order given) in the graph, as a "
               "user's clicks would",
               "two different sweep numbers N,M from 1", Convert(&O::select, ParseSelection)},
              {"--click", "TEXT",
               "click the button labelled TEXT on the panels (after --select; repeat for "
               "more clicks, made in order)",
               "", Append(&O::clicks)},
          },
      .positionals = {{"SWEEP_FILE", "", Append(&O::files), true}},
  };
  return syntax;
}

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

// Why a run ended early: the exit code and the line for the standard error.
class RunFailure : public std::runtime_error {
 public:
  RunFailure(int exitCode, const std::string& line)
      : std::runtime_error(line), exitCode_(exitCode) {}
  int ExitCode() const { return exitCode_; }

 private:
  int exitCode_;
};

[[noreturn]] void Fail(int exitCode, const std::string& reason) {
  throw RunFailure(exitCode, "orlo analyze: " + reason);
}

// One run of the command, step by step; a step that cannot go on throws RunFailure. What
// the run sets up lives as long as the object, so that it is taken down (and traced) after
// the failure is reported, and always in the same order: the host, the bus trace, the
// settings directory.
class AnalyzeRun {
 public:
  AnalyzeRun(const AnalyzeOptions& options, const HostSessionOptions& session)
      : options_(options), session_(session) {}

  int Run(std::ostream& out) {
    RefuseOutputsOverInputs();
    ReadInputs();
    settings_.emplace("ORLO_APPDATA", options_.settingsDir);
    trace_.emplace(options_.trace);
    win::ClearMessageBoxes();
    StartHost();
    StartAnalyzers();
    if (options_.settingsChange) ORLOSendMessage("ANALYZER_SettingsChange", nullptr);
    if (options_.row) ClickResultsRow(*options_.row);
    if (options_.select) SelectSweeps(*options_.select);
    for (const std::string& text : options_.clicks) ClickButton(text);
    CAnalysisHost::LetTimerPeriodPass();
    const AnalysisSnapshot analysis = host_->Snapshot(options_.reportFile || options_.json);
    Print(analysis, out);
    if (options_.reportFile) WriteReport(*analysis.report, *options_.reportFile);
    if (options_.htmlFile) WritePage(analysis, *options_.htmlFile);
    return analysis.messageBoxes.empty() ? kExitOk : kExitErrorBox;
  }

 private:
  // Writing a report or page over a sweep or model file would destroy it.
  void RefuseOutputsOverInputs() const {
    std::vector<std::string> inputs = options_.files;
    if (options_.modelFile) inputs.push_back(*options_.modelFile);
    const std::pair<const char*, const std::optional<std::string>&> outputs[] = {
        {"--report", options_.reportFile}, {"--html", options_.htmlFile}};
    for (const auto& [option, output] : outputs) {
      for (const std::string& input : inputs) {
        std::error_code ignored;
        if (output && std::filesystem::equivalent(*output, input, ignored)) {
          Fail(kExitUsage, std::string(option) + " '" + *output + "' is one of the input files");
        }
      }
    }
  }

  void ReadInputs() {
    try {
      sweeps_ = ImportSweepFiles(options_.files);
      if (options_.modelFile) models_ = ReadModelFile(*options_.modelFile, sweeps_.size());
    } catch (const std::runtime_error& error) {  // SweepFileError, ModelFileError
      throw RunFailure(kExitUnreadable, error.what());
    }
  }

  void StartHost() {
    CAnalysisHost& host = host_.emplace();
    std::string reason;
    if (!host.Start(session_, reason)) Fail(kExitUnreadable, reason);
    for (Sweep& sweep : sweeps_) host.Graph().AddSweep(std::move(sweep));  // the graph keeps them
    sweeps_.clear();
    for (auto& model : models_) host.Graph().ApplyModel(std::move(model));
  }

  void StartAnalyzers() {
    std::string reason;
    switch (host_->StartAnalyzers(options_.analyzer, reason)) {
      case CAnalysisHost::AnalyzerStart::kStarted:
        return;
      case CAnalysisHost::AnalyzerStart::kNoSuchAnalyzer:
        Fail(kExitUsage, reason);
      case CAnalysisHost::AnalyzerStart::kFailed:
        Fail(kExitUnreadable, reason);
    }
  }

  void SelectSweeps(const std::vector<int>& numbers) {
    if (!orlo::user::SelectSweeps(host_->Graph(), numbers)) {
      Fail(kExitUsage, "--select " + std::to_string(numbers[0]) + "," +
                           std::to_string(numbers[1]) + " names a sweep beyond the " +
                           std::to_string(host_->Graph().SweepNames().size()) + " loaded");
    }
  }

  void ClickButton(const std::string& text) {
    if (!host_->Run().ClickButton(orlo::Utf8ToWide(text))) {
      Fail(kExitUsage, "--click: no panel has a button '" + text + "' to click");
    }
  }

  void ClickResultsRow(int row) {
    if (!host_->Run().ClickResultsRow(row)) {
      Fail(kExitUsage, "--row " + std::to_string(row) + " is not a row of the results grid");
    }
  }

  void Print(const AnalysisSnapshot& analysis, std::ostream& out) const {
    if (options_.json) {
      out << json::Write(AnalysisJson(analysis)) << '\n';
    } else {
      PrintAnalysisText(analysis, out);
    }
  }

  static void WriteReport(const std::vector<ReportParameter>& report, const std::string& file) {
    std::string reason;
    if (!WriteReportCsvFile(report, file, reason)) Fail(kExitUnreadable, reason);
  }

  static void WritePage(const AnalysisSnapshot& analysis, const std::string& file) {
    std::ostringstream page;
    WriteAnalysisPage(analysis, page);
    std::string reason;
    if (!WriteOutputFile(file, page.str(), reason)) Fail(kExitUnreadable, reason);
  }

  const AnalyzeOptions& options_;
  const HostSessionOptions& session_;
  std::vector<Sweep> sweeps_;  // until the graph plug-in takes them
  ModelList models_;
  std::optional<ScopedEnvironment> settings_;
  std::optional<ScopedTrace> trace_;
  std::optional<CAnalysisHost> host_;
};

int RunAnalyzeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  HostSessionOptions session;
  session.virtualClock = true;
  return RunAnalyze(args, out, err, session);
}

}  // namespace

int RunAnalyze(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const HostSessionOptions& session) {
  AnalyzeOptions options;
  if (!AnalyzeSyntax().Parse(args, options, err)) return kExitUsage;
  AnalyzeRun run(options, session);
  try {
    return run.Run(out);
  } catch (const RunFailure& failure) {
    err << failure.what() << '\n';
    return failure.ExitCode();
  }
}

Command AnalyzeCommand() { return DeclaredCommand(AnalyzeSyntax(), RunAnalyzeCommand); }

}  // namespace orlo::host
