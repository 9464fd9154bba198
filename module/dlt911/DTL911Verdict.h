// How DL/T 911-2004 judges the relative factors of one sweep pair: the verdict on winding
// deformation from R-LF, R-MF and R-HF, the display text of a factor, and the criteria
// cell a factor falls into. Pure functions.
//
// The verdict rules are tried in order and the first that holds decides; each threshold belongs
// to the higher grade, and every comparison with NaN is false:
//   any factor > 10 (no value)                → no verdict
//   LF < 0.6                                  → Severe Distortion
//   0.6 <= LF < 1, or MF < 0.6                → Obvious Distortion
//   1 <= LF < 2, or 0.6 <= MF < 1             → Light Distortion
//   LF >= 2 and MF >= 1 and HF >= 0.6         → Normal
//   LF >= 2 and MF >= 1 and HF < 0.6          → R-HF above limit, R-LF and R-MF normal
//   otherwise (a needed factor is NaN)        → Error
#pragma once

#include <string>

namespace dlt911 {

// The display text of a factor: empty above 10 (no value), else OxFormatValue(R, 2, 4, 2).
std::wstring FormatFactor(double factor);

enum class Verdict {
  kNone,
  kSevere,
  kObvious,
  kLight,
  kNormal,
  kHfAboveLimit,
  kError,
};

Verdict ClassifyFactors(double lf, double mf, double hf);

// The criteria-grid column (1 to 5) that a factor of criteria row 1 (R-LF), 2 (R-MF) or
// 3 (R-HF) matches, 0 for none:
//   row 1: < 0.6 → 2, [0.6, 1) → 3, [1, 2) → 4, >= 2 → 5; NaN matches nothing
//   row 2: < 0.6 → 3, [0.6, 1) → 4, >= 1 → 5; NaN matches nothing
//   row 3: >= 0.6 → 5, anything else (NaN too) → 1, the value cell itself
int MatchingCriteriaColumn(int row, double factor);

// The English text of a verdict, to be translated; the empty text for kNone.
const char* VerdictText(Verdict verdict);

}  // namespace dlt911
