#include "host/cli/ScreenCommand.h"

#include "host/cli/Command.h"
#include "host/output/OutputFile.h"
#include "host/screen/ProgressLine.h"
#include "host/screen/ResultSpool.h"
#include "host/screen/ScreenOutputs.h"
#include "host/screen/ScreenSession.h"
#include "host/screen/WorkerPool.h"
#include "host/session/ScopedEnvironment.h"
#include "host/sweeps/NumberText.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <optional>
#include <ostream>
#include <sstream>

namespace orlo::host {

namespace {

constexpr char kDescription[] =
    "Analyses many measurement sets in one run and prints one summary line per set: its\n"
    "name, the number of sweeps, for each analyzer the conclusion of every pair it\n"
    "computed and the set's worst conclusion, and the notes (a note every set analysed\n"
    "carries is said once, below the table).\n"
    "\n"
    "A PATH that is a folder gives one set per folder at or below it that directly holds\n"
    "sweep files (.csv .txt .tsv .dat .s1p .s2p), named by its path below PATH, its files in\n"
    "name order. A PATH that is a file is a manifest: CSV with a header naming the columns\n"
    "'set' and 'file', one line per sweep file (relative to the manifest's folder); further\n"
    "columns are carried into the output. A set that cannot be analysed (an unreadable\n"
    "file, an error box, a crash) gets a line saying why and never stops the others.\n"
    "\n"
    "The sets are shared among worker processes, each loading the module once and showing\n"
    "it one set after the other as a user would; the output does not depend on --jobs.\n";

constexpr char kExitStatus[] =
    "exit status: 0 every set analysed, 1 some set showed an error box, 2 usage error (also\n"
    "an unknown --analyzer), 3 some set could not be read or its worker died, a PATH could\n"
    "not be read, or an output file could not be written\n";

constexpr size_t kMaxJobs = 256;

struct ScreenOptions {
  std::optional<std::string> analyzer;
  std::optional<std::string> settingsDir;
  std::optional<size_t> jobs;
  bool json = false;
  std::optional<std::string> csvFile;
  std::optional<std::string> htmlFile;
  std::optional<bool> progress;
  bool sortWorst = false;
  std::vector<std::string> paths;
};

std::optional<size_t> ParseJobs(const std::string& text) {
  return ParseWholeNumber<size_t>(text, 1, kMaxJobs);
}

const CommandSyntax<ScreenOptions>& ScreenSyntax() {
  using O = ScreenOptions;
  static const CommandSyntax<ScreenOptions> syntax = {
      .name = "screen",
      .summary = "analyse many measurement sets and print one summary line per set",
      .description = kDescription,
      .epilogue = kExitStatus,
      .options =
          {
              {"--analyzer", "INDEX|GUID|NAME", "run only this analyzer (see 'orlo analyzers')",
               "", Assign(&O::analyzer)},
              {"--settings-dir", "DIR",
               "read the analyzers' settings in DIR (sets ORLO_APPDATA for the run)", "",
               Assign(&O::settingsDir)},
              {"--jobs", "N", "run N worker processes (default: one per processor core)",
               "a number of workers from 1 to 256", Convert(&O::jobs, ParseJobs)},
              {"--json", nullptr,
               "print one JSON document (format \"orlo-screen/1\") instead of the table; each "
               "set's entry holds what 'orlo analyze --json' gives for its files",
               "", Set(&O::json)},
              {"--csv", "FILE", "also write one CSV line per set and analyzer pair to FILE", "",
               Assign(&O::csvFile)},
              {"--html", "FILE",
               "also write the table as a page to FILE: sortable by any column, verdicts "
               "coloured by severity",
               "", Assign(&O::htmlFile)},
              {"--progress", nullptr,
               "show a progress line on the standard error even when it is not a terminal", "",
               [](O& options, const std::string&) { return bool(options.progress = true); }},
              {"--no-progress", nullptr, "never show the progress line", "",
               [](O& options, const std::string&) {
                 options.progress = false;
                 return true;
               }},
              {"--sort", "worst",
               "list the sets worst first: sets not read, then sets with an error box, then "
               "by their worst conclusion (else in input order)",
               "'worst'",
               [](O& options, const std::string& value) {
                 options.sortWorst = true;
                 return value == "worst";
               }},
          },
      .positionals = {{"PATH", "", Append(&O::paths), true}},
  };
  return syntax;
}

size_t DefaultJobs() {
  const long cores = sysconf(_SC_NPROCESSORS_ONLN);
  return cores > 0 ? static_cast<size_t>(cores) : 1;
}

// One run of the command.
class ScreenRun {
 public:
  ScreenRun(const ScreenOptions& options, const HostSessionOptions& session)
      : options_(options), session_(session) {}

