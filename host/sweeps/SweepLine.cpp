#include "host/sweeps/SweepLine.h"

#include "host/sweeps/NumberText.h"
#include "host/sweeps/SweepFileError.h"
#include "platform/common/Utf8.h"

#include <cmath>

namespace orlo::host {

void SweepLine::Fail(const std::string& reason) const {
  throw SweepFileError(file, number, reason);
}

double SweepLine::Number(std::string_view field, std::string_view what, bool decimalComma) const {
  const NumberRead number = ReadFieldNumber(field, decimalComma);
  const std::string quoted = QuotedExcerpt(field);
  switch (number.fault) {
    case NumberFault::kNotANumber:
      Fail(std::string(what) + " is not a number: " + quoted);
    case NumberFault::kOutOfRange:
      Fail(std::string(what) + " is out of the double range: " + quoted);
    case NumberFault::kNone:
      break;
  }
  if (!std::isfinite(number.value)) Fail(std::string(what) + " is not a finite number: " + quoted);
  return number.value;
}

double SweepLine::Frequency(std::string_view field, bool decimalComma) const {
  const double frequency = Number(field, "frequency", decimalComma);
  if (frequency <= 0.0) Fail("frequency must be above 0 Hz: " + QuotedExcerpt(field));
  return frequency;
}

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace orlo::host
