// AxisTicks: where a graph axis starts and ends and where its ticks go.
//
// A logarithmic (frequency) axis spans whole decades: from the power of ten at or below the
// lowest value to the power of ten at or above the highest, one decade at least. Its major
// ticks are the powers of ten, its minor ticks 2..9 times each of them.
//
// A linear (value) axis has its major ticks at a round step: 1, 2 or 5 times a power of
// ten, the smallest of these that needs at most `maxIntervals` intervals. An axis that
// scales itself (RoundTicks) is widened to whole steps around the values; flat values
// (lowest and highest equal to 12 digits) are first widened by the power of ten at or
// below their magnitude (1 for zero). An axis whose range was fixed (TicksWithin) keeps
// that range and gets the round ticks inside it.
//
// Pure functions. Requirements: finite arguments; DecadeTicks 0 < lowest <= highest;
// RoundTicks lowest <= highest; TicksWithin low < high; maxIntervals >= 1.
#pragma once

#include <string>
#include <vector>

namespace orlo::host {

struct AxisTicks {
  double low = 0.0;            // the axis starts here ...
  double high = 0.0;           // ... and ends here
  std::vector<double> major;   // labelled ticks, ascending
  std::vector<double> minor;   // unlabelled ticks, ascending (logarithmic axes only)
  double step = 0.0;           // linear axes: the distance between major ticks
};

AxisTicks DecadeTicks(double lowest, double highest);
AxisTicks RoundTicks(double lowest, double highest, int maxIntervals);
AxisTicks TicksWithin(double low, double high, int maxIntervals);

// A frequency in Hz with a unit prefix and at most 6 significant digits, as tick labels
// show it: "10 Hz", "1 kHz", "100 kHz", "2.5 MHz".
std::string FrequencyLabel(double hertz);
// A tick of a linear axis with the decimals its step needs: "-80", "0.5", "0" (never "-0").
std::string ValueLabel(double value, double step);

}  // namespace orlo::host
