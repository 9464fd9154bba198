// SetManifest: a CSV file that lists measurement sets for `orlo screen`.
//
// The header names the columns; it must hold "set" and "file" (any order, case ignored for
// these two); other columns are carried into the output under their header names. Each
// row gives one file of a set: the rows of one set name its files in order, and a set's
// columns are those of its first row. Sets are listed in the order of their first row. A
// relative file path is relative to the manifest's folder. Fields are separated by commas
// and may be enclosed in double quotes (a quote inside doubled); blank lines are skipped.
// Every fault throws SetListError "MANIFEST:LINE: reason".
#pragma once

#include "host/screen/MeasurementSet.h"

#include <string>
#include <string_view>
#include <vector>

namespace orlo::host {

std::vector<MeasurementSet> ReadSetManifest(const std::string& manifest);
// The same for the manifest's text, already read.
std::vector<MeasurementSet> ParseSetManifest(std::string_view text, const std::string& manifest);

}  // namespace orlo::host
