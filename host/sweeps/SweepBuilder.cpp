#include "host/sweeps/SweepBuilder.h"

#include "host/sweeps/SweepFileError.h"
#include "platform/common/NumberText.h"

#include <algorithm>
#include <cmath>

namespace orlo::host {

namespace {

bool IsStoredInRange(const Sweep::Point& point) {
  return point.frequency > 0.0f && std::isfinite(point.frequency) &&
         std::isfinite(point.magnitudeRatio) && std::isfinite(point.phaseDegrees);
}

std::string Hz(float frequency) { return FormatShortest(frequency) + " Hz"; }

}  // namespace

void SweepBuilder::Add(const Sweep::Point& point, int line) {
  if (!IsStoredInRange(point)) throw SweepFileError(file_, line, "a number is beyond single precision");
  if (!points_.empty()) {
    const float previous = points_.back().frequency;
    const float step = point.frequency - previous;
    if (step == 0.0f) {
      throw SweepFileError(file_, line,
                           "frequency " + Hz(point.frequency) + " repeats line " +
                               std::to_string(previousLine_));
    }
    if (points_.size() == 1) descending_ = step < 0.0f;
    if ((step < 0.0f) != descending_) {
      throw SweepFileError(file_, line,
                           "frequency " + Hz(point.frequency) + " follows " + Hz(previous) +
                               " on line " + std::to_string(previousLine_) +
                               "; points must be wholly ascending or wholly descending");
    }
  }
  points_.push_back(point);
  previousLine_ = line;
}

std::vector<Sweep::Point> SweepBuilder::Finish(int lineCount) {
  if (points_.size() < 2) {
    throw SweepFileError(file_, std::max(lineCount, 1),
                         "a sweep needs at least 2 points, found " + std::to_string(points_.size()));
  }
  if (descending_) std::reverse(points_.begin(), points_.end());
  // A reservation far above the count (a file of mostly blank lines) is given back.
  if (points_.capacity() / 2 > points_.size()) points_.shrink_to_fit();
  return std::move(points_);
}

}  // namespace orlo::host
