// The searching reader against the defining scan: on random sweep pairs every magnitude
// read and every statistic must carry the same bits whichever way the magnitudes are read.
// (RelativeFactor is a function of CorrelationCoefficient alone and is left out.)
#include "module/comparison/MagnitudeReader.h"
#include "module/comparison/SweepStatistics.h"

#include "tests/module/comparison/TestSweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int kPairs = 400;
constexpr int kBandsPerPair = 4;

using Statistic = double (*)(double, double, const SweepData&, const SweepData&, const double*,
                             int, MagnitudeReading);
const std::pair<const char*, Statistic> kStatistics[] = {
    {"CorrelationCoefficient", CorrelationCoefficient},
    {"MeanSquareDifference", MeanSquareDifference},
    {"MagnitudeDifferenceAtCrossing", MagnitudeDifferenceAtCrossing},
};

std::string Bits(double v) {
  std::ostringstream text;
  text << v << " (0x" << std::hex << std::bit_cast<std::uint64_t>(v) << ")";
  return text.str();
}

class RandomPair {
 public:
  explicit RandomPair(std::uint64_t seed) : rng_(seed) {
    std::vector<float> fa;
    std::vector<float> fb;
    MakeFrequencies(fa, fb);
    a_.emplace(fa, Magnitudes(fa.size()));
    b_.emplace(fb, Magnitudes(fb.size()));
    grid_ = MergeFrequencies(a_->get(), b_->get(), count_);
    for (int k = 0; k < kBandsPerPair; ++k) bands_.push_back(Band());
  }

  SweepData& a() { return a_->get(); }
  SweepData& b() { return b_->get(); }
  const double* grid() const { return grid_.get(); }
  int count() const { return count_; }
  const std::vector<std::pair<double, double>>& bands() const { return bands_; }

  // Frequencies to read a sweep at besides the grid: between, on and outside its points.
  std::vector<double> Extras(const SweepData& sweep) {
    std::vector<double> f{std::nan(""), kInf, -kInf, 0.0, -0.0, 1e-3, 1e9};
    const int n = PointCount(sweep);
    for (int k = 0; k < 40; ++k) {
      const int i = Index(n);
      const double fi = sweep.points[i].frequency;
      const double next = sweep.points[std::min(i + 1, n - 1)].frequency;
      f.push_back(Chance(0.5) ? fi : fi + (next - fi) * Uniform(0, 1));
    }
    std::shuffle(f.begin(), f.end(), rng_);
    return f;
  }

