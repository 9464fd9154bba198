#include "module/comparison/SweepStatistics.h"

#include <cmath>
#include <optional>

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

// Calls visit(a, b) with the magnitudes of both sweeps at the grid points first .. first + n - 1,
// in that order. A statistic that needs the points twice visits them twice: reading them again
// costs less than holding a copy of a band that can span most of a million-point grid.
template <typename Visit>
void VisitBand(const SweepData& a, const SweepData& b, const double* freqs, int first, int n,
               MagnitudeReading reading, Visit visit) {
  MagnitudeReader readerA(a, reading);
  MagnitudeReader readerB(b, reading);
  for (int k = first; k < first + n; ++k) {
    const double f = freqs[k];
    visit(readerA.At(f), readerB.At(f));
  }
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

  double sumA = 0.0;
  double sumB = 0.0;
  VisitBand(a, b, freqs, edges.low, n, reading, [&](double va, double vb) {
    sumA += va;
    sumB += vb;
  });
  const double reciprocal = 1.0 / n;
  const double meanA = reciprocal * sumA;
  const double meanB = reciprocal * sumB;
  double sumAA = 0.0;  // the three sums of co-deviations, each in index order
  double sumBB = 0.0;
  double sumAB = 0.0;
  VisitBand(a, b, freqs, edges.low, n, reading, [&](double va, double vb) {
    sumAA += (va - meanA) * (va - meanA);
    sumBB += (vb - meanB) * (vb - meanB);
    sumAB += (va - meanA) * (vb - meanB);
  });
  const double varA = reciprocal * sumAA;
  const double varB = reciprocal * sumBB;
  const double cov = sumAB;
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

  double sum = 0.0;
  VisitBand(a, b, freqs, edges.low, n > 0 ? n + 1 : 0, reading, [&](double va, double vb) {
    const double d = va - vb;
    sum += d * d;
  });
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

  int k = 0;
  int fallen = -1;  // first point at or below the level
  int risen = -1;   // first point at or above the level
  double firstDifference = 0.0;
  double fallenDifference = 0.0;
  double lastDifference = 0.0;
  VisitBand(a, b, freqs, edges.low, n, reading, [&](double va, double vb) {
    const double difference = va - vb;
    if (k == 0) {
      firstDifference = difference;
    }
    if (fallen < 0 && va <= kCrossingLevel) {
      fallen = k;
      fallenDifference = difference;
    }
    if (risen < 0 && va >= kCrossingLevel) {
      risen = k;
    }
    lastDifference = difference;
    ++k;
  });

  if (fallen > 0) {
    return fallenDifference;
  }
  if (risen < 0) {
    return firstDifference;
  }
  if (fallen < 0) {
    return lastDifference;
  }
  return STAT_UNDEFINED;
}
