// Severity: how bad a pair's conclusion is, on one scale for every analyzer, so that a
// set's worst conclusion can be found and sets sorted worst first.
//
// Each analyzer's own order maps onto the scale:
//   DL/T 911-2004:        (none) < "Normal" < "R-HF above limit, R-LF and R-MF normal"
//                         < "Light Distortion" < "Obvious Distortion" < "Severe Distortion"
//                         < "Error"
//   Correlation analysis: (none) < "Normal" < "Suspected Distortion" / "Slight Distortion"
//                         < "Obvious Distortion" / "Serious Distortion" < "Error"
// The DL/T 911 verdict "R-HF above limit" is above Normal (a limit is exceeded) and below
// every distortion grade (the high band alone never gives one). "Error" (a factor that is
// not a number) ranks worst: the set needs a closer look. The texts are compared as the
// host's translation gives them; a text the analyzer does not use, or any conclusion of
// another analyzer, is kNone.
#pragma once

#include <string>

namespace orlo::host {

enum class Severity { kNone, kNormal, kAboveLimit, kLight, kObvious, kSevere, kError };

Severity SeverityOf(const std::wstring& analyzerGuid, const std::wstring& conclusion);

}  // namespace orlo::host
