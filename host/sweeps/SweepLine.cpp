#include "host/sweeps/SweepLine.h"

#include "host/sweeps/PointValues.h"
#include "host/sweeps/SweepFileError.h"
#include "platform/common/Utf8.h"

#include <cmath>

namespace orlo::host {

namespace {

// What a float ratio can hold in dB: 20 log10 of the smallest and largest positive floats.
constexpr char kDecibelRange[] = "-898 dB to 770 dB";

// Why a field read as `fault` (kNone: a number that is not finite) is refused.
const char* Refusal(NumberFault fault) {
  switch (fault) {
    case NumberFault::kNotANumber:
      return " is not a number: ";
    case NumberFault::kOutOfRange:
      return " is out of the double range: ";
    case NumberFault::kNone:
      break;
  }
  return " is not a finite number: ";
}

}  // namespace

void SweepLine::Fail(const std::string& reason) const {
  throw SweepFileError(file, number, reason);
}

double SweepLine::Number(const NumberRead& read, std::string_view field,
                         std::string_view what) const {
  if (read.ok() && std::isfinite(read.value)) return read.value;
  Fail(std::string(what) + Refusal(read.fault) + QuotedExcerpt(field));
}

double SweepLine::Frequency(const NumberRead& read, std::string_view field) const {
  const double frequency = Number(read, field, "frequency");
  if (frequency <= 0.0) Fail("frequency must be above 0 Hz: " + QuotedExcerpt(field));
  return frequency;
}

float SweepLine::DecibelRatio(double decibels, std::string_view field,
                              std::string_view what) const {
  const float ratio = DecibelToRatio(decibels);
  if (ratio == 0.0f || std::isinf(ratio)) {
    Fail(std::string(what) + " is beyond single precision (" + kDecibelRange + "): " +
         QuotedExcerpt(field));
  }
  return ratio;
}

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace orlo::host
