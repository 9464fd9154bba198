// TouchstoneImporter: reads the S-parameter files network analysers write, versions 1.x
// and 2.0, as sweeps: S11 of a 1-port file, S21 of a 2-port file.
//
// '!' starts a comment anywhere on a line; keywords and options ignore letter case. The
// first option line "# <unit> <parameter> <format> R <n>" sets the frequency unit (Hz,
// kHz, MHz, GHz), the parameter (only S is read) and the value format (DB, MA, RI); the
// defaults are GHz, S, MA, R 50. Version 1 takes the port count from the file name
// (".s2p": 2); version 2 starts with [Version] 2.0, takes it from [Number of Ports], the
// two-port value order from [Two-Port Data Order] and the data from [Network Data] to
// [Noise Data] or [End], other keywords being ignored. A row is the frequency and 2·N²
// values, on one line or wrapped over several; frequencies strictly increase, except
// that in a version-1 two-port file the first that does not starts the noise
// parameters, where reading ends. Only 1- and 2-port files are read.
#pragma once

#include "host/sweeps/SweepBuilder.h"
#include "host/sweeps/TextLines.h"

#include <optional>
#include <string_view>

namespace orlo::host {

// Whether `file` is read as Touchstone: its name ends in ".s<ports>p" (any case), or the
// first line of `lines` that is neither blank nor a '!' comment is the keyword [Version].
// Nothing when the name does not tell and `lines` have no such line (more text might).
std::optional<bool> IsTouchstoneFile(std::string_view file, TextLines lines);

// Reads every line left in `lines` and adds S11 or S21 of each row to `points`, whose file
// name gives the port count of a version-1 file. Throws SweepFileError.
void ReadTouchstoneSweep(TextLines& lines, SweepBuilder& points);

}  // namespace orlo::host
