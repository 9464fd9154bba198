// PointValues: the conversions every importer uses to build a point, and the value block
// the graph plug-in delivers for it.
//
// The conversions compute in double and round each stored value once to the nearest
// float; they do not check ranges (the import does, with the line at hand).
#pragma once

#include "host/sweeps/Sweep.h"

#include <array>

namespace orlo::host {

// The magnitude ratio of `decibels` as stored: exactly
// static_cast<float>(std::pow(10.0, decibels / 20.0)), bit for bit (0 or infinity beyond
// the float range), at a third of the cost for the values of measurement files.
float DecibelToRatio(double decibels);

// A point from a linear magnitude ratio and a phase in degrees.
Sweep::Point PolarPoint(double frequency, double ratio, double phaseDegrees);

// A point from real and imaginary parts.
Sweep::Point CartesianPoint(double frequency, double real, double imaginary);

// The point's real and imaginary parts, computed in double from its magnitude and phase.
std::array<float, 2> ComplexParts(const Sweep::Point& point);

// Fills `block` (kValueBlockSize floats, the layout of SweepData): [0] real part and
// [1] imaginary part as given (`parts`: the point's ComplexParts, or zeros for a reader
// that does not want them), [2] magnitude ratio, [3] phase in degrees.
inline void FillValueBlock(const Sweep::Point& point, const std::array<float, 2>& parts, float* block) {
  block[0] = parts[0];
  block[1] = parts[1];
  block[2] = point.magnitudeRatio;
  block[3] = point.phaseDegrees;
}

}  // namespace orlo::host
