// FrequencyGrid: the common frequency grid of two sweeps and the placing of a frequency
// (a band edge) on it.
//
// A grid is a plain array of doubles in ascending order with its count. MergeFrequencies
// makes one from two sweeps whose points are in ascending frequency; the caller owns the
// returned array. FindNearIndex only reads the grid it is given.
#pragma once

#include "module/comparison/SweepData.h"

#include <memory>

// The ascending union of the frequencies of `a` and `b` up to the smaller of their two
// highest frequencies, widened to double: a frequency present in both sweeps appears once,
// repeated frequencies within `a` all stay. Walks both sweeps once; a point of `a` met after
// `b` is exhausted is dropped, and a point of `b` that is not greater than the current point
// of `a` (or that does not compare) is taken before it. Writes the number of frequencies to
// `count`; returns null with count 0 when there are none.
std::unique_ptr<double[]> MergeFrequencies(const SweepData& a, const SweepData& b, int& count);

// Index of a grid point near `f`, or -1. A binary search returns an exact hit; otherwise,
// with `mid` the last probed index and tol = f * tolerance, the first of mid, mid - 1 and
// mid + 1 (each within the grid) whose distance to `f` is strictly below tol. Returns -1 for
// a null grid or a count below 1.
int FindNearIndex(double f, const double* freqs, int count, double tolerance);
