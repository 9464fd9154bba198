#include "host/sweeps/SweepFileError.h"

namespace orlo::host {

namespace {

std::string Describe(const std::string& file, int line, const std::string& reason) {
  return line > 0 ? file + ":" + std::to_string(line) + ": " + reason : file + ": " + reason;
}

}  // namespace

SweepFileError::SweepFileError(const std::string& file, int line, const std::string& reason)
    : std::runtime_error(Describe(file, line, reason)), line_(line) {}

}  // namespace orlo::host
