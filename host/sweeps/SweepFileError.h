// SweepFileError: why a sweep file could not be imported.
//
// what() is "file:line: reason", or "file: reason" when the fault is not on one line
// (line 0: the file cannot be read). Every importer throws this type and nothing else
// for bad input, so a caller prints what() and moves on.
#pragma once

#include <stdexcept>
#include <string>

namespace orlo::host {

class SweepFileError : public std::runtime_error {
 public:
  SweepFileError(const std::string& file, int line, const std::string& reason);

  int line() const { return line_; }

 private:
  int line_;
};

}  // namespace orlo::host
