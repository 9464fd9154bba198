// ScopedEnvironment: sets an environment variable for the lifetime of the object and
// restores its previous value (or its absence) afterwards; without a value it does
// nothing. Used for --settings-dir (ORLO_APPDATA) of the commands that read or write the
// analyzers' settings. Not thread-safe, like setenv itself.
#pragma once

#include <optional>
#include <string>

namespace orlo::host {

class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::optional<std::string>& value);
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment();

 private:
  const char* name_;
  bool set_ = false;
  std::optional<std::string> old_;
};

}  // namespace orlo::host
