#include "host/session/AnalysisHost.h"

#include "platform/common/TextCase.h"
#include "platform/common/Utf8.h"

namespace orlo::host {

namespace {

bool Names(const std::wstring& wanted, const std::string& selector, size_t index,
           IBaseAnalyzer& analyzer) {
  return selector == std::to_string(index) || orlo::EqualsIgnoringCase(wanted, analyzer.GetGuid()) ||
         orlo::EqualsIgnoringCase(wanted, analyzer.GetName());
}

}  // namespace

CAnalysisHost::~CAnalysisHost() {
  run_.Stop();
  report_.reset();
  graph_.reset();
  session_.Stop();
}

bool CAnalysisHost::Start(const HostSessionOptions& options, std::string& reason) {
  if (!session_.Start(options, reason)) return false;
  graph_.emplace(&session_.MainDialog());
  report_.emplace(&session_.MainDialog());
  return true;
}

std::optional<AnalyzerStartFailure> CAnalysisHost::StartAnalyzers(
    const std::optional<std::string>& selector) {
  const std::vector<IBaseAnalyzer*> registered = session_.Analyzers();
  const std::wstring wanted = selector ? orlo::Utf8ToWide(*selector) : std::wstring();
  bool named = false;
  for (size_t index = 0; index < registered.size(); ++index) {
    if (selector && !Names(wanted, *selector, index, *registered[index])) continue;
    named = true;
    if (auto failure = StartAnalyzer(index)) return failure;
  }
  if (named) return std::nullopt;
  // The test analyzer is registered only when asked for by its name or GUID.
  const AnalyzerStartFailure unknown{true, "no analyzer '" + *selector + "' (try 'orlo analyzers')"};
  std::string reason;
  if (!session_.RegisterTestAnalyzer(reason)) return unknown;
  const size_t index = session_.Analyzers().size() - 1;
  if (!Names(wanted, "", index, *session_.Analyzers()[index])) return unknown;
  return StartAnalyzer(index);
}

std::optional<AnalyzerStartFailure> CAnalysisHost::StartTestAnalyzer() {
  std::string reason;
  if (!session_.RegisterTestAnalyzer(reason)) return AnalyzerStartFailure{false, reason};
  return StartAnalyzer(session_.Analyzers().size() - 1);
}

std::optional<AnalyzerStartFailure> CAnalysisHost::StartAnalyzer(size_t index) {
  if (run_.Start(index, *session_.Analyzers()[index])) return std::nullopt;
  return AnalyzerStartFailure{false, "analyzer " + std::to_string(index) + " could not be started"};
}

}  // namespace orlo::host
