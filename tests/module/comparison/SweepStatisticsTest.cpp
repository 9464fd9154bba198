// The sweep arithmetic the comparison analyzers share: the dB conversion, the merged
// frequency grid and its edge search, the interpolation, the band statistics (the same bits
// whether the magnitudes are searched or scanned) and the unit prefixes. (The evaluation
// order of the statistics is pinned bit for bit by the analyzers' stories, against
// ../expected_values.py.)
#include "platform/common/DecimalLog.h"
#include "module/comparison/FrequencyGrid.h"
#include "module/comparison/MagnitudeReader.h"
#include "module/comparison/SweepData.h"
#include "module/comparison/SweepOrder.h"
#include "module/comparison/SweepStatistics.h"
#include "module/comparison/UnitPrefix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// A SweepData built from frequencies and dB magnitudes, allocated like the graph plug-in does
// and freed with FreeSweepData when it goes.
class TestSweep {
 public:
  TestSweep(const std::vector<float>& frequencies, const std::vector<float>& magnitudes) {
    AllocateSweepPoints(data_, static_cast<int>(frequencies.size()));
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
      data_.points[i].frequency = frequencies[i];
      data_.points[i].values[kMagnitudeIndex] = magnitudes[i];
    }
  }
  ~TestSweep() { FreeSweepData(data_); }
  TestSweep(const TestSweep&) = delete;
  TestSweep& operator=(const TestSweep&) = delete;

  const SweepData& get() const { return data_; }
  SweepData& get() { return data_; }

 private:
  SweepData data_;
};

using Statistic = double (*)(double, double, const SweepData&, const SweepData&, const double*,
                             int);

// Two sweeps on the frequencies 1000, 2000, ... Hz, which are also their grid.
struct Pair {
  Pair(const std::vector<float>& magA, const std::vector<float>& magB)
      : a(Kilohertz(magA.size()), magA), b(Kilohertz(magB.size()), magB) {
    for (float f : Kilohertz(magA.size())) grid.push_back(f);
  }
  static std::vector<float> Kilohertz(std::size_t n) {
    std::vector<float> f;
    for (std::size_t i = 1; i <= n; ++i) f.push_back(1000.0f * i);
    return f;
  }
  double operator()(Statistic statistic, double lo, double hi) const {
    return statistic(lo, hi, a.get(), b.get(), grid.data(), static_cast<int>(grid.size()));
  }
  TestSweep a, b;
  std::vector<double> grid;
};

// Straight lines between points inside the sweep only (1.0 outside; the last point is never
// read alone); pairs that start at an infinite magnitude are skipped; NaN is read like any
// other magnitude.
TEST(InterpolateMagnitude, ReadsPointsAndStraightLinesInsideTheSweepOnly) {
  const TestSweep plain({1000, 2000, 4000}, {-10, -20, 0});
  const TestSweep single({1000}, {-3});
  const TestSweep infinite({1000, 2000, 3000, 4000}, {-INFINITY, 10, 20, -INFINITY});
  const TestSweep nan({1000, 2000, 3000}, {NAN, 10, 20});
  const std::tuple<const TestSweep&, double, double> cases[] = {
      {plain, 1500, -15},    {plain, 3000, -10},    {plain, 1000, -10},       {plain, 999, 1},
      {plain, 4000, 1},      {plain, 5000, 1},      {single, 1000, 1},        {infinite, 1000, 1},
      {infinite, 1500, 1},   {infinite, 2500, 15},  {infinite, 3500, -INFINITY},
      {nan, 1000, NAN},      {nan, 1500, NAN},      {nan, 2500, 15}};
  for (const auto& [sweep, f, expected] : cases) {
    const double read = InterpolateMagnitude(sweep.get(), f);
    EXPECT_TRUE(read == expected || (std::isnan(read) && std::isnan(expected))) << f << ": " << read;
  }
}

