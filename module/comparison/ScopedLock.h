// ScopedLock: holds a COxThreadSafe (entered with wait) for one scope, as the comparison
// analyzers guard their list of sweeps whose values changed.
#pragma once

#include "platform/common/Services.h"

class ScopedLock {
 public:
  explicit ScopedLock(COxThreadSafe& lock) : lock_(lock) { lock_.Enter(true); }
  ScopedLock(const ScopedLock&) = delete;
  ScopedLock& operator=(const ScopedLock&) = delete;
  ~ScopedLock() { lock_.Leave(); }

 private:
  COxThreadSafe& lock_;
};
