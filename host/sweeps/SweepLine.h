// SweepLine: the line of a sweep file an importer is reading, so that every importer
// words and places its errors the same way ("file:line: reason").
//
// Holds references to the file name and the line text: both must outlive it.
#pragma once

#include "platform/common/NumberText.h"

#include <string>
#include <string_view>

namespace orlo::host {

struct SweepLine {
  const std::string& file;
  int number;  // 1-based
  std::string_view text;

  // Throws SweepFileError for this line.
  [[noreturn]] void Fail(const std::string& reason) const;

  // The value `read` from `field` (ReadNumber(field)) when it is a finite number; else
  // fails with "<what> is not a number: "<field>"", "<what> is out of the double range:
  // ..." or "<what> is not a finite number: ...".
  double Number(const NumberRead& read, std::string_view field, std::string_view what) const;

  // Number(read, field, "frequency"), which must also be above 0.
  double Frequency(const NumberRead& read, std::string_view field) const;

  // The same for `field` read here (ReadNumber(field)).
  double Number(std::string_view field, std::string_view what) const {
    return Number(ReadNumber(field), field, what);
  }
  double Frequency(std::string_view field) const { return Frequency(ReadNumber(field), field); }

  // The magnitude ratio (DecibelToRatio) of the dB value `decibels` read from `field`;
  // fails with "<what> is beyond single precision (-898 dB to 770 dB): "<field>"" when it
  // rounds to infinity or to 0 as a float.
  float DecibelRatio(double decibels, std::string_view field, std::string_view what) const;
};

// `text` without leading and trailing blanks (spaces and tabs).
std::string_view TrimBlanks(std::string_view text);

}  // namespace orlo::host