TEST(CorrelationCoefficient, GivesOneForEqualCurvesAndMinusOneForMirroredOnes) {
  Pair equal({-3, -7, -2, 50, 4}, {-3, -7, -2, -60, 8});  // differ only from the upper edge on
  EXPECT_EQ(equal(CorrelationCoefficient, 1000, 4000), 1.0);
  Pair mirrored({-3, -7, -2, 5}, {3, 7, 2, -5});
  EXPECT_EQ(mirrored(CorrelationCoefficient, 1000, 4000), -1.0);
  EXPECT_DOUBLE_EQ(mirrored(RelativeFactor, 1000, 4000), -std::log10(2.0));
}

TEST(CorrelationCoefficient, ReportsBandsThatCannotBeEvaluatedByMarkers) {
  Pair constant({-5, -5, -5, -5}, {-1, -9, -3, -2});
  EXPECT_EQ(constant(CorrelationCoefficient, 1000, 4000), STAT_UNDEFINED);
  EXPECT_EQ(constant(CorrelationCoefficient, 3000, 3000), STAT_UNDEFINED);
  EXPECT_EQ(constant(CorrelationCoefficient, 4000, 1000), STAT_UNDEFINED);
  EXPECT_EQ(constant(CorrelationCoefficient, 1000 * 1.02, 9000), STAT_NO_LOW_EDGE);
  EXPECT_EQ(constant(CorrelationCoefficient, 1000 * 1.005, 9000), STAT_NO_HIGH_EDGE);
  EXPECT_EQ(constant(CorrelationCoefficient, 1000 * 1.005, 4000 / 1.005), STAT_UNDEFINED);
  EXPECT_EQ(STAT_NO_LOW_EDGE, 3.0000000054977558e38);
  EXPECT_EQ(STAT_NO_HIGH_EDGE, 3.099999992159408e38);
  for (double lo : {1000.0, 3000.0, 1020.0}) EXPECT_EQ(constant(RelativeFactor, lo, 4000), 10.0);
}

TEST(RelativeFactor, TurnsTheCorrelationIntoDecadesOfDisagreement) {
  EXPECT_DOUBLE_EQ(RelativeFactorFromCorrelation(0.9), 1.0);
  // 1 - rho exactly 2^-32 (2.3e-10) and 2^-34 (5.8e-11), on either side of 1e-10.
  EXPECT_EQ(RelativeFactorFromCorrelation(1.0 - 0x1p-32), -std::log10(0x1p-32));
  EXPECT_EQ(RelativeFactorFromCorrelation(1.0 - 0x1p-34), 10.0);
  EXPECT_EQ(RelativeFactorFromCorrelation(STAT_UNDEFINED), 10.0);
  EXPECT_TRUE(std::isnan(RelativeFactorFromCorrelation(NAN)));
}

TEST(MeanSquareDifference, SumsTheSpanInclusiveAndDividesByItsIndexDistance) {
  Pair p({0, 0, 0, 0, 0}, {-1, -2, -3, -4, -5});
  EXPECT_EQ(p(MeanSquareDifference, 2000, 4000), (4.0 + 9.0 + 16.0) / 2);
  EXPECT_EQ(p(MeanSquareDifference, 2000, 3000), 4.0 + 9.0);
  EXPECT_EQ(p(MeanSquareDifference, 3000, 3000), STAT_UNDEFINED);
  const double reversed = p(MeanSquareDifference, 4000, 2000);
  EXPECT_EQ(reversed, 0.0);
  EXPECT_TRUE(std::signbit(reversed));
  EXPECT_EQ(p(MeanSquareDifference, 1000 * 1.02, 9000), STAT_NO_LOW_EDGE);
  EXPECT_EQ(p(MeanSquareDifference, 1000, 9000), STAT_NO_HIGH_EDGE);
}

