// `orlo sweeps`: imports sweep files and prints what was read from each, so that a user
// can check an import before analysing it.
#include "host/cli/Command.h"
#include "host/graph/GraphPlugin.h"
#include "host/output/HtmlPage.h"
#include "host/output/OutputFile.h"
#include "host/sweeps/NumberText.h"
#include "host/sweeps/SweepFileError.h"
#include "host/sweeps/SweepImport.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>
#include <sstream>

namespace orlo::host {

namespace {

constexpr char kDescription[] =
    "Imports each sweep file and prints its sweep name, number of points, frequency range\n"
    "and magnitude range in dB. Files that cannot be imported are reported as\n"
    "'file:line: reason' on the standard error (exit code 3). With --html the sweeps\n"
    "read are also plotted on one page, as the graph would draw them on their own.\n"
    "\n"
    "Sweep files: generic delimited text (frequency in Hz, magnitude in dB or as a ratio,\n"
    "optional phase in degrees; comma, semicolon, tab or blanks) or an LTspice AC-analysis\n"
    "export (header 'Freq.').\n";

struct SweepsOptions {
  std::optional<std::string> htmlFile;
  std::vector<std::string> files;
};

const CommandSyntax<SweepsOptions>& SweepsSyntax() {
  static const CommandSyntax<SweepsOptions> syntax = {
      .name = "sweeps",
      .summary = "import sweep files and print what was read from each",
      .description = kDescription,
      .options = {{"--html", "FILE",
                   "also write a self-contained HTML page to FILE that plots the sweeps read "
                   "(magnitude in dB over a logarithmic frequency axis); an unwritable FILE "
                   "gives exit code 3",
                   "", Assign(&SweepsOptions::htmlFile)}},
      .positionals = {{"SWEEP_FILE", "", Append(&SweepsOptions::files), true}},
  };
  return syntax;
}

void PrintSweep(const Sweep& sweep, std::ostream& out) {
  const auto [lowest, highest] = std::minmax_element(
      sweep.points.begin(), sweep.points.end(), [](const Sweep::Point& a, const Sweep::Point& b) {
        return a.magnitudeRatio < b.magnitudeRatio;
      });
  const auto decibels = [](const Sweep::Point& point) {
    return FormatFixed(20.0 * std::log10(point.magnitudeRatio), 2) + " dB";
  };
  out << sweep.name << ": " << sweep.points.size() << " points, "
      << FormatShortest(sweep.points.front().frequency) << " Hz to "
      << FormatShortest(sweep.points.back().frequency) << " Hz, magnitude " << decibels(*lowest)
      << " to " << decibels(*highest) << " (" << sweep.file << ")\n";
}

// The page of the sweeps as the graph plug-in holds them.
bool WritePlot(const std::vector<Sweep>& sweeps, const std::string& file, std::ostream& err) {
  CGraphPlugin graph;
  std::vector<SweepSummary> summaries;
  for (const Sweep& sweep : sweeps) {
    summaries.push_back(SummaryOf(sweep));
    graph.AddSweep(sweep);
  }
  std::ostringstream page;
  WriteSweepsPage(summaries, TakeSweepsGraph(graph), SweepNotes(graph), page);
  std::string reason;
  if (WriteOutputFile(file, page.str(), reason)) return true;
  err << "orlo sweeps: " << reason << '\n';
  return false;
}

int RunSweeps(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  SweepsOptions options;
  if (!SweepsSyntax().Parse(args, options, err)) return kExitUsage;
  std::vector<Sweep> loaded;
  int exitCode = kExitOk;
  for (const std::string& file : options.files) {
    try {
      Sweep sweep = ImportSweepFile(file);
      sweep.name = UniqueSweepName(sweep.name, loaded);
      PrintSweep(sweep, out);
      loaded.push_back(std::move(sweep));
    } catch (const SweepFileError& error) {
      err << error.what() << '\n';
      exitCode = kExitUnreadable;
    }
  }
  if (options.htmlFile && !WritePlot(loaded, *options.htmlFile, err)) return kExitUnreadable;
  return exitCode;
}

}  // namespace

Command SweepsCommand() { return DeclaredCommand(SweepsSyntax(), RunSweeps); }

}  // namespace orlo::host
