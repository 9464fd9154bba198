// CScreenSession: the host of one `orlo screen` worker. The module is loaded and the
// analyzers are started once; then each measurement set is shown to them as a user would
// show it: the graph's sweeps are replaced (ReplaceSweeps), the analyzers follow, one
// period of their timer passes, and the panels are read.
//
// Greeting tells the parent the analyzers that run, {"analyzers": [{"index", "name",
// "guid"}]}, or why the host could not start, {"error": "...", "usage": true when the analyzer named is not there}. Run
// answers the entry of set `index` (SetEntry) on one line. A set's message boxes are the
// boxes shown while the host started (which `orlo analyze` shows for every set) and those
// shown while the set was analysed. The sets are the parent's list, which the worker
// shares from the fork; only one set's sweeps are held at a time.
#pragma once

#include "host/output/Json.h"
#include "host/screen/MeasurementSet.h"
#include "host/screen/WorkerPool.h"
#include "host/session/AnalysisHost.h"

#include <optional>
#include <string>
#include <vector>

namespace orlo::host {

class CScreenSession final : public ScreenWorker {
 public:
  CScreenSession(const std::vector<MeasurementSet>& sets, const HostSessionOptions& options,
                 const std::optional<std::string>& analyzer);

  std::string Greeting() override;
  std::string Run(size_t index) override;

  // The entry of one set (SetEntry); the host must have started.
  json::Value Analyse(const MeasurementSet& set);

 private:
  const std::vector<MeasurementSet>& sets_;
  CAnalysisHost host_;
  std::optional<std::string> error_;  // why the host did not start
  bool usageError_ = false;  // the analyzer named is not there
  std::vector<win::MessageBoxRecord> startBoxes_;
};

}  // namespace orlo::host
