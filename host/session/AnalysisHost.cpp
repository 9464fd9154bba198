#include "host/session/AnalysisHost.h"

#include "platform/common/TextCase.h"
#include "platform/common/Utf8.h"
#include "platform/win/MessageBox.h"
#include "platform/win/MessageLoop.h"

namespace orlo::host {

namespace {

constexpr std::uint32_t kTimerPeriodMs = 500;
constexpr std::uint32_t kTimerMarginMs = 20;

bool Names(const std::string& selector, IBaseAnalyzer& analyzer) {
  const std::wstring wanted = orlo::Utf8ToWide(selector);
  return orlo::EqualsIgnoringCase(wanted, analyzer.GetGuid()) ||
         orlo::EqualsIgnoringCase(wanted, analyzer.GetName());
}

}  // namespace

CAnalysisHost::~CAnalysisHost() {
  run_.Stop();
  report_.reset();
  graph_.reset();
  session_.Stop();
}

bool CAnalysisHost::Start(const HostSessionOptions& options, std::string& error) {
  if (!session_.Start(options, error)) return false;
  graph_.emplace(&session_.MainDialog());
  report_.emplace(&session_.MainDialog());
  return true;
}

CAnalysisHost::AnalyzerStart CAnalysisHost::StartAnalyzers(
    const std::optional<std::string>& selector, std::string& error) {
  std::vector<size_t> chosen;
  const std::vector<IBaseAnalyzer*>& registered = session_.Analyzers();
  for (size_t index = 0; index < registered.size(); ++index) {
    if (!selector || *selector == std::to_string(index) || Names(*selector, *registered[index])) {
      chosen.push_back(index);
    }
  }
  if (selector && chosen.empty()) {
    size_t index = 0;
    if (!RegisterTestAnalyzer(*selector, index)) {
      error = "no analyzer '" + *selector + "' (try 'orlo analyzers')";
      return AnalyzerStart::kNoSuchAnalyzer;
    }
    chosen.push_back(index);
  }
  for (const size_t index : chosen) {
    if (!run_.Start(index, *session_.Analyzers()[index])) {
      error = "analyzer " + std::to_string(index) + " could not be started";
      return AnalyzerStart::kFailed;
    }
  }
  return AnalyzerStart::kStarted;
}

CAnalysisHost::AnalyzerStart CAnalysisHost::StartTestAnalyzer(std::string& error) {
  if (!session_.RegisterTestAnalyzer(error)) return AnalyzerStart::kFailed;
  const size_t index = session_.Analyzers().size() - 1;
  if (run_.Start(index, *session_.Analyzers()[index])) return AnalyzerStart::kStarted;
  error = "analyzer " + std::to_string(index) + " could not be started";
  return AnalyzerStart::kFailed;
}

void CAnalysisHost::LetTimerPeriodPass() { win::RunFor(kTimerPeriodMs + kTimerMarginMs); }

AnalysisSnapshot CAnalysisHost::Snapshot(bool report) {
  AnalysisSnapshot analysis;
  for (const std::wstring& name : graph_->SweepNames()) {
    analysis.sweeps.push_back(SummaryOf(*graph_->FindSweep(name)));
  }
  analysis.models = TakeModelsSnapshot(*graph_);
  if (report) {
    report_->StartReport();
    analysis.report = report_->Parameters();
  }
  analysis.panels = run_.Snapshot(*graph_);
  analysis.messageBoxes = win::MessageBoxes();
  analysis.notes = SweepNotes(*graph_);
  return analysis;
}

// The module's test analyzer is not registered until asked for by its name or GUID.
bool CAnalysisHost::RegisterTestAnalyzer(const std::string& selector, size_t& index) {
  std::string reason;
  if (!session_.RegisterTestAnalyzer(reason)) return false;
  index = session_.Analyzers().size() - 1;
  return Names(selector, *session_.Analyzers()[index]);
}

}  // namespace orlo::host
