// SweepBuilder: collects the points an importer reads from one file, checking each as it
// arrives, and answers them in ascending frequency.
//
// A point is refused (SweepFileError on its line) when a number is beyond single
// precision or the frequency is not above 0, when its frequency repeats the previous
// one, or when it breaks the direction the first two points set: a file is wholly
// ascending or wholly descending (then reversed). So the first fault in the file is the
// one reported, and no more than the points themselves is kept.
#pragma once

#include "host/sweeps/Sweep.h"

#include <string>
#include <vector>

namespace orlo::host {

class SweepBuilder {
 public:
  // `file` names the file in errors; it must outlive the builder.
  explicit SweepBuilder(const std::string& file) : file_(file) {}

  const std::string& File() const { return file_; }

  // Makes room for `points` points at once (an upper bound saves regrowing).
  void Reserve(size_t points) {
    frequencies_.reserve(points);
    readings_.reserve(points);
  }

  // Adds the point read on line `line`. Throws SweepFileError.
  void Add(const Sweep::Point& point, int line);

  // The points in ascending order; throws SweepFileError on line max(lineCount, 1) when
  // there are fewer than 2. Leaves the builder empty.
  SweepPoints Finish(int lineCount);

 private:
  const std::string& file_;
  std::vector<float> frequencies_;
  std::vector<SweepPoints::Reading> readings_;
  int previousLine_ = 0;
  bool descending_ = false;
};

}  // namespace orlo::host
