#include "host/sweeps/PointValues.h"

#include "module/comparison/SweepData.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace orlo::host {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// DecibelToRatio first estimates the ratio as 2^e, e = decibels * log2(10) / 20, split into
// e = k + j/64 + r (integers k and j, 0 <= j < 64, |r| <= 1/128): 2^k is exact,
// 2^(j/64) comes from a table, and 2^r = exp(r ln 2) from its Taylor series to degree 4.
// For |decibels| <= kEstimateRange the estimate is within a relative 2^-42.9 of what
// std::pow gives:
//  - e against log2(10) * (decibels / 20) as pow sees it: three roundings (the constant,
//    the product, pow's quotient) of |e| <= 167, at most 167 * 3 * 2^-53 < 2^-44 absolute,
//    so a relative 2^-44 in the ratio;
//  - the series: |r ln 2| < 0.00542, remainder below 0.00542^5 / 120 * 1.006 < 2^-44;
//  - the table entries (exp2 within one ulp), the series' and the products' roundings:
//    together below 12 * 2^-53 < 2^-49;
//  - std::pow itself, within one ulp of the exact power: 2^-52.
// Every value within kEstimateError of the estimate, std::pow's result among them, rounds
// to the same float when both ends of that interval do (rounding to float is monotonic);
// otherwise, for about one value in 60 000 and beyond the range, std::pow decides.
constexpr double kEstimateRange = 1000.0;  // dB; beyond the float range from +-898 dB on
constexpr double kEstimateError = 0x1p-40;
constexpr double kExponentPerDecibel = 0.16609640474436811739;  // log2(10) / 20, rounded once
constexpr int kTableBits = 6;
constexpr int kTableSteps = 1 << kTableBits;
// Adding and subtracting it rounds a double below 2^51 in magnitude to an integer.
constexpr double kRoundingShift = 0x1.8p52;

const std::array<double, kTableSteps> kPowersOfTwo = [] {
  std::array<double, kTableSteps> powers{};
  for (int j = 0; j < kTableSteps; ++j) powers[j] = std::exp2(double(j) / kTableSteps);
  return powers;
}();

// 2^(decibels * log2(10) / 20), for |decibels| <= kEstimateRange.
double EstimateRatio(double decibels) {
  const double exponent = decibels * kExponentPerDecibel;
  const double steps = (exponent * kTableSteps + kRoundingShift) - kRoundingShift;
  const double r = (exponent - steps / kTableSteps) * std::numbers::ln2;  // the difference is exact
  const double series = 1.0 + r * (1.0 + r * (1.0 / 2 + r * (1.0 / 6 + r * (1.0 / 24))));
  const auto step = static_cast<std::int64_t>(steps);
  const auto powerOfTwo = std::bit_cast<double>(std::uint64_t((step >> kTableBits) + 1023) << 52);
  return kPowersOfTwo[size_t(step & (kTableSteps - 1))] * series * powerOfTwo;
}

}  // namespace

float DecibelToRatio(double decibels) {
  if (std::fabs(decibels) <= kEstimateRange) {
    const double estimate = EstimateRatio(decibels);
    const auto low = static_cast<float>(estimate * (1.0 - kEstimateError));
    const auto high = static_cast<float>(estimate * (1.0 + kEstimateError));
    if (low == high) return low;
  }
  return static_cast<float>(std::pow(10.0, decibels / 20.0));
}

Sweep::Point PolarPoint(double frequency, double ratio, double phaseDegrees) {
  return {static_cast<float>(frequency), static_cast<float>(ratio),
          static_cast<float>(phaseDegrees)};
}

Sweep::Point CartesianPoint(double frequency, double real, double imaginary) {
  return PolarPoint(frequency, std::hypot(real, imaginary),
                    std::atan2(imaginary, real) / kRadiansPerDegree);
}

std::array<float, 2> ComplexParts(const Sweep::Point& point) {
  const double ratio = point.magnitudeRatio;
  const double radians = point.phaseDegrees * kRadiansPerDegree;
  return {static_cast<float>(ratio * std::cos(radians)), static_cast<float>(ratio * std::sin(radians))};
}

}  // namespace orlo::host
