// DecimalLog: the decimal logarithm of a float rounded to a float, as the analyzers take
// it for every magnitude they convert to decibels, in a fraction of the time of log10, and
// that conversion itself (MagnitudeToDecibel), shared by the analyzers and the graph that
// keeps the curves they draw. Code that includes it must be compiled without
// floating-point contraction (-ffp-contract=off), as the module, the host and this library are.
//
// RoundedLog10(x) is static_cast<float>(std::log10(static_cast<double>(x))), bit for bit,
// for every float x. For a positive normal x it evaluates the logarithm from a table and a
// short series, with an error far below a float's spacing; only when that value lies so
// near the midpoint between two floats that the rounding could go either way (or for any
// other x: zero, negative, subnormal, infinite, NaN) does it call std::log10 itself.
// Thread-safe.
#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace decimal_log {

constexpr int kTableBits = 10;
constexpr int kMantissaBits = 23;

// For the mantissas m in [1 + i/1024, 1 + (i+1)/1024): a float r near 1/m, so that
// t = m * r - 1 is small (|t| < 2^-10.99) and exact in double (m and r have 24
// significant bits each, and m * r lies within a factor 2 of 1), and -log10(r) in double.
struct Step {
  double reciprocal;
  double minusLog;
};
extern const std::array<Step, 1 << kTableBits> kSteps;

constexpr double kLog10Of2 = 0.301029995663981195213738894724493027;
// The series of log10(1 + t) = ln(1 + t) / ln 10 to t^4; the rest is below
// |t|^5 / (5 ln 10) < 2^-46 |t|.
constexpr double kLn10 = 2.302585092994045684017991454684364208;
constexpr double kC1 = 1 / kLn10, kC2 = -1 / (2 * kLn10), kC3 = 1 / (3 * kLn10), kC4 = -1 / (4 * kLn10);

// static_cast<float>(std::log10(static_cast<double>(x))): the definition, and the fallback.
float LibraryLog10(float x);

}  // namespace decimal_log

inline float RoundedLog10(float x) {
  using namespace decimal_log;
  const auto bits = std::bit_cast<std::uint32_t>(x);
  const auto biased = static_cast<int>(bits >> kMantissaBits);
  if (biased == 0 || biased >= 0xFF) return LibraryLog10(x);  // not a positive normal float
  const std::uint32_t fraction = bits & ((1u << kMantissaBits) - 1);
  const Step& step = kSteps[fraction >> (kMantissaBits - kTableBits)];
  const double mantissa = 1.0 + static_cast<double>(fraction) * 0x1p-23;
  const double t = mantissa * step.reciprocal - 1.0;  // exact
  const double t2 = t * t;
  const double tail = t * (kC1 + t * kC2) + t2 * t * (kC3 + t * kC4);
  const double binary = (biased - 127) * kLog10Of2;
  const double value = (binary + step.minusLog) + tail;
  // The series' remainder, every rounding above, the table's and the constants' errors and
  // std::log10's own (a few units in the last place of a double) stay below 2^-44 times
  // the sum of the terms' sizes; 2^-40 leaves room to spare. When the whole interval
  // rounds to one float, so does std::log10's value, which lies in it.
  const double margin = (std::fabs(binary) + std::fabs(step.minusLog) + std::fabs(tail)) * 0x1p-40;
  const auto low = static_cast<float>(value - margin);
  if (low == static_cast<float>(value + margin)) return low;
  return LibraryLog10(x);
}

// The decibel value of a linear magnitude ratio, exactly as the analyzers compute it:
// log10 in double of the single-precision value, rounded to single precision, times 20 in
// single precision. Zero gives -infinity, a negative ratio NaN.
inline float MagnitudeToDecibel(float ratio) { return 20.0f * RoundedLog10(ratio); }
