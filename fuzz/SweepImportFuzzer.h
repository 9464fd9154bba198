// The check both sweep-file fuzz targets make: importing any text either gives a sweep the
// analyzers can use or throws SweepFileError naming the file; anything else is a finding.
#pragma once

#include "host/sweeps/SweepImport.h"
#include "host/sweeps/SweepFileError.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

namespace orlo::fuzz {

inline void CheckSweepImport(std::string_view text) {
  constexpr const char* kFile = "fuzz.csv";
  try {
    const host::Sweep sweep = host::ImportSweepText(text, kFile);
    if (sweep.points.size() < 2) std::abort();
    for (size_t i = 0; i < sweep.points.size(); ++i) {
      const host::Sweep::Point& point = sweep.points[i];
      if (!(point.frequency > 0.0f) || !std::isfinite(point.frequency)) std::abort();
      for (float value : point.values) {
        if (!std::isfinite(value)) std::abort();
      }
      if (i > 0 && !(sweep.points[i - 1].frequency < point.frequency)) std::abort();
    }
  } catch (const host::SweepFileError& error) {
    if (!std::string_view(error.what()).starts_with(kFile)) std::abort();
  }
}

}  // namespace orlo::fuzz