  int Run(std::ostream& out, std::ostream& err) {
    if (const std::string fault = OutputOverInput(); !fault.empty()) {
      err << "orlo screen: " << fault << '\n';
      return kExitUsage;
    }
    try {
      for (const std::string& path : options_.paths) {
        std::vector<MeasurementSet> found = ListMeasurementSets(path);
        std::move(found.begin(), found.end(), std::back_inserter(sets_));
      }
    } catch (const SetListError& error) {
      err << "orlo screen: " << error.what() << '\n';
      return kExitUnreadable;
    }
    ScopedEnvironment settings("ORLO_APPDATA", options_.settingsDir);
    ResultSpool spool(sets_.size());
    std::string error;
    if (!Screen(spool, err, error)) {
      err << "orlo screen: " << error << '\n';
      return usageError_ ? kExitUsage : kExitUnreadable;
    }
    const ScreenResults results = Results(spool);
    if (options_.json) {
      WriteScreenJson(results, out);
    } else {
      WriteScreenTable(results, out);
    }
    int exitCode = unreadable_ ? kExitUnreadable : errorBox_ ? kExitErrorBox : kExitOk;
    const std::pair<const std::optional<std::string>&, void (*)(const ScreenResults&, std::ostream&)>
        files[] = {{options_.csvFile, WriteScreenCsv}, {options_.htmlFile, WriteScreenPage}};
    for (const auto& [file, write] : files) {
      if (!file) continue;
      std::ostringstream content;
      write(results, content);
      std::string reason;
      if (!WriteOutputFile(*file, content.str(), reason)) {
        err << "orlo screen: " << reason << '\n';
        exitCode = kExitUnreadable;
      }
    }
    if (!error.empty()) {  // a worker that ended badly after its last set
      err << "orlo screen: " << error << '\n';
      exitCode = kExitUnreadable;
    }
    return exitCode;
  }

 private:
  // Writing a table over a manifest would destroy it.
  std::string OutputOverInput() const {
    for (const auto& output : {options_.csvFile, options_.htmlFile}) {
      for (const std::string& path : options_.paths) {
        std::error_code ignored;
        if (output && std::filesystem::equivalent(*output, path, ignored)) {
          return "the output file '" + *output + "' is one of the inputs";
        }
      }
    }
    return {};
  }

  bool Screen(ResultSpool& spool, std::ostream& err, std::string& error) {
    const bool progressShown = options_.progress.value_or(isatty(STDERR_FILENO) != 0);
    ProgressLine progress(err, sets_.size(), progressShown);
    size_t done = 0;
    WorkerPool pool(std::min(options_.jobs.value_or(DefaultJobs()), sets_.size()), [this] {
      return std::make_unique<CScreenSession>(sets_, session_, options_.analyzer);
    });
    const bool ran = pool.Run(
        sets_.size(), [&](const std::string& greeting) { return Accept(greeting, error); },
        [&](size_t index, TaskResult result) {
          const std::string text =
              result.text ? std::move(*result.text)
                          : json::Write(FailedSetEntry(sets_[index], SetStatus::kWorkerDied,
                                                       result.failure),
                                        0);
          Keep(index, json::Parse(text));
          spool.Put(index, text);
          progress.Update(++done);
        },
        error);
    progress.Finish();
    return ran;
  }

  bool Accept(const std::string& greeting, std::string& error) {
    const json::Value hello = json::Parse(greeting);
    if (const json::Value* failure = hello.Find("error")) {
      error = failure->Text();
      usageError_ = hello.Find("usage")->AsBool();
      return false;
    }
    if (analyzers_.empty()) {
      for (const json::Value& analyzer : hello.Find("analyzers")->Items()) {
        analyzers_.push_back({static_cast<size_t>(analyzer.Find("index")->AsDouble()),
                              analyzer.Find("name")->Text(), analyzer.Find("guid")->Text()});
      }
    }
    return true;
  }

  // What the run needs to know of every set besides its entry.
  void Keep(size_t index, const json::Value& entry) {
    const ScreenRow row = ReadScreenRow(entry);
    unreadable_ = unreadable_ || row.status == SetStatus::kUnreadable ||
                  row.status == SetStatus::kWorkerDied;
    errorBox_ = errorBox_ || row.status == SetStatus::kErrorBox;
    commonNotes_.Add(index, row);
    if (options_.sortWorst) {
      ranks_.resize(sets_.size());
      ranks_[index] = row.Rank();
    }
  }

  ScreenResults Results(const ResultSpool& spool) {
    std::vector<size_t> order(sets_.size());
    std::iota(order.begin(), order.end(), 0);
    if (options_.sortWorst) {
      std::stable_sort(order.begin(), order.end(),
                       [&](size_t a, size_t b) { return ranks_[a] > ranks_[b]; });
    }
    ScreenResults results;
    results.analyzers = analyzers_;
    for (const MeasurementSet& set : sets_) {
      for (const auto& column : set.columns) {
        if (std::find(results.columns.begin(), results.columns.end(), column.first) ==
            results.columns.end()) {
          results.columns.push_back(column.first);
        }
      }
    }
    results.commonNotes = commonNotes_.Notes();
    results.count = order.size();
    results.entry = [&spool, order = std::move(order)](size_t position) {
      return json::Parse(spool.Get(order[position]));
    };
    return results;
  }

  const ScreenOptions& options_;
  const HostSessionOptions& session_;
  std::vector<MeasurementSet> sets_;
  std::vector<ScreenAnalyzer> analyzers_;
  std::vector<int> ranks_;
  CommonNotes commonNotes_;
  bool usageError_ = false;
  bool unreadable_ = false;
  bool errorBox_ = false;
};

int RunScreenCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  HostSessionOptions session;
  session.virtualClock = true;  // a batch run: no idle waits
  return RunScreen(args, out, err, session);
}

}  // namespace

int RunScreen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const HostSessionOptions& session) {
  ScreenOptions options;
  if (!ScreenSyntax().Parse(args, options, err)) return kExitUsage;
  ScreenRun run(options, session);
  return run.Run(out, err);
}

Command ScreenCommand() { return DeclaredCommand(ScreenSyntax(), RunScreenCommand); }

}  // namespace orlo::host
