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
  if (!frequencies_.empty()) {
    const float previous = frequencies_.back();
    const float step = point.frequency - previous;
    if (step == 0.0f) {
      throw SweepFileError(file_, line,
                           "frequency " + Hz(point.frequency) + " repeats line " +
                               std::to_string(previousLine_));
    }
    if (frequencies_.size() == 1) descending_ = step < 0.0f;
    if ((step < 0.0f) != descending_) {
      throw SweepFileError(file_, line,
                           "frequency " + Hz(point.frequency) + " follows " + Hz(previous) +
                               " on line " + std::to_string(previousLine_) +
                               "; points must be wholly ascending or wholly descending");
    }
  }
  frequencies_.push_back(point.frequency);
  readings_.push_back({point.magnitudeRatio, point.phaseDegrees});
  previousLine_ = line;
}

SweepPoints SweepBuilder::Finish(int lineCount) {
  if (frequencies_.size() < 2) {
    throw SweepFileError(file_, std::max(lineCount, 1), "a sweep needs at least 2 points, found " +
                                                            std::to_string(frequencies_.size()));
  }
  if (descending_) {
    std::reverse(frequencies_.begin(), frequencies_.end());
    std::reverse(readings_.begin(), readings_.end());
  }
  // A reservation far above the count (a file of mostly blank lines) is given back.
  if (frequencies_.capacity() / 2 > frequencies_.size()) {
    frequencies_.shrink_to_fit();
    readings_.shrink_to_fit();
  }
  return SweepPoints(std::move(frequencies_), std::move(readings_));
}

}  // namespace orlo::host
