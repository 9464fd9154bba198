#include "module/comparison/UpdatedSweeps.h"

#include "module/comparison/ScopedLock.h"

#include <algorithm>

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
