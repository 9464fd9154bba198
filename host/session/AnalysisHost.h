// CAnalysisHost: the host around the module with its graph and report plug-ins and the
// analyzer instances it runs, as `orlo analyze` and `orlo serve` stand it up.
//
// Start brings up the host session (CHostSession) and then the graph and report plug-ins
// under its main dialog. StartAnalyzers starts the registered analyzers a selector names
// (registry index, GUID or name, case ignored; every registered analyzer without one); the
// module's test analyzer, which the manager does not register by itself, is registered
// and started when the selector names it, or at once by StartTestAnalyzer. The destructor
// takes everything down in order: the analyzer instances, the plug-ins, then the module
// and the main dialog. Graph() and Report() require a successful Start.
#pragma once

#include "host/graph/GraphPlugin.h"
#include "host/report/ReportPlugin.h"
#include "host/session/AnalyzerRun.h"
#include "host/session/HostSession.h"

#include <optional>
#include <string>

namespace orlo::host {

// Why analyzers could not be started: the selector names none (a usage error), or one of
// them failed to start.
struct AnalyzerStartFailure {
  bool unknownAnalyzer = false;
  std::string reason;
};

class CAnalysisHost {
 public:
  CAnalysisHost() = default;
  CAnalysisHost(const CAnalysisHost&) = delete;
  CAnalysisHost& operator=(const CAnalysisHost&) = delete;
  ~CAnalysisHost();

  // False with `reason` set when the session could not be brought up.
  bool Start(const HostSessionOptions& options, std::string& reason);
  std::optional<AnalyzerStartFailure> StartAnalyzers(const std::optional<std::string>& selector);
  // Registers another test analyzer and starts an instance of it.
  std::optional<AnalyzerStartFailure> StartTestAnalyzer();

  CHostSession& Session() { return session_; }
  CGraphPlugin& Graph() { return *graph_; }
  CReportPlugin& Report() { return *report_; }
  CAnalyzerRun& Run() { return run_; }

 private:
  std::optional<AnalyzerStartFailure> StartAnalyzer(size_t index);

  CHostSession session_;
  std::optional<CGraphPlugin> graph_;
  std::optional<CReportPlugin> report_;
  CAnalyzerRun run_;
};

}  // namespace orlo::host