TEST(MagnitudeDifferenceAtCrossing, ReadsTheDifferenceWhereTheReferenceFallsToMinus20OrIsUndefined) {
  const std::vector<float> falling{-5, -8, -12, -16, -21, -25, -30, -35, -40, -45};
  Pair crossing(falling, {-6, -9, -13, -17, -24, -26, -31, -36, -41, -46});
  EXPECT_EQ(crossing(MagnitudeDifferenceAtCrossing, 1000, 10000), 3.0);
  EXPECT_EQ(crossing(MagnitudeDifferenceAtCrossing, 1000 * 1.05, 10000), 3.0);  // edge 5 % off, within 10 %
  EXPECT_EQ(crossing(MagnitudeDifferenceAtCrossing, 1000 * 1.15, 10000), STAT_NO_LOW_EDGE);

  Pair above({-1, -2, -3, -4, -5}, {-3, -4, -5, -11, -14});
  EXPECT_EQ(above(MagnitudeDifferenceAtCrossing, 1000, 5000), 7.0);  // last point of the span, not the edge

  Pair below({-30, -31, -32, -33}, {-34, -31, -32, -33});
  EXPECT_EQ(below(MagnitudeDifferenceAtCrossing, 1000, 4000), 4.0);

  // Undefined without a crossing or without points.
  Pair rising({-25, -22, -18, -15, -10}, {-25, -22, -18, -15, -10});
  EXPECT_EQ(rising(MagnitudeDifferenceAtCrossing, 1000, 5000), STAT_UNDEFINED);
  Pair startsAtLevel({-20, -25, -30, -35}, {-21, -26, -31, -36});
  EXPECT_EQ(startsAtLevel(MagnitudeDifferenceAtCrossing, 1000, 4000), STAT_UNDEFINED);
  EXPECT_EQ(startsAtLevel(MagnitudeDifferenceAtCrossing, 3000, 3000), STAT_UNDEFINED);
  EXPECT_EQ(startsAtLevel(MagnitudeDifferenceAtCrossing, 4000, 2000), STAT_UNDEFINED);
}

std::vector<double> Merge(const std::vector<float>& a, const std::vector<float>& b) {
  TestSweep sweepA(a, std::vector<float>(a.size()));
  TestSweep sweepB(b, std::vector<float>(b.size()));
  int count = -1;
  const std::unique_ptr<double[]> grid = MergeFrequencies(sweepA.get(), sweepB.get(), count);
  EXPECT_EQ(grid == nullptr, count == 0);
  return grid ? std::vector<double>(grid.get(), grid.get() + count) : std::vector<double>();
}

