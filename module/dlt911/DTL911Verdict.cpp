#include "module/dlt911/DTL911Verdict.h"

#include "platform/common/Services.h"

namespace dlt911 {

std::wstring FormatFactor(double factor) {
  if (factor > 10) {
    return std::wstring();
  }
  return OxFormatValue(factor, 2, 4, 2);
}

Verdict ClassifyFactors(double lf, double mf, double hf) {
  if (lf > 10 || mf > 10 || hf > 10) {
    return Verdict::kNone;
  }
  if (lf < 0.6) {
    return Verdict::kSevere;
  }
  if ((lf >= 0.6 && lf < 1) || mf < 0.6) {
    return Verdict::kObvious;
  }
  if ((lf >= 1 && lf < 2) || (mf >= 0.6 && mf < 1)) {
    return Verdict::kLight;
  }
  if (lf >= 2 && mf >= 1 && hf >= 0.6) {
    return Verdict::kNormal;
  }
  if (lf >= 2 && mf >= 1 && hf < 0.6) {
    return Verdict::kHfAboveLimit;
  }
  return Verdict::kError;
}

int MatchingCriteriaColumn(int row, double factor) {
  switch (row) {
    case 1:
      if (factor < 0.6) return 2;
      if (factor >= 0.6 && factor < 1) return 3;
      if (factor >= 1 && factor < 2) return 4;
      if (factor >= 2) return 5;
      return 0;
    case 2:
      if (factor < 0.6) return 3;
      if (factor >= 0.6 && factor < 1) return 4;
      if (factor >= 1) return 5;
      return 0;
    case 3:
      return factor >= 0.6 ? 5 : 1;
    default:
      return 0;
  }
}

const char* VerdictText(Verdict verdict) {
  switch (verdict) {
    case Verdict::kNone:
      return "";
    case Verdict::kSevere:
      return "Severe Distortion";
    case Verdict::kObvious:
      return "Obvious Distortion";
    case Verdict::kLight:
      return "Light Distortion";
    case Verdict::kNormal:
      return "Normal";
    case Verdict::kHfAboveLimit:
      return "R-HF above limit, R-LF and R-MF normal";
    case Verdict::kError:
      return "Error";
  }
  return "";
}

}  // namespace dlt911
