// CWnd: creation, destruction and message dispatch.
#include "platform/win/Wnd.h"

#include "platform/win/WindowClass.h"
#include "platform/win/WindowRegistry.h"


using orlo::win::detail::WindowRecord;
using orlo::win::detail::WindowRegistry;

namespace {

// A message being handled: the window's object and the message.
struct Handling {
  const CWnd* window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// One message on this thread's chain of handled messages while its handler runs. The
// chain lives on the stack and the head is a plain pointer, so nothing needs destroying
// at thread exit: a library unloaded after the exit handlers may still send messages.
class HandlerScope {
 public:
  explicit HandlerScope(const Handling& handling) : handling_(handling), outer_(innermost_) {
    innermost_ = this;
  }
  ~HandlerScope() { innermost_ = outer_; }
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;

  static const HandlerScope* Innermost() { return innermost_; }
  const Handling& handling() const { return handling_; }
  const HandlerScope* outer() const { return outer_; }

 private:
  // Kept per thread, so a message sent from another thread never disturbs what the UI
  // thread is handling.
  static thread_local const HandlerScope* innermost_;
  Handling handling_;
  const HandlerScope* outer_;
};

thread_local const HandlerScope* HandlerScope::innermost_ = nullptr;

bool IsDestroying(HWND hwnd) {
  bool destroying = false;
  WindowRegistry::Get().Visit(hwnd, [&](WindowRecord& record) { destroying = record.destroying; });
  return destroying;
}

// First sweep: WM_DESTROY to the window, then to its descendants, depth first.
void SendDestroyMessages(HWND hwnd) {
  if (!WindowRegistry::Get().Visit(hwnd, [](WindowRecord& record) { record.destroying = true; })) {
    return;
  }
  ::SendMessage(hwnd, WM_DESTROY);
  for (HWND child : WindowRegistry::Get().Children(hwnd)) {
    if (!IsDestroying(child)) SendDestroyMessages(child);
  }
}

// Second sweep: WM_NCDESTROY to the descendants, then to the window; each handle turns
// stale right after its WM_NCDESTROY.
void FreeWindow(HWND hwnd) {
  for (HWND child : WindowRegistry::Get().Children(hwnd)) {
    if (!IsDestroying(child)) SendDestroyMessages(child);  // made during the first sweep
    FreeWindow(child);
  }
  if (!IsWindow(hwnd)) return;
  ::SendMessage(hwnd, WM_NCDESTROY);
  CWnd* owner = WindowRegistry::Get().Remove(hwnd);
  if (owner != nullptr && owner->m_hWnd == hwnd) owner->m_hWnd = nullptr;
}

}  // namespace

namespace orlo::win::detail {

int HandlerDepth() {
  int depth = 0;
  for (const HandlerScope* scope = HandlerScope::Innermost(); scope != nullptr;
       scope = scope->outer()) {
    ++depth;
  }
  return depth;
}

}  // namespace orlo::win::detail

CWnd::CWnd() = default;

CWnd::~CWnd() {
  const HWND hwnd = m_hWnd;
  if (hwnd == nullptr) return;
  ::DestroyWindow(hwnd);
  // Still registered when the window was already being destroyed further up the stack:
  // the rest of that destruction must not reach this object any more.
  WindowRegistry::Get().Visit(hwnd, [this](WindowRecord& record) {
    if (record.owner == this) record.owner = nullptr;
  });
}

CWnd* CWnd::FromHandle(HWND hwnd) { return WindowRegistry::Get().Owner(hwnd); }

BOOL CWnd::Create(const std::wstring& className, const std::wstring& caption, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id) {
  return CreateEx(0, className, caption, style, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, const std::wstring& className, const std::wstring& caption,
                    DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (IsWindow(m_hWnd)) return FALSE;
  const std::optional<UINT> classStyle = orlo::win::detail::FindWindowClass(className);
  if (!classStyle) return FALSE;
  if (parent != nullptr && !IsWindow(parent->m_hWnd)) return FALSE;

  WindowRecord record;
  record.owner = this;
  record.parent = parent != nullptr ? parent->m_hWnd : nullptr;
  record.classStyle = *classStyle;
  record.text = caption;
  record.style = style;
  record.exStyle = exStyle;
  record.rect = rect;
  record.rect.right = std::max(rect.left, rect.right);
  record.rect.bottom = std::max(rect.top, rect.bottom);
  record.id = id;
  m_hWnd = WindowRegistry::Get().Add(std::move(record));

  if (SendMessage(WM_CREATE) == -1) {
    DestroyWindow();
    return FALSE;
  }
  return IsWindow(m_hWnd);
}

BOOL CWnd::DestroyWindow() { return ::DestroyWindow(m_hWnd); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessage(m_hWnd, message, wParam, lParam);
}

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
       map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn != nullptr; ++entry) {
      if (entry->nMessage == message) return entry->pfn(this, wParam, lParam);
    }
  }
  return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::Default() {
  for (const HandlerScope* scope = HandlerScope::Innermost(); scope != nullptr;
       scope = scope->outer()) {
    const Handling& h = scope->handling();
    if (h.window == this) return DefWindowProc(h.message, h.wParam, h.lParam);
  }
  return DefWindowProc(0, 0, 0);
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* target = WindowRegistry::Get().Owner(hwnd);
  if (target == nullptr) return 0;
  HandlerScope scope({target, message, wParam, lParam});
  return target->WindowProc(message, wParam, lParam);
}

BOOL IsWindow(HWND hwnd) { return WindowRegistry::Get().Contains(hwnd) ? TRUE : FALSE; }

BOOL DestroyWindow(HWND hwnd) {
  if (!IsWindow(hwnd) || IsDestroying(hwnd)) return FALSE;
  SendDestroyMessages(hwnd);
  FreeWindow(hwnd);
  return TRUE;
}

HWND GetParent(HWND hwnd) {
  HWND parent = nullptr;
  WindowRegistry::Get().Visit(hwnd, [&](WindowRecord& record) { parent = record.parent; });
  return parent;
}