TEST(MergeFrequencies, TakesTheUnionUpToTheSmallerHighestFrequencyInArrivalOrder) {
  EXPECT_EQ(Merge({1, 5}, {2, 3}), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(Merge({1, 2}, {1.5, 3, 4}), (std::vector<double>{1, 1.5, 2}));
  EXPECT_EQ(Merge({1, 2, 2, 2, 3}, {2.5, 4}), (std::vector<double>{1, 2, 2, 2, 2.5, 3}));
  EXPECT_EQ(Merge({0.1f}, {0.1f}), (std::vector<double>{static_cast<double>(0.1f)}));
  EXPECT_TRUE(Merge({}, {1, 2}).empty());
  EXPECT_EQ(Merge({3, 4}, {1, 2}), (std::vector<double>{1, 2}));
  EXPECT_EQ(Merge({1}, {2, 3}), (std::vector<double>{1}));
  // A frequency that does not compare before the current one is taken.
  const std::vector<double> grid = Merge({1, 2}, {NAN, 2});
  ASSERT_EQ(grid.size(), 3u);
  EXPECT_TRUE(std::isnan(grid[0]));
  EXPECT_EQ(grid[1], 1.0);
  EXPECT_EQ(grid[2], 2.0);
}

TEST(FindNearIndex, PlacesAFrequencyWithinTheRelativeToleranceInSearchOrder) {
  const std::vector<double> grid{1000, 2000, 3000, 4000, 5000};
  EXPECT_EQ(FindNearIndex(3000, grid.data(), 5, 0.01), 2);
  EXPECT_EQ(FindNearIndex(3000 * 1.005, grid.data(), 5, 0.01), 2);
  EXPECT_EQ(FindNearIndex(3000 / 1.005, grid.data(), 5, 0.01), 2);
  EXPECT_EQ(FindNearIndex(3000 * 1.02, grid.data(), 5, 0.01), -1);
  EXPECT_EQ(FindNearIndex(1000, std::vector<double>{1010}.data(), 1, 0.01), -1);  // 1 % is out
  EXPECT_EQ(FindNearIndex(3000 * 1.02, grid.data(), 5, 0.1), 2);
  EXPECT_EQ(FindNearIndex(1000, nullptr, 5, 0.01), -1);
  EXPECT_EQ(FindNearIndex(1000, grid.data(), 0, 0.01), -1);

  // The search probes 100.5 before reaching the exact hit at 100.4.
  const std::vector<double> dense{100, 100.4, 100.5, 100.6, 100.7};
  EXPECT_EQ(FindNearIndex(100.4, dense.data(), 5, 0.01), 1);
  // Without a hit the last probed point (1010) wins although 1008 is nearer.
  const std::vector<double> sparse{1000, 1008, 1010};
  EXPECT_EQ(FindNearIndex(1008.2, sparse.data(), 3, 0.01), 2);
}

// The rounding of the conversion (log10 in double, rounded to float, times 20 in float) is
// pinned bit for bit by the factors of ../expected_values.py.
TEST(SweepData, ConvertsOnlyTheMagnitudeOfEveryPoint) {
  TestSweep sweep({100.0f, 200.0f, 300.0f}, {10.0f, 0.0f, -1.0f});
  sweep.get().points[0].values[3] = 45.0f;
  ConvertMagnitudesToDecibel(sweep.get());
  EXPECT_EQ(sweep.get().points[0].values[kMagnitudeIndex], 20.0f);
  EXPECT_EQ(sweep.get().points[1].values[kMagnitudeIndex], -INFINITY);
  EXPECT_TRUE(std::isnan(sweep.get().points[2].values[kMagnitudeIndex]));
  EXPECT_EQ(sweep.get().points[0].values[3], 45.0f);
}

// The table-and-series logarithm against the definition: every 997th float of all 2^32
// (zeros, subnormals, negatives, infinities and NaNs among them) and every float within
// 2^16 steps of 1, where the logarithm is smallest and the fallback most often decides.
// (All 2^32 floats were compared once when it was written.)
TEST(SweepData, TheFastLogarithmGivesTheBitsOfLog10) {
  const auto check = [](std::uint32_t bits) {
    const float x = std::bit_cast<float>(bits);
    const float expected = static_cast<float>(std::log10(static_cast<double>(x)));
    const float got = RoundedLog10(x);
    return std::bit_cast<std::uint32_t>(got) == std::bit_cast<std::uint32_t>(expected) ||
           (std::isnan(got) && std::isnan(expected));
  };
  std::uint64_t wrong = 0;
  for (std::uint64_t bits = 0; bits <= 0xFFFFFFFF; bits += 997) wrong += !check(static_cast<std::uint32_t>(bits));
  for (std::uint32_t bits = 0x3F800000 - 0x10000; bits <= 0x3F800000 + 0x10000; ++bits) wrong += !check(bits);
  EXPECT_EQ(wrong, 0u);
}

TEST(SweepData, FreeReleasesEverythingAndEmptiesTheRecord) {
  // The sanitizer build reports any value block or point array left behind.
  SweepData sweep;
  AllocateSweepPoints(sweep, 3);
  AllocateSweepPoints(sweep, 2);  // replaces the three points
  EXPECT_EQ(sweep.points[1].values[kMagnitudeIndex], 0.0f);
  FreeSweepData(sweep);
  EXPECT_EQ(sweep.count, 0);
  EXPECT_EQ(sweep.points, nullptr);

  SweepData countWithoutPoints;
  countWithoutPoints.count = 5;
  ConvertMagnitudesToDecibel(countWithoutPoints);
  FreeSweepData(countWithoutPoints);
  EXPECT_EQ(countWithoutPoints.count, 0);
}

TEST(ScaleWithPrefix, ScalesIntoThePrefixRangeOrFlagsTheValue) {
  struct Case {
    double in;
    double out;
    const wchar_t* prefix;
  };
  for (const Case& c : {Case{150000, 150, L"k"}, Case{999, 999, L""}, Case{0, 0, L""},
                        Case{1000, 1, L"k"}, Case{2.5e6, 2.5, L"M"}, Case{1e9, 1, L"G"},
                        Case{7e12, 7, L"T"}, Case{-5, -5, L"?"}, Case{1e15, 1e15, L"?"}}) {
    double value = c.in;
    EXPECT_EQ(ScaleWithPrefix(value), c.prefix) << c.in;
    EXPECT_EQ(value, c.out) << c.in;
  }
  double nan = NAN;
  EXPECT_EQ(ScaleWithPrefix(nan), L"?");
  EXPECT_TRUE(std::isnan(nan));
}

// The searching reader against the defining scan: on random sweep pairs every magnitude
// read and every statistic must carry the same bits whichever way the magnitudes are read.
// (RelativeFactor is a function of CorrelationCoefficient alone and is left out.)

using ReadingStatistic = double (*)(double, double, const SweepData&, const SweepData&,
                                    const double*, int, MagnitudeReading);
const std::pair<const char*, ReadingStatistic> kStatistics[] = {
    {"CorrelationCoefficient", CorrelationCoefficient},
    {"MeanSquareDifference", MeanSquareDifference},
    {"MagnitudeDifferenceAtCrossing", MagnitudeDifferenceAtCrossing},
};

std::uint64_t Raw(double v) { return std::bit_cast<std::uint64_t>(v); }
std::string Bits(double v) {
  std::ostringstream text;
  text << v << " (0x" << std::hex << Raw(v) << ")";
  return text.str();
}

// Two sweeps of ascending frequencies log-spaced from about 1 kHz (often drawn from one
// ladder, so many are shared), sometimes with runs of a repeated frequency, out of order or
// with a NaN, and magnitudes with infinities and NaNs; their merged grid and four bands.
class RandomPair {
 public:
  explicit RandomPair(std::uint64_t seed) : rng_(seed) {
    const double longest = Chance(0.06) ? 5000 : 300;  // most are short: the scan is slow
    const int na = Length(longest), nb = Length(longest);
    std::vector<float> fa, fb;
    if (Chance(0.5)) {
      const std::vector<float> pool = Ladder(std::max(na, nb) * 3 / 2 + 1);
      std::sample(pool.begin(), pool.end(), std::back_inserter(fa), na, rng_);
      std::sample(pool.begin(), pool.end(), std::back_inserter(fb), nb, rng_);
    } else {
      fa = Ladder(na);
      fb = Ladder(nb);
    }
    if (Chance(0.3)) fa[0] = fb[0] = std::min(fa[0], fb[0]);
    for (std::vector<float>* f : {&fa, &fb}) Disorder(*f);
    a.emplace(fa, Magnitudes(fa.size()));
    b.emplace(fb, Magnitudes(fb.size()));
    grid = MergeFrequencies(a->get(), b->get(), count);
    for (int k = 0; k < 4; ++k) bands.push_back(Band());
  }

  // Frequencies to read a sweep at besides the grid: between, on and outside its points.
  std::vector<double> Extras(const SweepData& sweep) {
    std::vector<double> f{std::nan(""), INFINITY, -INFINITY, 0.0, -0.0, 1e-3, 1e9};
    const int n = PointCount(sweep);
    for (int k = 0; k < 40; ++k) {
      const int i = Index(n);
      const double fi = sweep.points[i].frequency, next = sweep.points[std::min(i + 1, n - 1)].frequency;
      f.push_back(Chance(0.5) ? fi : fi + (next - fi) * Uniform(0, 1));
    }
    std::shuffle(f.begin(), f.end(), rng_);
    return f;
  }

  std::optional<TestSweep> a, b;
  std::unique_ptr<double[]> grid;
  int count = 0;
  std::vector<std::pair<double, double>> bands;

 private:
  bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  double Uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(rng_); }
  int Index(int n) { return std::uniform_int_distribution<>(0, n - 1)(rng_); }
  int Length(double longest) {  // 2 to `longest` points, log-uniform
    return static_cast<int>(std::round(std::exp(Uniform(std::log(2), std::log(longest)))));
  }
  std::vector<float> Ladder(int n) {  // with jitter
    std::vector<float> f;
    double x = Uniform(500, 2000);
    const double step = std::pow(2000.0, 1.0 / n);
    for (int i = 0; i < n; ++i, x *= step * Uniform(0.9999, 1.0001)) f.push_back(float(x));
    std::sort(f.begin(), f.end());
    return f;
  }
  void Disorder(std::vector<float>& f) {
    const int n = static_cast<int>(f.size());
    const int runs = Chance(0.2) ? 5 : 0;  // of a repeated frequency
    for (int k = 0; k < runs; ++k) {
      const int i = Index(n);
      std::fill(f.begin() + i, f.begin() + std::min(n, i + 1 + Index(4)), f[i]);
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
    if (count == 0 || kind < 0.1) return std::exp(Uniform(std::log(100), std::log(1e7)));
    if (kind < 0.25) return grid[count - 1] * Uniform(1.0, 1.009);
    const double f = grid[Index(count)];
    if (kind < 0.45) return f * Uniform(0.98, 1.02);
    for (SweepData* sweep : {&a->get(), &b->get()}) {
      for (int i = 0; i < PointCount(*sweep); ++i) {
        if (sweep->points[i].frequency == f && Chance(0.3)) {
          sweep->points[i].values[kMagnitudeIndex] = Chance(0.5) ? INFINITY : -INFINITY;
        }
      }
    }
    return f;
  }
  std::pair<double, double> Band() {  // sometimes reversed
    if (count > 0 && Chance(0.15)) return {grid[0], grid[count - 1]};
    const double low = Edge(), high = Edge();
    return low > high && Chance(0.85) ? std::pair{high, low} : std::pair{low, high};
  }

  std::mt19937_64 rng_;
};

// A pair's order is checked once and answered while the scope lives, for these sweeps with
// these points only. (The readers' use of it is covered by the analyzers' stories.)
TEST(SweepOrder, AScopeAnswersForItsPairUntilItEndsOrTheirPointsChange) {
  TestSweep up({1.0f, 2.0f, 2.0f}, {0.0f, 0.0f, 0.0f});
  TestSweep down({2.0f, 1.0f, 3.0f}, {10.0f, 20.0f, 30.0f});
  EXPECT_EQ(KnownAscending(up.get()), std::nullopt);
  {
    const SweepOrderScope order(up.get(), down.get());
    EXPECT_EQ(KnownAscending(up.get()), true);
    EXPECT_EQ(KnownAscending(down.get()), false);
    EXPECT_EQ(MagnitudeReader(down.get(), MagnitudeReading::kSearch).At(1.5), 22.5);  // the scan's
    AllocateSweepPoints(down.get(), 2);
    EXPECT_EQ(KnownAscending(down.get()), std::nullopt);
  }
  EXPECT_EQ(KnownAscending(up.get()), std::nullopt);
}

TEST(MagnitudeReading, SearchGivesTheBitsOfTheScanOnRandomSweepPairs) {
  for (int p = 0; p < 400; ++p) {
    SCOPED_TRACE("pair " + std::to_string(p));
    RandomPair pair(p);
    for (const SweepData* sweep : {&pair.a->get(), &pair.b->get()}) {
      // One reader: the grid points in order, then the extras in theirs.
      MagnitudeReader reader(*sweep, MagnitudeReading::kSearch);
      std::vector<double> frequencies(pair.grid.get(), pair.grid.get() + pair.count);
      for (double f : pair.Extras(*sweep)) frequencies.push_back(f);
      for (double f : frequencies) {
        const double searched = reader.At(f), scanned = InterpolateMagnitude(*sweep, f);
        ASSERT_EQ(Raw(searched), Raw(scanned)) << "at " << Bits(f) << ": searched " << Bits(searched)
                                               << ", scanned " << Bits(scanned) << "; "
                                               << PointCount(*sweep) << " points";
      }
    }
    for (const auto& [low, high] : pair.bands) {
      for (const auto& [name, statistic] : kStatistics) {
        const auto at = [&](MagnitudeReading reading) {
          return statistic(low, high, pair.a->get(), pair.b->get(), pair.grid.get(), pair.count, reading);
        };
        ASSERT_EQ(Bits(at(MagnitudeReading::kSearch)), Bits(at(MagnitudeReading::kScan)))
            << name << " over " << low << " .. " << high;
      }
    }
  }
}

}  // namespace
