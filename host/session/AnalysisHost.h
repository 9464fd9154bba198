// CAnalysisHost: the host stood up around the module to run analyzers on sweeps, as
// `orlo analyze` and every worker of `orlo screen` use it: the host session, the graph and
// report plug-ins under its main dialog, and the analyzer instances.
//
// Start brings up the session and then the plug-ins; StartAnalyzers starts the analyzers a
// selector names. Everything is taken down by the destructor, in order: the analyzer
// instances, the plug-ins, then the module and the main dialog. The graph and report
// plug-ins exist from a successful Start on.
#pragma once

#include "host/graph/GraphPlugin.h"
#include "host/report/ReportPlugin.h"
#include "host/session/AnalyzerRun.h"
#include "host/session/HostSession.h"

#include <optional>
#include <string>

namespace orlo::host {

class CAnalysisHost {
 public:
  enum class AnalyzerStart { kStarted, kNoSuchAnalyzer, kFailed };

  CAnalysisHost() = default;
  CAnalysisHost(const CAnalysisHost&) = delete;
  CAnalysisHost& operator=(const CAnalysisHost&) = delete;
  ~CAnalysisHost();

  // False with `error` set when the session could not be started (CHostSession::Start).
  bool Start(const HostSessionOptions& options, std::string& error);
  // Starts every registered analyzer, or only the one `selector` names (its index, GUID or
  // name, case ignored); the module's test analyzer is registered first when the selector
  // names it. kNoSuchAnalyzer or kFailed with `error` set ("no analyzer 'X' (try 'orlo
  // analyzers')", "analyzer N could not be started").
  AnalyzerStart StartAnalyzers(const std::optional<std::string>& selector, std::string& error);
  // Registers another of the module's test analyzers and starts it (kFailed with `error`
  // set when the module offers none or it cannot be started).
  AnalyzerStart StartTestAnalyzer(std::string& error);

  // Runs the message loop for one period of the analyzers' timer (and a margin), so that
  // what they do on their timer is done before the panels are read.
  static void LetTimerPeriodPass();

  // What the host shows now: the sweeps of the graph, its models, every running panel and
  // the message boxes recorded; with `report` a report is started first and the parameters
  // the analyzers hand it are kept.
  AnalysisSnapshot Snapshot(bool report);

  CHostSession& Session() { return session_; }
  CGraphPlugin& Graph() { return *graph_; }
  CReportPlugin& Report() { return *report_; }
  CAnalyzerRun& Run() { return run_; }

 private:
  bool RegisterTestAnalyzer(const std::string& selector, size_t& index);

  CHostSession session_;
  std::optional<CGraphPlugin> graph_;
  std::optional<CReportPlugin> report_;
  CAnalyzerRun run_;
};

}  // namespace orlo::host
