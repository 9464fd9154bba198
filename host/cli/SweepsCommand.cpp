// `orlo sweeps`: imports sweep files and prints what was read from each, so that a user
// can check an import before analysing it.
#include "host/cli/Command.h"
#include "host/sweeps/NumberText.h"
#include "host/sweeps/SweepFileError.h"
#include "host/sweeps/SweepImport.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace orlo::host {

namespace {

constexpr char kUsage[] =
    "usage: orlo sweeps SWEEP_FILE...\n"
    "\n"
    "Imports each sweep file and prints its sweep name, number of points, frequency range\n"
    "and magnitude range in dB. Files that cannot be imported are reported as\n"
    "'file:line: reason' on the standard error (exit code 3).\n"
    "\n"
    "Sweep files: generic delimited text (frequency in Hz, magnitude in dB or as a ratio,\n"
    "optional phase in degrees; comma, semicolon, tab or blanks) or an LTspice AC-analysis\n"
    "export (header 'Freq.').\n";

void PrintSweep(const Sweep& sweep, std::ostream& out) {
  const auto [lowest, highest] = std::minmax_element(
      sweep.points.begin(), sweep.points.end(), [](const Sweep::Point& a, const Sweep::Point& b) {
        return a.values[Sweep::kMagnitudeRatio] < b.values[Sweep::kMagnitudeRatio];
      });
  const auto decibels = [](const Sweep::Point& point) {
    return FormatFixed(20.0 * std::log10(point.values[Sweep::kMagnitudeRatio]), 2) + " dB";
  };
  out << sweep.name << ": " << sweep.points.size() << " points, "
      << FormatShortest(sweep.points.front().frequency) << " Hz to "
      << FormatShortest(sweep.points.back().frequency) << " Hz, magnitude " << decibels(*lowest)
      << " to " << decibels(*highest) << " (" << sweep.file << ")\n";
}

int RunSweeps(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "orlo sweeps: no sweep file given\n";
    return kExitUsage;
  }
  for (const std::string& arg : args) {
    if (arg.size() > 1 && arg.front() == '-') {
      err << "orlo sweeps: unknown option '" << arg << "'\n";
      return kExitUsage;
    }
  }
  std::vector<Sweep> loaded;
  int exitCode = kExitOk;
  for (const std::string& file : args) {
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
  return exitCode;
}

}  // namespace

extern const Command kSweepsCommand = {
    "sweeps", "import sweep files and print what was read from each", kUsage, RunSweeps};

}  // namespace orlo::host
