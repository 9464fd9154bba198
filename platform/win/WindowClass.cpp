#include "platform/win/WindowClass.h"

#include "platform/win/StandardControls.h"
#include "platform/win/Wnd.h"

#include <map>
#include <mutex>

namespace orlo::win::detail {

namespace {

class WindowClasses {
 public:
  static WindowClasses& Get() {
    static auto& classes = *new WindowClasses;  // lives until the process ends
    return classes;
  }

  void Add(const std::wstring& name, UINT style) {
    std::lock_guard lock(mutex_);
    classes_.emplace(name, style);
  }

  std::optional<UINT> Find(const std::wstring& name) {
    std::lock_guard lock(mutex_);
    auto it = classes_.find(name);
    if (it == classes_.end()) return std::nullopt;
    return it->second;
  }

 private:
  // The grid control (platform/controls) lives above this library, so its class name is
  // spelled out here.
  WindowClasses()
      : classes_{{kComboBoxClass, 0}, {kEditClass, 0}, {kButtonClass, 0}, {kStaticClass, 0},
                 {L"ORLOGrid", 0}} {}

  std::mutex mutex_;
  std::map<std::wstring, UINT> classes_;
};

}  // namespace

std::optional<UINT> FindWindowClass(const std::wstring& name) {
  return WindowClasses::Get().Find(name);
}

}  // namespace orlo::win::detail

std::wstring AfxRegisterWndClass(UINT classStyle) {
  std::wstring name = L"OxWnd:" + std::to_wstring(classStyle);
  orlo::win::detail::WindowClasses::Get().Add(name, classStyle);
  return name;
}
