// Sweep: one imported sweep as the host holds it in memory.
//
// A plain value: the name shown to the user (the file stem, made unique within one load),
// the file it came from (both as valid UTF-8: bytes of the file name that are not UTF-8
// show as U+FFFD), and its points in strictly ascending frequency (at least 2).
// Every float is finite and every frequency above 0. Each point's value block follows
// the layout the module expects of SweepData: [0] real part, [1] imaginary part,
// [2] magnitude as a linear ratio, [3] phase in degrees.
#pragma once

#include <string>
#include <vector>

namespace orlo::host {

struct Sweep {
  struct Point {
    float frequency = 0.0f;  // Hz
    float values[4] = {};
  };

  static constexpr int kReal = 0;
  static constexpr int kImaginary = 1;
  static constexpr int kMagnitudeRatio = 2;
  static constexpr int kPhaseDegrees = 3;

  std::string name;
  std::string file;
  std::vector<Point> points;
};

}  // namespace orlo::host
