// LtspiceImporter: reads the text export of an LTspice AC analysis.
//
// Line 1 is the header "Freq." followed by the trace names; the delimiter is a tab when
// the header has one, else a comma. Each data line holds the frequency and one value per
// trace, of which only the first is read: polar "(<m>dB,<p>°)" with the magnitude in dB
// and the phase in degrees, or Cartesian "<re>,<im>"; values may be enclosed in double
// quotes. The degree sign may be UTF-8 or a single Latin-1 byte (0xB0). Blank lines are
// skipped; of a stepped analysis only the first run is read.
#pragma once

#include "host/sweeps/SweepBuilder.h"
#include "host/sweeps/TextLines.h"

namespace orlo::host {

// Reads the lines left in `lines`, the next being the header, and adds each point to
// `points`, which names the file in errors. Throws SweepFileError.
void ReadLtspiceSweep(TextLines& lines, SweepBuilder& points);

}  // namespace orlo::host
