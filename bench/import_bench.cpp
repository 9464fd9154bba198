// Cost of importing a sweep file, 1 000 to 2 000 000 points, from text already in memory
// (so the disk does not count): the delimited format as `orlo simulate` writes it
// ("frequency,magnitude dB,phase" with 10 significant digits, 6 and 4 decimals), the same
// with nine significant digits everywhere, as measurement files have them, the LTspice
// export ("(<m>dB,<p>°)" values) and a network analyser's two-port Touchstone file (a row of
// frequency and four dB/angle pairs, as real instruments write them); and the simulator's
// CSV read from a file, as `orlo` reads it (in pieces, twice; the file stays in the page
// cache). Reported as points per second and bytes per second of text; whole `orlo sweeps`
// processes, disk included, are timed by scripts/bench.
#include "host/sweeps/SweepImport.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

enum class Format { kSimulator, kDelimited, kLtspice, kTouchstone };

// `points` log-spaced frequencies from 20 Hz to 2 MHz with a winding-like response.
std::string SweepText(int points, Format format) {
  std::string text = format == Format::kLtspice      ? "Freq.\tV(out)\n"
                     : format == Format::kTouchstone ? "! VNA export\r\n# Hz S dB R 50\r\n"
                                                     : "frequency_hz,magnitude_db,phase_deg\n";
  char line[160];
  for (int i = 0; i < points; ++i) {
    const double f = 20.0 * std::pow(1e5, double(i) / (points - 1));
    const double decibels = -20.0 + 10.0 * std::sin(std::log10(f) * 7.0);
    const double phase = 80.0 * std::cos(std::log10(f) * 5.0);
    if (format == Format::kTouchstone) {
      std::snprintf(line, sizeof line, "%.9g\t%e\t%e\t%e\t%e\t%e\t%e\t%e\t%e\r\n", f, -200.0,
                    0.0, decibels, phase, -200.0, 0.0, decibels - 3.0, -phase);
    } else {
      const char* pattern = format == Format::kSimulator ? "%.10g,%.6f,%.4f\n"
                            : format == Format::kLtspice ? "%.9g\t(%.9gdB,%.9g\xC2\xB0)\n"
                                                         : "%.9g,%.9g,%.9g\n";
      std::snprintf(line, sizeof line, pattern, f, decibels, phase);
    }
    text += line;
  }
  return text;
}

void BM_Import(benchmark::State& state, Format format) {
  const int points = static_cast<int>(state.range(0));
  const std::string text = SweepText(points, format);
  const char* file = format == Format::kTouchstone ? "bench.s2p" : "bench.txt";
  for (auto _ : state) {
    benchmark::DoNotOptimize(orlo::host::ImportSweepText(text, file));
  }
  state.SetItemsProcessed(state.iterations() * points);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_ImportFile(benchmark::State& state, Format format) {
  const int points = static_cast<int>(state.range(0));
  const std::string text = SweepText(points, format);
  const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                     ("import_bench-" + std::to_string(getpid()) + ".csv");
  std::ofstream(file, std::ios::binary) << text;
  for (auto _ : state) {
    benchmark::DoNotOptimize(orlo::host::ImportSweepFile(file.string()));
  }
  std::filesystem::remove(file);
  state.SetItemsProcessed(state.iterations() * points);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

}  // namespace

BENCHMARK_CAPTURE(BM_Import, Simulator, Format::kSimulator)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Import, Delimited, Format::kDelimited)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Arg(2000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ImportFile, Simulator, Format::kSimulator)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Import, Ltspice, Format::kLtspice)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Import, Touchstone, Format::kTouchstone)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
