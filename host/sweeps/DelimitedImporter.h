// DelimitedImporter: reads the generic delimited text format of sweep files.
//
// Lines starting with '#' and blank lines are skipped. The first other line is a header
// when its first field is not a number; it also fixes the delimiter: tab, else ';', else
// ',', else runs of blanks. With ';' a decimal comma is accepted. Columns: frequency (Hz),
// magnitude, optional phase (degrees, 0 when absent); every data line has as many fields
// as the first. Magnitudes are dB unless the header's magnitude column says "ratio" or
// "linear" (any case); a ratio must not be negative.
#pragma once

#include "host/sweeps/ImportedPoint.h"

#include <string>
#include <vector>

namespace orlo::host {

// `lines` are the file's lines without line ends (line n at index n-1); `file` names the
// file in errors. Answers the points in file order; throws SweepFileError.
std::vector<ImportedPoint> ReadDelimitedSweep(const std::vector<std::string>& lines,
                                              const std::string& file);

}  // namespace orlo::host
