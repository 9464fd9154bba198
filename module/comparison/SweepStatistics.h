// SweepStatistics: the statistics that compare two sweeps over one frequency band.
//
// Every statistic takes the band (fLow, fHigh) in Hz, the reference sweep `a`, the compared
// sweep `b` (magnitudes already in dB, points in ascending frequency) and their common grid
// (freqs, count) from MergeFrequencies. The band edges are placed on the grid with
// FindNearIndex; an edge that cannot be placed gives STAT_NO_LOW_EDGE (tested first) or
// STAT_NO_HIGH_EDGE. Results are pure functions of the inputs and reproducible bit for bit:
// sums run in index order in double and formulas are evaluated in the order documented
// (the module is compiled without floating-point contraction).
//
// The magnitudes at the grid points are read with a MagnitudeReader per sweep; `reading`
// picks its way and never changes a result. Without it a statistic reads the analyzers' way,
// kSearch: O(span + log n) on sweeps in ascending order. kScan (the reference, and the
// default of a build with ORLO_LITERAL_ARITHMETIC) costs the span times the sweep length.
#pragma once

#include "module/comparison/FrequencyGrid.h"
#include "module/comparison/MagnitudeReader.h"
#include "module/comparison/SweepData.h"
#include "module/core/AnalyzerReadout.h"

// Marker results. Every statistic at or above STAT_NO_LOW_EDGE is not a measurement (the
// limit the readout tells hosts, kBandValueMarkerLimit).
constexpr double STAT_NO_LOW_EDGE = kBandValueMarkerLimit;          // lower edge not on the grid
constexpr double STAT_NO_HIGH_EDGE = static_cast<double>(3.1e38f);  // upper edge not on the grid
constexpr double STAT_UNDEFINED = 9e99;  // zero variance, empty span or no defined crossing

// Pearson correlation coefficient of the two sweeps over grid points i1 .. i2 - 1, where
// i1 and i2 are the grid points of the band edges within 1 %. STAT_UNDEFINED when the span
// is empty (i2 <= i1) or the product of the variances is zero or NaN.
double CorrelationCoefficient(double fLow, double fHigh, const SweepData& a, const SweepData& b,
                              const double* freqs, int count, MagnitudeReading reading);
inline double CorrelationCoefficient(double fLow, double fHigh, const SweepData& a,
                                     const SweepData& b, const double* freqs, int count) {
  return CorrelationCoefficient(fLow, fHigh, a, b, freqs, count, kDefaultMagnitudeReading);
}

// The relative factor R = -log10(1 - rho) of a correlation coefficient rho; 10.0 when
// 1 - rho is below 1e-10 (single precision), which includes every marker; NaN for NaN rho.
double RelativeFactorFromCorrelation(double rho);

// RelativeFactorFromCorrelation of the CorrelationCoefficient over the band.
double RelativeFactor(double fLow, double fHigh, const SweepData& a, const SweepData& b,
                      const double* freqs, int count, MagnitudeReading reading);
inline double RelativeFactor(double fLow, double fHigh, const SweepData& a, const SweepData& b,
                             const double* freqs, int count) {
  return RelativeFactor(fLow, fHigh, a, b, freqs, count, kDefaultMagnitudeReading);
}

// Sum of the squared magnitude differences over grid points i1 .. i2 inclusive (edges within
// 1 %), divided by N = i2 - i1 (not by the N + 1 points summed). STAT_UNDEFINED for N = 0;
// for i2 < i1 nothing is summed and the result is 0 / N, that is -0.0.
double MeanSquareDifference(double fLow, double fHigh, const SweepData& a, const SweepData& b,
                            const double* freqs, int count, MagnitudeReading reading);
inline double MeanSquareDifference(double fLow, double fHigh, const SweepData& a,
                                   const SweepData& b, const double* freqs, int count) {
  return MeanSquareDifference(fLow, fHigh, a, b, freqs, count, kDefaultMagnitudeReading);
}

// Magnitude difference a - b where the reference `a` crosses -20 dB, over grid points
// i1 .. i2 - 1 (edges within 10 %): at the first point at or below -20 dB when that is not
// the first point of the span; at the first point when `a` stays below -20 dB throughout;
// at the last point when `a` never falls to -20 dB. STAT_UNDEFINED when `a` starts at or
// below -20 dB and rises to it later (no defined crossing), and also for an empty or
// reversed span (i2 <= i1), which has no point to read.
double MagnitudeDifferenceAtCrossing(double fLow, double fHigh, const SweepData& a,
                                     const SweepData& b, const double* freqs, int count,
                                     MagnitudeReading reading);
inline double MagnitudeDifferenceAtCrossing(double fLow, double fHigh, const SweepData& a,
                                            const SweepData& b, const double* freqs, int count) {
  return MagnitudeDifferenceAtCrossing(fLow, fHigh, a, b, freqs, count, kDefaultMagnitudeReading);
}
