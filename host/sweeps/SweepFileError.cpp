#include "host/sweeps/SweepFileError.h"

#include "platform/common/Utf8.h"

namespace orlo::host {

namespace {

std::string Describe(const std::string& file, int line, const std::string& reason) {
  const std::string shown = ValidUtf8(file);
  return line > 0 ? shown + ":" + std::to_string(line) + ": " + reason : shown + ": " + reason;
}

}  // namespace

SweepFileError::SweepFileError(const std::string& file, int line, const std::string& reason)
    : std::runtime_error(Describe(file, line, reason)), line_(line) {}

}  // namespace orlo::host
