#include "module/comparison/SweepStatistics.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr double kEdgeTolerance = 0.01;
constexpr double kCrossingEdgeTolerance = 0.1;
constexpr double kCrossingLevel = -20.0;
constexpr double kFullAgreementFactor = 10.0;
// 1 - rho below this counts as complete agreement.
constexpr double kSmallestDisagreement = static_cast<double>(1e-10f);

// Grid indices of a band's two edges, or the marker that says which edge is missing.
struct BandEdges {
  int low = -1;
  int high = -1;
  std::optional<double> missing;
};

BandEdges PlaceBandEdges(double fLow, double fHigh, const double* freqs, int count,
                         double tolerance) {
  BandEdges edges;
  edges.low = FindNearIndex(fLow, freqs, count, tolerance);
  if (edges.low < 0) {
    edges.missing = STAT_NO_LOW_EDGE;
    return edges;
  }
  edges.high = FindNearIndex(fHigh, freqs, count, tolerance);
  if (edges.high < 0) {
    edges.missing = STAT_NO_HIGH_EDGE;
  }
  return edges;
}

// Magnitudes of both sweeps at the grid points first .. first + n - 1.
struct BandSamples {
  std::vector<double> a;
  std::vector<double> b;
};

BandSamples SampleBand(const SweepData& a, const SweepData& b, const double* freqs, int first,
                       int n, MagnitudeReading reading) {
  BandSamples samples;
  samples.a.reserve(n);
  samples.b.reserve(n);
  MagnitudeReader readerA(a, reading);
  MagnitudeReader readerB(b, reading);
  for (int k = 0; k < n; ++k) {
    samples.a.push_back(readerA.At(freqs[first + k]));
    samples.b.push_back(readerB.At(freqs[first + k]));
  }
  return samples;
}

double Mean(const std::vector<double>& values) {
  double sum = 0.0;
  for (double v : values) {
    sum += v;
  }
  return (1.0 / static_cast<double>(values.size())) * sum;
}

// Sum over k of (x_k - meanX)(y_k - meanY), in index order.
double SumOfCoDeviations(const std::vector<double>& x, double meanX, const std::vector<double>& y,
                         double meanY) {
  double sum = 0.0;
  for (std::size_t k = 0; k < x.size(); ++k) {
    sum += (x[k] - meanX) * (y[k] - meanY);
  }
  return sum;
}

}  // namespace

double CorrelationCoefficient(double fLow, double fHigh, const SweepData& a, const SweepData& b,
                              const double* freqs, int count, MagnitudeReading reading) {
  const BandEdges edges = PlaceBandEdges(fLow, fHigh, freqs, count, kEdgeTolerance);
  if (edges.missing) {
    return *edges.missing;
  }
  const int n = edges.high - edges.low;
  if (n <= 0) {
    return STAT_UNDEFINED;
  }

  const BandSamples samples = SampleBand(a, b, freqs, edges.low, n, reading);
  const double reciprocal = 1.0 / n;
  const double meanA = Mean(samples.a);
  const double meanB = Mean(samples.b);
  const double varA = reciprocal * SumOfCoDeviations(samples.a, meanA, samples.a, meanA);
  const double varB = reciprocal * SumOfCoDeviations(samples.b, meanB, samples.b, meanB);
  const double cov = SumOfCoDeviations(samples.a, meanA, samples.b, meanB);
  const double s = std::sqrt(varA * varB);
  if (std::fabs(s) > 0) {
    return (reciprocal * cov) / s;
  }
  return STAT_UNDEFINED;
}

double RelativeFactorFromCorrelation(double rho) {
  const double d = 1.0 - rho;
  if (kSmallestDisagreement > d) {
    return kFullAgreementFactor;
  }
  return -std::log10(d);
}

double RelativeFactor(double fLow, double fHigh, const SweepData& a, const SweepData& b,
                      const double* freqs, int count, MagnitudeReading reading) {
  return RelativeFactorFromCorrelation(
      CorrelationCoefficient(fLow, fHigh, a, b, freqs, count, reading));
}

double MeanSquareDifference(double fLow, double fHigh, const SweepData& a, const SweepData& b,
                            const double* freqs, int count, MagnitudeReading reading) {
  const BandEdges edges = PlaceBandEdges(fLow, fHigh, freqs, count, kEdgeTolerance);
  if (edges.missing) {
    return *edges.missing;
  }
  const int n = edges.high - edges.low;
  if (n == 0) {
    return STAT_UNDEFINED;
  }

  const BandSamples samples = SampleBand(a, b, freqs, edges.low, n > 0 ? n + 1 : 0, reading);
  double sum = 0.0;
  for (std::size_t k = 0; k < samples.a.size(); ++k) {
    const double d = samples.a[k] - samples.b[k];
    sum += d * d;
  }
  return sum / n;
}

double MagnitudeDifferenceAtCrossing(double fLow, double fHigh, const SweepData& a,
                                     const SweepData& b, const double* freqs, int count,
                                     MagnitudeReading reading) {
  const BandEdges edges = PlaceBandEdges(fLow, fHigh, freqs, count, kCrossingEdgeTolerance);
  if (edges.missing) {
    return *edges.missing;
  }
  const int n = edges.high - edges.low;
  if (n <= 0) {
    return STAT_UNDEFINED;
  }

  const BandSamples samples = SampleBand(a, b, freqs, edges.low, n, reading);
  int fallen = -1;  // first point at or below the level
  int risen = -1;   // first point at or above the level
  for (int k = 0; k < n; ++k) {
    if (fallen < 0 && samples.a[k] <= kCrossingLevel) {
      fallen = k;
    }
    if (risen < 0 && samples.a[k] >= kCrossingLevel) {
      risen = k;
    }
  }

  if (fallen > 0) {
    return samples.a[fallen] - samples.b[fallen];
  }
  if (risen < 0) {
    return samples.a[0] - samples.b[0];
  }
  if (fallen < 0) {
    return samples.a[n - 1] - samples.b[n - 1];
  }
  return STAT_UNDEFINED;
}
