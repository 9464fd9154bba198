#include "module/comparison/UpdatedSweeps.h"

#include <algorithm>

namespace {

// Holds a COxThreadSafe for one scope.
class ScopedLock {
 public:
  explicit ScopedLock(COxThreadSafe& lock) : lock_(lock) { lock_.Enter(true); }
  ScopedLock(const ScopedLock&) = delete;
  ScopedLock& operator=(const ScopedLock&) = delete;
  ~ScopedLock() { lock_.Leave(); }

 private:
  COxThreadSafe& lock_;
};

}  // namespace

void CUpdatedSweeps::Add(const std::wstring& name) {
  if (name.empty()) return;
  ScopedLock lock(updateLock);
  if (std::find(updatedSweeps.begin(), updatedSweeps.end(), name) == updatedSweeps.end()) {
    updatedSweeps.push_back(name);
  }
}

std::list<std::wstring> CUpdatedSweeps::TakeAll() {
  std::list<std::wstring> taken;
  ScopedLock lock(updateLock);
  taken.swap(updatedSweeps);
  return taken;
}
