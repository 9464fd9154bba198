#include "module/xcorr/XCorrVerdict.h"

#include <cmath>

#include "module/bands/StatParams.h"
#include "module/comparison/SweepStatistics.h"
#include "platform/common/Services.h"

namespace xcorr {

namespace {

std::wstring Tr(const char* text) { return CGettext::Get().Translate(text); }

}  // namespace

double TechniqueStatistic(int technique, double fLow, double fHigh, const SweepData& a,
                          const SweepData& b, const double* freqs, int count) {
  switch (technique) {
    case STAT_LRXY:
      return CorrelationCoefficient(fLow, fHigh, a, b, freqs, count);
    case STAT_RXY:
      return RelativeFactor(fLow, fHigh, a, b, freqs, count);
    case STAT_NCEPRI:
      return MeanSquareDifference(fLow, fHigh, a, b, freqs, count);
    default:
      return 0.0;
  }
}

int ClassifyBandValue(const tagFREQBAND& band, double x, int technique) {
  // Techniques 0 and 1: a higher statistic means more alike; technique 2: a lower one.
  // "Reaches t" is x >= t or x <= t, "short of t" is x < t or x > t; NaN does neither.
  const bool higherIsBetter = technique != STAT_NCEPRI;
  const auto reaches = [higherIsBetter](double v, double t) {
    return higherIsBetter ? v >= t : v <= t;
  };
  const auto shortOf = [higherIsBetter](double v, double t) {
    return higherIsBetter ? v < t : v > t;
  };

  int verdict = kNoCriterion;
  bool decided = false;
  if (band.normalSet && reaches(x, band.normalStart)) {
    verdict = kNormal;
    decided = true;
  }
  if (x >= STAT_NO_LOW_EDGE) {
    verdict = kErrorValue;
    decided = true;
  } else if (band.suspectSet && !decided) {
    if (reaches(x, band.suspectStart) && shortOf(x, band.suspectEnd)) {
      verdict = kSuspect;
      decided = true;
    }
  } else if (!band.suspectSet && !decided) {
    // Without a Suspect range the sign decides: below Normal, or under technique 2 Slight.
    if (reaches(x, 0.0)) {
      verdict = higherIsBetter ? kBelowNormal : kSuspect;
      decided = true;
    }
  }
  if (band.obviousSet && !decided) {
    return shortOf(x, band.obviousEnd) ? kObvious : kNoCriterion;
  }
  return decided ? verdict : kNoCriterion;
}

std::wstring ConclusionText(int code, int technique) {
  const bool lowerIsBetter = technique == STAT_NCEPRI;
  switch (code) {
    case kNoCriterion:
      return std::wstring();
    case kNormal:
      return Tr("Normal");
    case kSuspect:
      return Tr(lowerIsBetter ? "Slight Distortion" : "Suspected Distortion");
    case kObvious:
      return Tr(lowerIsBetter ? "Serious Distortion" : "Obvious Distortion");
    default:
      return L"Error";
  }
}

std::wstring MagnitudeDifferenceText(double d, double limit) {
  if (d == STAT_NO_LOW_EDGE || d == STAT_NO_HIGH_EDGE) {
    return Tr("Out-of-Range");
  }
  if (d == STAT_UNDEFINED) {
    return Tr("Error");
  }
  return Tr(std::fabs(d) > limit ? "Fail" : "Pass");
}

}  // namespace xcorr
