#include "module/xcorr/XCorrVerdict.h"

#include <cmath>

#include "module/bands/StatParams.h"
#include "module/comparison/SweepStatistics.h"
#include "platform/common/Services.h"

namespace xcorr {

namespace {

// Techniques 0 and 1: a higher statistic means more alike.
int ClassifyHigherIsBetter(const tagFREQBAND& band, double x) {
  int verdict = kNoCriterion;
  bool decided = false;
  if (band.normalSet && x >= band.normalStart) {
    verdict = kNormal;
    decided = true;
  }
  if (x >= STAT_NO_LOW_EDGE) {
    verdict = kErrorValue;
    decided = true;
  } else if (band.suspectSet && !decided) {
    if (band.suspectStart <= x && x < band.suspectEnd) {
      verdict = kSuspect;
      decided = true;
    }
  } else if (!band.suspectSet && !decided) {
    if (x >= 0) {
      verdict = kBelowNormal;
      decided = true;
    }
  }
  if (band.obviousSet && !decided) {
    return x < band.obviousEnd ? kObvious : kNoCriterion;
  }
  return decided ? verdict : kNoCriterion;
}

// Technique 2: a lower statistic means more alike.
int ClassifyLowerIsBetter(const tagFREQBAND& band, double x) {
  int verdict = kNoCriterion;
  bool decided = false;
  if (band.normalSet && x <= band.normalStart) {
    verdict = kNormal;
    decided = true;
  }
  if (x >= STAT_NO_LOW_EDGE) {
    verdict = kErrorValue;
    decided = true;
  } else if (band.suspectSet && !decided) {
    if (band.suspectEnd < x && x <= band.suspectStart) {
      verdict = kSuspect;
      decided = true;
    }
  } else if (!band.suspectSet && !decided) {
    if (x <= 0) {
      verdict = kSuspect;
      decided = true;
    }
  }
  if (band.obviousSet && !decided) {
    return x > band.obviousEnd ? kObvious : kNoCriterion;
  }
  return decided ? verdict : kNoCriterion;
}

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

int ClassifyBandValue(const tagFREQBAND& band, double value, int technique) {
  return technique == STAT_NCEPRI ? ClassifyLowerIsBetter(band, value)
                                  : ClassifyHigherIsBetter(band, value);
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
