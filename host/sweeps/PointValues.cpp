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

void FillValueBlock(const Sweep::Point& point, float* block) {
  const double ratio = point.magnitudeRatio;
  const double radians = point.phaseDegrees * kRadiansPerDegree;
  block[0] = static_cast<float>(ratio * std::cos(radians));
  block[1] = static_cast<float>(ratio * std::sin(radians));
  block[kMagnitudeIndex] = point.magnitudeRatio;
  block[3] = point.phaseDegrees;
}

}  // namespace orlo::host
