// The check the sweep-file fuzz targets make: importing any text as `file` (whose name
// may pick the importer) either gives a sweep the analyzers can use or throws
// SweepFileError naming the file in one short, printable line; anything else is a finding.
#pragma once

#include "host/sweeps/SweepImport.h"
#include "host/sweeps/SweepFileError.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace orlo::fuzz {

inline void CheckSweepImport(std::string_view text, const std::string& file = "fuzz.csv") {
  try {
    const host::Sweep sweep = host::ImportSweepText(text, file);
    if (sweep.points.size() < 2) std::abort();
    for (size_t i = 0; i < sweep.points.size(); ++i) {
      const host::Sweep::Point& point = sweep.points[i];
      if (!(point.frequency > 0.0f) || !std::isfinite(point.frequency)) std::abort();
      if (!std::isfinite(point.magnitudeRatio) || !std::isfinite(point.phaseDegrees)) {
        std::abort();
      }
      if (i > 0 && !(sweep.points[i - 1].frequency < point.frequency)) std::abort();
    }
  } catch (const host::SweepFileError& error) {
    constexpr size_t kLongestMessage = 300;  // the longest reason with two quoted excerpts
    const std::string_view message = error.what();
    if (!message.starts_with(file) || message.size() > kLongestMessage) std::abort();
    for (const char c : message) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) std::abort();
    }
  }
}

}  // namespace orlo::fuzz
