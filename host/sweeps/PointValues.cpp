#include "host/sweeps/PointValues.h"

#include <cmath>
#include <numbers>

namespace orlo::host {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

Sweep::Point MakePoint(double frequency, double real, double imaginary, double ratio,
                       double phaseDegrees) {
  Sweep::Point point;
  point.frequency = static_cast<float>(frequency);
  point.values[Sweep::kReal] = static_cast<float>(real);
  point.values[Sweep::kImaginary] = static_cast<float>(imaginary);
  point.values[Sweep::kMagnitudeRatio] = static_cast<float>(ratio);
  point.values[Sweep::kPhaseDegrees] = static_cast<float>(phaseDegrees);
  return point;
}

}  // namespace

double DecibelToRatio(double decibels) { return std::pow(10.0, decibels / 20.0); }

Sweep::Point PolarPoint(double frequency, double ratio, double phaseDegrees) {
  const double radians = phaseDegrees * kRadiansPerDegree;
  return MakePoint(frequency, ratio * std::cos(radians), ratio * std::sin(radians), ratio,
                   phaseDegrees);
}

Sweep::Point CartesianPoint(double frequency, double real, double imaginary) {
  return MakePoint(frequency, real, imaginary, std::hypot(real, imaginary),
                   std::atan2(imaginary, real) / kRadiansPerDegree);
}

}  // namespace orlo::host
