#include "host/screen/SetEntry.h"

#include "host/output/AnalysisJson.h"
#include "host/screen/Severity.h"
#include "platform/common/Utf8.h"

#include <array>

namespace orlo::host {

namespace {

using json::Value;

constexpr std::array<std::string_view, 5> kStatusNames = {"analysed", "too few sweeps",
                                                          "error box", "unreadable",
                                                          "worker died"};

// The pair conclusion of `panel` that ranks worst (the first of equals); none without pairs.
std::optional<std::wstring> WorstConclusion(const PanelSnapshot& panel) {
  std::optional<std::wstring> worst;
  Severity severity = Severity::kNone;
  for (const PairReadout& pair : panel.pairs) {
    const Severity pairSeverity = SeverityOf(panel.guid, pair.conclusion);
    if (!worst || pairSeverity > severity) {
      worst = pair.conclusion;
      severity = pairSeverity;
    }
  }
  return worst;
}

Value Entry(const MeasurementSet& set, SetStatus status, const std::optional<std::string>& error,
            const AnalysisSnapshot& analysis) {
  Value entry = Value::MakeObject();
  entry.Set("set", Value::String(set.name));
  Value& columns = entry.Set("columns", Value::MakeObject());
  for (const auto& [name, value] : set.columns) columns.Set(name, Value::String(value));
  entry.Set("status", Value::String(std::string(StatusName(status))));
  entry.Set("error", error ? Value::String(*error) : Value());
  Value& worst = entry.Set("worst", Value::MakeArray());
  for (const PanelSnapshot& panel : analysis.panels) {
    Value verdict = Value::MakeObject();
    verdict.Set("analyzer", Value::Integer(static_cast<std::int64_t>(panel.index)));
    const std::optional<std::wstring> conclusion = WorstConclusion(panel);
    verdict.Set("conclusion", conclusion ? Value::String(*conclusion) : Value());
    worst.Append(std::move(verdict));
  }
  const Value document = AnalysisJson(analysis);
  for (const json::Member& member : document.Members()) {
    if (member.key != "format" && member.key != "models" && member.key != "report") {
      entry.Set(member.key, member.value);
    }
  }
  return entry;
}

}  // namespace

std::string_view StatusName(SetStatus status) { return kStatusNames[static_cast<size_t>(status)]; }

SetStatus StatusOf(std::string_view name) {
  for (size_t i = 0; i < kStatusNames.size(); ++i) {
    if (kStatusNames[i] == name) return static_cast<SetStatus>(i);
  }
  return SetStatus::kWorkerDied;
}

Value AnalysedSetEntry(const MeasurementSet& set, const AnalysisSnapshot& analysis) {
  if (!analysis.messageBoxes.empty()) {
    return Entry(set, SetStatus::kErrorBox, orlo::WideToUtf8(analysis.messageBoxes.front().text),
                 analysis);
  }
  const SetStatus status =
      analysis.sweeps.size() < 2 ? SetStatus::kTooFewSweeps : SetStatus::kAnalysed;
  return Entry(set, status, std::nullopt, analysis);
}

Value FailedSetEntry(const MeasurementSet& set, SetStatus status, const std::string& error) {
  return Entry(set, status, error, AnalysisSnapshot{});
}

}  // namespace orlo::host
