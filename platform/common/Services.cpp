#include "platform/common/Services.h"

#include "platform/win/MessageBox.h"
#include "platform/win/Wnd.h"

#include <atomic>

namespace {
std::atomic<int> orloModel{0};
}

int TransMessageBox(const std::wstring& text, UINT style) {
  return orlo::win::ShowMessageBox(nullptr, text, CGettext::Get().Translate("ORLO"), style);
}

int GetSystemTextWidth(CWnd* window, const std::wstring& text) {
  return orlo::win::TextWidth(window != nullptr ? window->GetSafeHwnd() : nullptr, text);
}

int OxGetOrloModel() { return orloModel.load(); }
void OxSetOrloModel(int model) { orloModel.store(model); }

COxThreadSafe::COxThreadSafe(const wchar_t* /*name*/, int /*spinCount*/) {}

bool COxThreadSafe::Enter(bool wait) {
  const std::thread::id self = std::this_thread::get_id();
  std::unique_lock<std::mutex> lock(mutex_);
  if (depth_ > 0 && owner_ != self) {
    if (!wait) return false;
    released_.wait(lock, [this] { return depth_ == 0; });
  }
  owner_ = self;
  ++depth_;
  return true;
}

void COxThreadSafe::Leave() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (depth_ == 0 || owner_ != std::this_thread::get_id()) return;
  if (--depth_ == 0) {
    owner_ = std::thread::id();
    released_.notify_one();
  }
}