 private:
  bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  double Uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(rng_); }
  int Index(int n) { return std::uniform_int_distribution<>(0, n - 1)(rng_); }
  // 2 to `longest` points, log-uniform.
  int Length(double longest) {
    return static_cast<int>(std::round(std::exp(Uniform(std::log(2), std::log(longest)))));
  }

  // Ascending frequencies log-spaced from about 1 kHz, with jitter.
  std::vector<float> Ladder(int n) {
    std::vector<float> f;
    double x = Uniform(500, 2000);
    const double step = std::pow(2000.0, 1.0 / n);
    for (int i = 0; i < n; ++i, x *= step * Uniform(0.9999, 1.0001)) f.push_back(float(x));
    std::sort(f.begin(), f.end());
    return f;
  }

  void MakeFrequencies(std::vector<float>& fa, std::vector<float>& fb) {
    // Most pairs are short: the scan of the long ones is slow.
    const double longest = Chance(0.06) ? 5000 : 300;
    const int na = Length(longest);
    const int nb = Length(longest);
    if (Chance(0.5)) {  // both drawn from one ladder: many frequencies shared
      const std::vector<float> pool = Ladder(std::max(na, nb) * 3 / 2 + 1);
      std::sample(pool.begin(), pool.end(), std::back_inserter(fa), na, rng_);
      std::sample(pool.begin(), pool.end(), std::back_inserter(fb), nb, rng_);
    } else {
      fa = Ladder(na);
      fb = Ladder(nb);
    }
    if (Chance(0.3)) fa[0] = fb[0] = std::min(fa[0], fb[0]);
    for (std::vector<float>* f : {&fa, &fb}) Disorder(*f);
  }

  void Disorder(std::vector<float>& f) {
    const int n = static_cast<int>(f.size());
    if (Chance(0.2)) {  // runs of a repeated frequency
      for (int k = 0; k < 5; ++k) {
        const int i = Index(n);
        std::fill(f.begin() + i, f.begin() + std::min(n, i + 1 + Index(4)), f[i]);
      }
    }
    const double order = Uniform(0, 1);
    if (order < 0.08) {
      std::reverse(f.begin(), f.end());
    } else if (order < 0.16) {
      for (int k = 0; k < 3; ++k) std::swap(f[Index(n)], f[Index(n)]);
    } else if (order < 0.2) {
      f[Index(n)] = NAN;
    }
  }

  std::vector<float> Magnitudes(std::size_t n) {
    std::vector<float> m(n, -17.5f);
    const bool constant = Chance(0.1);
    const double infinities = Chance(0.5) ? 0.02 : 0.0;
    for (float& v : m) {
      if (!constant) v = float(Uniform(-45, 5));
      if (Chance(infinities)) v = Chance(0.5) ? INFINITY : -INFINITY;
    }
    if (Chance(0.3)) m.back() = Chance(0.5) ? INFINITY : -INFINITY;
    if (Chance(0.2)) m.front() = -INFINITY;
    if (Chance(0.1)) m[Index(int(n))] = NAN;
    return m;
  }

  // One band edge: on a grid point, near one (inside or outside the edge tolerances), just
  // above the grid's end, or anywhere. An edge on a grid point sometimes gets an infinite
  // magnitude in the sweeps that have a point there.
  double Edge() {
    const double kind = Uniform(0, 1);
    if (count_ == 0 || kind < 0.1) return std::exp(Uniform(std::log(100), std::log(1e7)));
    if (kind < 0.25) return grid_[count_ - 1] * Uniform(1.0, 1.009);
    const double f = grid_[Index(count_)];
    if (kind < 0.45) return f * Uniform(0.98, 1.02);
    for (SweepData* sweep : {&a(), &b()}) {
      for (int i = 0; i < PointCount(*sweep); ++i) {
        if (sweep->points[i].frequency == f && Chance(0.3)) {
          sweep->points[i].values[kMagnitudeIndex] = Chance(0.5) ? INFINITY : -INFINITY;
        }
      }
    }
    return f;
  }

  std::pair<double, double> Band() {
    if (count_ > 0 && Chance(0.15)) return {grid_[0], grid_[count_ - 1]};
    const double low = Edge();
    const double high = Edge();
    if (low > high && Chance(0.85)) return {high, low};
    return {low, high};  // sometimes reversed
  }

  std::mt19937_64 rng_;
  std::optional<TestSweep> a_;
  std::optional<TestSweep> b_;
  std::unique_ptr<double[]> grid_;
  int count_ = 0;
  std::vector<std::pair<double, double>> bands_;
};

// Reads the sweep at the grid points in order, then at `extras` in their order, with one
// reader; returns the first reading that differs from InterpolateMagnitude.
std::string FirstDifferentReading(const SweepData& sweep, const double* grid, int count,
                                  const std::vector<double>& extras) {
  MagnitudeReader reader(sweep, MagnitudeReading::kSearch);
  std::vector<double> frequencies(grid, grid + count);
  frequencies.insert(frequencies.end(), extras.begin(), extras.end());
  for (double f : frequencies) {
    const double searched = reader.At(f);
    const double scanned = InterpolateMagnitude(sweep, f);
    if (std::bit_cast<std::uint64_t>(searched) != std::bit_cast<std::uint64_t>(scanned)) {
      return "at " + Bits(f) + ": searched " + Bits(searched) + ", scanned " + Bits(scanned);
    }
  }
  return "";
}

TEST(MagnitudeReading, SearchGivesTheBitsOfTheScanOnRandomSweepPairs) {
  for (int p = 0; p < kPairs; ++p) {
    SCOPED_TRACE("pair " + std::to_string(p));
    RandomPair pair(p);
    for (const SweepData* sweep : {&pair.a(), &pair.b()}) {
      const std::string difference =
          FirstDifferentReading(*sweep, pair.grid(), pair.count(), pair.Extras(*sweep));
      ASSERT_EQ(difference, "") << PointCount(*sweep) << " points";
    }
    for (const auto& [low, high] : pair.bands()) {
      for (const auto& [name, statistic] : kStatistics) {
        const double searched = statistic(low, high, pair.a(), pair.b(), pair.grid(),
                                          pair.count(), MagnitudeReading::kSearch);
        const double scanned = statistic(low, high, pair.a(), pair.b(), pair.grid(),
                                         pair.count(), MagnitudeReading::kScan);
        ASSERT_EQ(Bits(searched), Bits(scanned)) << name << " over " << low << " .. " << high;
      }
    }
  }
}

}  // namespace
