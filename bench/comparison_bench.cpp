// Cost of one band statistic on sweeps of realistic size: two 5000-point sweeps, log-spaced
// from 1 kHz to 2 MHz, compared over the three DL/T 911 bands. Every magnitude read scans
// the sweep from its first point, so the cost grows with band points times sweep length.
#include "module/comparison/FrequencyGrid.h"
#include "module/comparison/SweepData.h"
#include "module/comparison/SweepStatistics.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

constexpr int kPoints = 5000;
constexpr double kFirstHz = 1e3;
constexpr double kLastHz = 2e6;

// A winding-like response in dB: falling with frequency, with resonances that `shift`
// moves slightly (a second measurement of the same winding).
class BenchSweep {
 public:
  explicit BenchSweep(double shift) {
    AllocateSweepPoints(data_, kPoints);
    for (int i = 0; i < kPoints; ++i) {
      const double f = kFirstHz * std::pow(kLastHz / kFirstHz, double(i) / (kPoints - 1));
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
  BenchSweep a{0.0};
  BenchSweep b{0.05};
  int count = 0;
  std::unique_ptr<double[]> grid = MergeFrequencies(a.get(), b.get(), count);
};

void BM_RelativeFactor(benchmark::State& state, double fLow, double fHigh) {
  static const BenchPair pair;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        RelativeFactor(fLow, fHigh, pair.a.get(), pair.b.get(), pair.grid.get(), pair.count));
  }
}

BENCHMARK_CAPTURE(BM_RelativeFactor, LowBand, 1e3, 1e5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RelativeFactor, MiddleBand, 1e5, 6e5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RelativeFactor, HighBand, 6e5, 1e6)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
