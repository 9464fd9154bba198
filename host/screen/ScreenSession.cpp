#include "host/screen/ScreenSession.h"

#include "host/screen/SetEntry.h"
#include "host/sweeps/SweepFileError.h"
#include "host/sweeps/SweepImport.h"
#include "platform/win/MessageBox.h"

namespace orlo::host {

CScreenSession::CScreenSession(const std::vector<MeasurementSet>& sets,
                               const HostSessionOptions& options,
                               const std::optional<std::string>& analyzer)
    : sets_(sets) {
  win::ClearMessageBoxes();
  std::string reason;
  if (!host_.Start(options, reason)) {
    error_ = reason;
    return;
  }
  switch (host_.StartAnalyzers(analyzer, reason)) {
    case CAnalysisHost::AnalyzerStart::kStarted:
      startBoxes_ = win::MessageBoxes();
      return;
    case CAnalysisHost::AnalyzerStart::kNoSuchAnalyzer:
      usageError_ = true;
      break;
    case CAnalysisHost::AnalyzerStart::kFailed:
      break;
  }
  error_ = reason;
}

std::string CScreenSession::Greeting() {
  json::Value greeting = json::Value::MakeObject();
  if (error_) {
    greeting.Set("error", json::Value::String(*error_));
    greeting.Set("usage", json::Value::Bool(usageError_));
    return json::Write(greeting, 0);
  }
  json::Value& analyzers = greeting.Set("analyzers", json::Value::MakeArray());
  for (const PanelSnapshot& panel : host_.Snapshot(false).panels) {
    json::Value analyzer = json::Value::MakeObject();
    analyzer.Set("index", json::Value::Integer(static_cast<std::int64_t>(panel.index)));
    analyzer.Set("name", json::Value::String(panel.name));
    analyzer.Set("guid", json::Value::String(panel.guid));
    analyzers.Append(std::move(analyzer));
  }
  return json::Write(greeting, 0);
}

std::string CScreenSession::Run(size_t index) { return json::Write(Analyse(sets_.at(index)), 0); }

json::Value CScreenSession::Analyse(const MeasurementSet& set) {
  std::vector<Sweep> sweeps;
  try {
    sweeps = ImportSweepFiles(set.files);
  } catch (const SweepFileError& error) {
    return FailedSetEntry(set, SetStatus::kUnreadable, error.what());
  }
  win::ClearMessageBoxes();
  host_.Graph().ReplaceSweeps(std::move(sweeps));
  CAnalysisHost::LetTimerPeriodPass();
  AnalysisSnapshot analysis = host_.Snapshot(false);
  analysis.messageBoxes.insert(analysis.messageBoxes.begin(), startBoxes_.begin(),
                               startBoxes_.end());
  return AnalysedSetEntry(set, analysis);
}

}  // namespace orlo::host
