#include "host/session/ScopedEnvironment.h"

#include <cstdlib>

namespace orlo::host {

ScopedEnvironment::ScopedEnvironment(const char* name, const std::optional<std::string>& value)
    : name_(name) {
  if (!value) return;
  if (const char* old = std::getenv(name)) old_ = old;
  set_ = true;
  setenv(name, value->c_str(), 1);
}

ScopedEnvironment::~ScopedEnvironment() {
  if (!set_) return;
  if (old_) {
    setenv(name_, old_->c_str(), 1);
  } else {
    unsetenv(name_);
  }
}

}  // namespace orlo::host
