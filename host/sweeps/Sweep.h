// Sweep: one imported sweep as the host holds it in memory.
//
// A plain value: the name shown to the user (the file stem, made unique within one load),
// the file it came from (both as valid UTF-8: bytes of the file name that are not UTF-8
// show as U+FFFD), and its points in strictly ascending frequency (at least 2).
// Every float is finite and every frequency above 0. A point keeps what was measured,
// magnitude and phase; sweeps on the same frequency grid can share its array (SweepPoints).
// The graph plug-in derives the value block the module reads from it (FillValueBlock in
// host/sweeps/PointValues.h).
#pragma once

#include "host/sweeps/SweepPoints.h"

#include <string>

namespace orlo::host {

struct Sweep {
  using Point = MeasuredPoint;

  std::string name;
  std::string file;
  SweepPoints points;
};

}  // namespace orlo::host
