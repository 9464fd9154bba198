#include "platform/win/WindowRegistry.h"

namespace orlo::win::detail {

namespace {

// Handles are spaced so that a handle never looks like a small integer or a neighbour.
constexpr std::uintptr_t kHandleStep = 0x10;
constexpr std::uintptr_t kFirstHandle = 0x10000;

}  // namespace

WindowRegistry& WindowRegistry::Get() {
  static auto& registry = *new WindowRegistry;  // lives until the process ends
  return registry;
}

WindowRecord* WindowRegistry::Find(HWND hwnd) {
  auto it = windows_.find(hwnd);
  return it != windows_.end() ? &it->second : nullptr;
}

HWND WindowRegistry::Add(WindowRecord record) {
  std::lock_guard lock(mutex_);
  lastHandle_ = lastHandle_ == 0 ? kFirstHandle : lastHandle_ + kHandleStep;
  HWND hwnd = reinterpret_cast<HWND>(lastHandle_);
  if (WindowRecord* parent = Find(record.parent)) parent->children.push_back(hwnd);
  windows_.emplace(hwnd, std::move(record));
  return hwnd;
}

CWnd* WindowRegistry::Remove(HWND hwnd) {
  std::lock_guard lock(mutex_);
  WindowRecord* record = Find(hwnd);
  if (record == nullptr) return nullptr;
  CWnd* owner = record->owner;
  if (WindowRecord* parent = Find(record->parent)) std::erase(parent->children, hwnd);
  windows_.erase(hwnd);
  return owner;
}

bool WindowRegistry::Visit(HWND hwnd, const std::function<void(WindowRecord&)>& fn) {
  std::lock_guard lock(mutex_);
  WindowRecord* record = Find(hwnd);
  if (record == nullptr) return false;
  fn(*record);
  return true;
}

bool WindowRegistry::Contains(HWND hwnd) {
  std::lock_guard lock(mutex_);
  return Find(hwnd) != nullptr;
}

CWnd* WindowRegistry::Owner(HWND hwnd) {
  std::lock_guard lock(mutex_);
  const WindowRecord* record = Find(hwnd);
  return record != nullptr ? record->owner : nullptr;
}

std::vector<HWND> WindowRegistry::Children(HWND hwnd) {
  std::lock_guard lock(mutex_);
  const WindowRecord* record = Find(hwnd);
  return record != nullptr ? record->children : std::vector<HWND>{};
}

POINT WindowRegistry::ScreenOrigin(HWND hwnd) {
  std::lock_guard lock(mutex_);
  POINT origin;
  for (const WindowRecord* record = Find(hwnd); record != nullptr; record = Find(record->parent)) {
    origin.x += record->rect.left;
    origin.y += record->rect.top;
  }
  return origin;
}

bool WindowRegistry::IsVisible(HWND hwnd) {
  std::lock_guard lock(mutex_);
  const WindowRecord* record = Find(hwnd);
  if (record == nullptr) return false;
  for (; record != nullptr; record = Find(record->parent)) {
    if ((record->style & WS_VISIBLE) == 0) return false;
  }
  return true;
}

}  // namespace orlo::win::detail
