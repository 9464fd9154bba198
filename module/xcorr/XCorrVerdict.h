// How the correlation analysis judges what it computes for a sweep pair: the statistic of
// each statistical technique, the verdict of one band statistic against one band's
// criteria, and the words of the pair conclusion (the worst band verdict, starting from 1)
// and of the magnitude-difference check. Pure functions over the module's arithmetic.
//
// Band verdicts (BandVerdict), larger is worse:
//   0  below Normal in a band without a Suspect range (techniques 0 and 1); never a conclusion
//   1  no criterion met (empty text)
//   2  "Normal"
//   3  "Suspected Distortion", under technique 2 "Slight Distortion"
//   4  "Obvious Distortion",   under technique 2 "Serious Distortion"
//   5  the statistic is an error value (at or above STAT_NO_LOW_EDGE): "Error"
// Every comparison with NaN is false, so a NaN statistic is judged 1.
#pragma once

#include <string>

#include "module/bands/FreqBand.h"
#include "module/comparison/SweepData.h"

namespace xcorr {

enum BandVerdict : int {
  kBelowNormal = 0,
  kNoCriterion = 1,
  kNormal = 2,
  kSuspect = 3,
  kObvious = 4,
  kErrorValue = 5,
};

// The statistic of `technique` over the band (fLow, fHigh): 0 CorrelationCoefficient,
// 1 RelativeFactor, 2 MeanSquareDifference of the dB magnitudes; 0.0 for any other value.
double TechniqueStatistic(int technique, double fLow, double fHigh, const SweepData& a,
                          const SweepData& b, const double* freqs, int count);

// The verdict of statistic `value` in `band` under `technique`. The rule is tried in this
// order; techniques 0 and 1 (higher is better):
//   1. normalSet and value >= normalStart                → 2
//   2. value >= STAT_NO_LOW_EDGE                          → 5 (even over step 1)
//   3. else, undecided and suspectSet: suspectStart <= value < suspectEnd → 3
//   4. else, undecided and no Suspect range: value >= 0   → 0
//   5. undecided and obviousSet: value < obviousEnd → 4, else 1
// Technique 2 (lower is better) mirrors it: Normal at value <= normalStart, Suspect at
// suspectEnd < value <= suspectStart, without a Suspect range value <= 0 gives 3, Obvious
// at value > obviousEnd. Anything undecided is 1.
int ClassifyBandValue(const tagFREQBAND& band, double value, int technique);

// The conclusion text of a pair conclusion code: 1 empty, 2 "Normal", 3 and 4 as above,
// anything else "Error". All but "Error" (kept untranslated) are translated.
std::wstring ConclusionText(int code, int technique);

// The translated verdict of a magnitude difference `d` (dB) against `limit`, tested in this
// order: STAT_NO_LOW_EDGE or STAT_NO_HIGH_EDGE "Out-of-Range"; STAT_UNDEFINED "Error";
// |d| > limit "Fail"; otherwise (|d| equal to the limit, NaN) "Pass".
std::wstring MagnitudeDifferenceText(double d, double limit);

}  // namespace xcorr
