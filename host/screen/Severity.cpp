#include "host/screen/Severity.h"

#include "platform/common/Services.h"

#include <utility>

namespace orlo::host {

namespace {

constexpr wchar_t kDlt911Guid[] = L"{E5DDB55E-96C1-47d0-8361-B7519CDA16F2}";
constexpr wchar_t kXCorrGuid[] = L"{4BA6F174-43D6-4431-ADD2-DCAC39848B99}";

struct Verdict {
  const char* text;
  Severity severity;
};

constexpr Verdict kDlt911[] = {{"Normal", Severity::kNormal},
                               {"R-HF above limit, R-LF and R-MF normal", Severity::kAboveLimit},
                               {"Light Distortion", Severity::kLight},
                               {"Obvious Distortion", Severity::kObvious},
                               {"Severe Distortion", Severity::kSevere},
                               {"Error", Severity::kError}};
constexpr Verdict kXCorr[] = {{"Normal", Severity::kNormal},
                              {"Suspected Distortion", Severity::kLight},
                              {"Slight Distortion", Severity::kLight},
                              {"Obvious Distortion", Severity::kObvious},
                              {"Serious Distortion", Severity::kObvious},
                              {"Error", Severity::kError}};

template <size_t N>
Severity Find(const Verdict (&verdicts)[N], const std::wstring& conclusion) {
  for (const Verdict& verdict : verdicts) {
    // The correlation analysis stores "Error" untranslated, every other text translated.
    if (conclusion == CGettext::Get().Translate(verdict.text) ||
        conclusion == std::wstring(verdict.text, verdict.text + std::char_traits<char>::length(verdict.text))) {
      return verdict.severity;
    }
  }
  return Severity::kNone;
}

}  // namespace

Severity SeverityOf(const std::wstring& analyzerGuid, const std::wstring& conclusion) {
  if (conclusion.empty()) return Severity::kNone;
  if (analyzerGuid == kDlt911Guid) return Find(kDlt911, conclusion);
  if (analyzerGuid == kXCorrGuid) return Find(kXCorr, conclusion);
  return Severity::kNone;
}

}  // namespace orlo::host
