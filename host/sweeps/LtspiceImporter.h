// LtspiceImporter: reads the text export of an LTspice AC analysis.
//
// Line 1 is the header "Freq." followed by the trace names; the delimiter is a tab when
// the header has one, else a comma. Each data line holds the frequency and one value per
// trace, of which only the first is read: polar "(<m>dB,<p>°)" with the magnitude in dB
// and the phase in degrees, or Cartesian "<re>,<im>"; values may be enclosed in double
// quotes. The degree sign may be UTF-8 or a single Latin-1 byte (0xB0). Blank lines are
// skipped; of a stepped analysis only the first run is read.
#pragma once

#include "host/sweeps/ImportedPoint.h"

#include <string>
#include <vector>

namespace orlo::host {

// `lines` are the file's lines without line ends (line n at index n-1), the first being
// the header; `file` names the file in errors. Answers the points in file order; throws
// SweepFileError.
std::vector<ImportedPoint> ReadLtspiceSweep(const std::vector<std::string>& lines,
                                            const std::string& file);

}  // namespace orlo::host
