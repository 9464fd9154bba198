#include "host/sweeps/SweepPoints.h"

#include <cstring>

namespace orlo::host {

SweepPoints::SweepPoints(const std::vector<MeasuredPoint>& points) {
  std::vector<float> frequencies;
  std::vector<Reading> readings;
  frequencies.reserve(points.size());
  readings.reserve(points.size());
  for (const MeasuredPoint& point : points) {
    frequencies.push_back(point.frequency);
    readings.push_back({point.magnitudeRatio, point.phaseDegrees});
  }
  *this = SweepPoints(std::move(frequencies), std::move(readings));
}

SweepPoints::SweepPoints(std::vector<float> frequencies, std::vector<Reading> readings)
    : frequencies_(std::make_shared<const std::vector<float>>(std::move(frequencies))),
      readings_(std::make_shared<const std::vector<Reading>>(std::move(readings))) {}

bool SweepPoints::ShareFrequencies(const SweepPoints& other) {
  if (frequencies_ == nullptr || other.frequencies_ == nullptr) return false;
  const std::vector<float>& mine = *frequencies_;
  const std::vector<float>& theirs = *other.frequencies_;
  if (frequencies_ != other.frequencies_ &&
      (mine.size() != theirs.size() ||
       std::memcmp(mine.data(), theirs.data(), mine.size() * sizeof(float)) != 0)) {
    return false;
  }
  frequencies_ = other.frequencies_;
  return true;
}

}  // namespace orlo::host
