// Sweep: one imported sweep as the host holds it in memory.
//
// A plain value: the name shown to the user (the file stem, made unique within one load),
// the file it came from (both as valid UTF-8: bytes of the file name that are not UTF-8
// show as U+FFFD), and its points in strictly ascending frequency (at least 2).
// Every float is finite and every frequency above 0. A point keeps what was measured,
// magnitude and phase, in 12 bytes; the graph plug-in derives the value block the module
// reads from it (ValueBlock in host/sweeps/PointValues.h).
#pragma once

#include <string>
#include <vector>

namespace orlo::host {

struct Sweep {
  struct Point {
    float frequency = 0.0f;       // Hz
    float magnitudeRatio = 0.0f;  // linear, not dB
    float phaseDegrees = 0.0f;
  };

  std::string name;
  std::string file;
  std::vector<Point> points;
};

}  // namespace orlo::host
