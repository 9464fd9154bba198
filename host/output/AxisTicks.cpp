#include "host/output/AxisTicks.h"

#include "host/sweeps/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orlo::host {

namespace {

// Room for rounding in divisions such as 0.3 / 0.1.
constexpr double kSlack = 1e-9;
// Values this close together, relative to their size, are one flat value.
constexpr double kFlat = 1e-12;

double PowerOfTen(int exponent) { return std::pow(10.0, exponent); }

// The exponent of the power of ten at or below `value` (> 0).
int DecadeBelow(double value) {
  int exponent = static_cast<int>(std::floor(std::log10(value)));
  if (PowerOfTen(exponent) > value) --exponent;
  if (PowerOfTen(exponent + 1) <= value) ++exponent;
  return exponent;
}

// The smallest round step (1, 2, 5 times a power of ten) that covers `span` in at most
// `maxIntervals` intervals, with the first and last multiples of it around the range.
struct RoundStep {
  double step;
  long long first;
  long long last;
};

RoundStep ChooseStep(double low, double high, int maxIntervals, bool widen) {
  const double span = high - low;
  int exponent = DecadeBelow(span / maxIntervals);
  for (;; ++exponent) {
    for (const double mantissa : {1.0, 2.0, 5.0}) {
      const double step = mantissa * PowerOfTen(exponent);
      const double first = widen ? std::floor(low / step + kSlack) : std::ceil(low / step - kSlack);
      const double last = widen ? std::ceil(high / step - kSlack) : std::floor(high / step + kSlack);
      if (last - first <= maxIntervals) {
        return {step, static_cast<long long>(first), static_cast<long long>(last)};
      }
    }
  }
}

AxisTicks LinearTicks(double low, double high, int maxIntervals, bool widen) {
  const RoundStep round = ChooseStep(low, high, maxIntervals, widen);
  AxisTicks ticks;
  ticks.step = round.step;
  for (long long k = round.first; k <= round.last; ++k) {
    ticks.major.push_back(k == 0 ? 0.0 : static_cast<double>(k) * round.step);
  }
  ticks.low = widen ? ticks.major.front() : low;
  ticks.high = widen ? ticks.major.back() : high;
  return ticks;
}

}  // namespace

AxisTicks DecadeTicks(double lowest, double highest) {
  const int first = DecadeBelow(lowest);
  int last = DecadeBelow(highest);
  if (PowerOfTen(last) < highest || last == first) ++last;
  AxisTicks ticks;
  for (int exponent = first; exponent <= last; ++exponent) {
    const double decade = PowerOfTen(exponent);
    ticks.major.push_back(decade);
    if (exponent == last) break;
    for (int multiple = 2; multiple <= 9; ++multiple) ticks.minor.push_back(multiple * decade);
  }
  ticks.low = ticks.major.front();
  ticks.high = ticks.major.back();
  return ticks;
}

AxisTicks RoundTicks(double lowest, double highest, int maxIntervals) {
  if (highest - lowest <= kFlat * std::max(std::abs(lowest), std::abs(highest))) {
    const double margin = lowest == 0.0 ? 1.0 : PowerOfTen(DecadeBelow(std::abs(lowest)));
    lowest -= margin;
    highest += margin;
  }
  return LinearTicks(lowest, highest, maxIntervals, true);
}

AxisTicks TicksWithin(double low, double high, int maxIntervals) {
  return LinearTicks(low, high, maxIntervals, false);
}

std::string FrequencyLabel(double hertz) {
  static constexpr std::array<const char*, 4> kPrefixes = {"", "k", "M", "G"};
  const int group = std::clamp(DecadeBelow(hertz) / 3, 0, static_cast<int>(kPrefixes.size()) - 1);
  return FormatSignificant(hertz / PowerOfTen(3 * group), 6) + " " + kPrefixes[group] + "Hz";
}

std::string ValueLabel(double value, double step) {
  const int decimals = std::max(0, -DecadeBelow(step));
  if (std::abs(value) < step * kSlack) value = 0.0;
  return FormatFixed(value, decimals);
}

}  // namespace orlo::host
