// SetEntry: one measurement set's entry in the `orlo screen` JSON document ("sets[]"); it
// is also the record a worker hands the parent, from which every other output is made.
//
// An entry is an object: "set" (the name), "columns" (a manifest's further columns, an
// object of texts), "status" (StatusName), "error" (why the set could not be analysed, or
// the first error box; null otherwise), "worst" (per analyzer: {"analyzer": index,
// "conclusion": the worst pair conclusion by Severity, null without a pair}), then the
// members of the `orlo analyze --json` document for the same files, written by the same
// writer (AnalysisJson): "sweeps", "analyzers", "messageBoxes" and the run's "notes" (its
// "format", "models" and "report" are left out). A set that could not be analysed has
// these as empty arrays.
#pragma once

#include "host/output/AnalysisSnapshot.h"
#include "host/output/Json.h"
#include "host/screen/MeasurementSet.h"

#include <string>
#include <string_view>

namespace orlo::host {

enum class SetStatus { kAnalysed, kTooFewSweeps, kErrorBox, kUnreadable, kWorkerDied };

// "analysed", "too few sweeps", "error box", "unreadable", "worker died".
std::string_view StatusName(SetStatus status);
// The status a name gives (kWorkerDied for a name it does not know).
SetStatus StatusOf(std::string_view name);

// The status of an analysed set: kErrorBox when a box was shown, kTooFewSweeps with fewer
// than two sweeps, else kAnalysed.
json::Value AnalysedSetEntry(const MeasurementSet& set, const AnalysisSnapshot& analysis);
json::Value FailedSetEntry(const MeasurementSet& set, SetStatus status, const std::string& error);

}  // namespace orlo::host
