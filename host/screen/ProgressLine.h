// ProgressLine: the one-line progress display of `orlo screen` on the standard error:
// "screening: 120/1000 sets, 85.3 sets/s, 10 s left". It is redrawn in place (carriage
// return, then the line, then "erase to the end of the line"), at most kRedrawsPerSecond
// times a second and once more when the last set is done, and wiped by Finish so that what
// follows starts on a clean line. A disabled display writes nothing.
#pragma once

#include <chrono>
#include <cstddef>
#include <iosfwd>

namespace orlo::host {

class ProgressLine {
 public:
  static constexpr int kRedrawsPerSecond = 4;

  ProgressLine(std::ostream& out, size_t total, bool enabled);

  void Update(size_t done);
  void Finish();

 private:
  using Clock = std::chrono::steady_clock;

  std::ostream& out_;
  size_t total_;
  bool enabled_;
  bool shown_ = false;
  Clock::time_point start_;
  Clock::time_point lastDrawn_;
};

}  // namespace orlo::host
