#include "host/sweeps/PointValues.h"

#include "module/comparison/SweepData.h"

#include <cmath>
#include <numbers>

namespace orlo::host {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

}  // namespace

double DecibelToRatio(double decibels) { return std::pow(10.0, decibels / 20.0); }

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

void FillValueBlock(const Sweep::Point& point, const std::array<float, 2>& parts, float* block) {
  block[0] = parts[0];
  block[1] = parts[1];
  block[kMagnitudeIndex] = point.magnitudeRatio;
  block[3] = point.phaseDegrees;
}

}  // namespace orlo::host
