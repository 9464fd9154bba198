// Cost of the sweep arithmetic of one pair on long sweeps, 1 000 to 1 000 000 points each:
// the merge of the two grids, and the three DL/T 911 band factors with the magnitudes read
// by the searching reader (kSearch, the analyzers' way) and by the defining scan (kScan).
// The scan grows with the square of the length (about 40 s per pair at 100 000 points), so
// it runs up to 10 000 points here; whole `orlo analyze` runs compare longer sweeps.
//
// The two sweeps are log-spaced from 1 kHz to 2 MHz on different grids (B has three points
// fewer), so nearly every grid point comes from one sweep only, as with measurements taken
// by different instruments.
#include "module/comparison/FrequencyGrid.h"
#include "module/comparison/SweepData.h"
#include "module/comparison/SweepStatistics.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

constexpr double kFirstHz = 1e3;
constexpr double kLastHz = 2e6;
constexpr double kBands[][2] = {{1e3, 1e5}, {1e5, 6e5}, {6e5, 1e6}};

// A winding-like response in dB: falling with frequency, with resonances that `shift`
// moves slightly (a second measurement of the same winding).
class BenchSweep {
 public:
  BenchSweep(int points, double shift) {
    AllocateSweepPoints(data_, points);
    for (int i = 0; i < points; ++i) {
      const double f = kFirstHz * std::pow(kLastHz / kFirstHz, double(i) / (points - 1));
      const double decades = std::log10(f / kFirstHz);
      const double ratio = std::pow(10.0, -decades) * (1.2 + std::sin(7.0 * decades + shift));
      data_.points[i].frequency = static_cast<float>(f);
      data_.points[i].values[kMagnitudeIndex] = static_cast<float>(ratio);
    }
    ConvertMagnitudesToDecibel(data_);
  }
  ~BenchSweep() { FreeSweepData(data_); }
  BenchSweep(const BenchSweep&) = delete;
  BenchSweep& operator=(const BenchSweep&) = delete;

  const SweepData& get() const { return data_; }

 private:
  SweepData data_;
};

struct BenchPair {
  explicit BenchPair(int points) : a(points, 0.0), b(points - 3, 0.05) {}
  BenchSweep a;
  BenchSweep b;
  int count = 0;
  std::unique_ptr<double[]> grid = MergeFrequencies(a.get(), b.get(), count);
};

void BM_PairFactors(benchmark::State& state, MagnitudeReading reading) {
  const BenchPair pair(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    for (const auto& band : kBands) {
      benchmark::DoNotOptimize(RelativeFactor(band[0], band[1], pair.a.get(), pair.b.get(),
                                              pair.grid.get(), pair.count, reading));
    }
  }
  state.SetComplexityN(state.range(0));
}

void BM_MergeFrequencies(benchmark::State& state) {
  const BenchPair pair(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    int count = 0;
    benchmark::DoNotOptimize(MergeFrequencies(pair.a.get(), pair.b.get(), count));
  }
  state.SetComplexityN(state.range(0));
}

BENCHMARK_CAPTURE(BM_PairFactors, Search, MagnitudeReading::kSearch)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_CAPTURE(BM_PairFactors, Scan, MagnitudeReading::kScan)
    ->RangeMultiplier(10)
    ->Range(1000, 10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_MergeFrequencies)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
