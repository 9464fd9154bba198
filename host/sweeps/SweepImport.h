// SweepImport: reads sweep files into Sweeps.
//
// The file picks the importer: Touchstone by its name or its [Version] keyword (see
// TouchstoneImporter), else the LTspice export when the first line starts with "Freq.",
// else the generic delimited format. The import then makes the points ascending (a file
// wholly in descending order is reversed) and refuses any other disorder, repeated
// frequencies, numbers beyond single precision and files of fewer than 2 points, each
// with a SweepFileError naming the file and line.
#pragma once

#include "host/sweeps/Sweep.h"

#include <string>
#include <string_view>
#include <vector>

namespace orlo::host {

// Reads one file; the sweep is named after the file's stem ("a/b/phase-A.csv" →
// "phase-A"). Throws SweepFileError.
Sweep ImportSweepFile(const std::string& file);
// The same for the text of `file`, already read.
Sweep ImportSweepText(std::string_view text, const std::string& file);

// The format whose importer reads `text`, the content of `file`, as the import picks it.
inline constexpr std::string_view kTouchstoneFormat = "Touchstone";
inline constexpr std::string_view kLtspiceFormat = "LTspice export";
inline constexpr std::string_view kDelimitedFormat = "delimited text";
std::string_view SweepFormatOf(std::string_view text, std::string_view file);

// Reads every file, up to two per core at once, and names each sweep
// uniquely among them in order (UniqueSweepName). Throws SweepFileError for the first file,
// in the order given, that cannot be imported.
std::vector<Sweep> ImportSweepFiles(const std::vector<std::string>& files);

// `name` when no sweep of `loaded` has it, else the first free of "name (2)",
// "name (3)", ...
std::string UniqueSweepName(const std::string& name, const std::vector<Sweep>& loaded);

}  // namespace orlo::host
