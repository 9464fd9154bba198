// DelimitedImporter: reads the generic delimited text format of sweep files.
//
// Lines starting with '#' and blank lines are skipped. The first other line is a header
// when its first field is not a number; it also fixes the delimiter: tab, else ';', else
// ',', else runs of blanks. With ';' a decimal comma is accepted. Columns: frequency (Hz),
// magnitude, optional phase (degrees, 0 when absent); every data line has as many fields
// as the first. Magnitudes are dB unless the header's magnitude column says "ratio" or
// "linear" (any case); a ratio must not be negative.
#pragma once

#include "host/sweeps/SweepBuilder.h"
#include "host/sweeps/TextLines.h"

namespace orlo::host {

// Reads every line left in `lines` and adds its point to `points`, which names the file in
// errors. Throws SweepFileError.
void ReadDelimitedSweep(TextLines& lines, SweepBuilder& points);

}  // namespace orlo::host
