// CWnd: styles, text, enabled state, repaint requests, family, and default processing.
#include "platform/win/Wnd.h"

#include "platform/win/MessageBox.h"
#include "platform/win/WindowRegistry.h"

#include <algorithm>
#include <vector>

using orlo::win::detail::WindowRecord;
using orlo::win::detail::WindowRegistry;

namespace {

// Reads one field of a live window's record; `fallback` for a stale handle.
template <typename T, typename Read>
T ReadRecord(HWND hwnd, T fallback, Read read) {
  T value = fallback;
  WindowRegistry::Get().Visit(hwnd, [&](WindowRecord& record) { value = read(record); });
  return value;
}

// Replaces the bits `remove` by `add` in the style field `field`; true on a change.
bool ChangeStyle(HWND hwnd, DWORD WindowRecord::*field, DWORD remove, DWORD add) {
  bool changed = false;
  WindowRegistry::Get().Visit(hwnd, [&](WindowRecord& record) {
    const DWORD updated = (record.*field & ~remove) | add;
    changed = updated != record.*field;
    record.*field = updated;
  });
  return changed;
}

// ModifyStyle / ModifyStyleEx on the style field `field`.
BOOL ModifyStyleField(CWnd& window, DWORD WindowRecord::*field, DWORD remove, DWORD add,
                      UINT flags) {
  if (!ChangeStyle(window.m_hWnd, field, remove, add)) return FALSE;
  if (flags != 0) {
    window.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | flags);
  }
  return TRUE;
}

}  // namespace

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<const wchar_t*>(lParam);
      return WindowRegistry::Get().Visit(m_hWnd, [text](WindowRecord& record) {
        record.text = text != nullptr ? text : L"";
      }) ? TRUE : FALSE;
    }
    case WM_GETTEXTLENGTH:
      return ReadRecord<LRESULT>(m_hWnd, 0, [](const WindowRecord& record) {
        return static_cast<LRESULT>(record.text.size());
      });
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<wchar_t*>(lParam);
      if (buffer == nullptr || wParam == 0) return 0;
      const std::wstring text = ReadRecord<std::wstring>(
          m_hWnd, L"", [](const WindowRecord& record) { return record.text; });
      const std::size_t copied = std::min<std::size_t>(text.size(), wParam - 1);
      std::copy_n(text.begin(), copied, buffer);
      buffer[copied] = L'\0';
      return static_cast<LRESULT>(copied);
    }
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (pos == nullptr) return 0;
      const RECT placed = ReadRecord<RECT>(m_hWnd, RECT{},
                                           [](const WindowRecord& record) { return record.rect; });
      if ((pos->flags & SWP_NOMOVE) == 0) {
        SendMessage(WM_MOVE, 0,
                    MAKELPARAM(static_cast<WORD>(placed.left), static_cast<WORD>(placed.top)));
      }
      if ((pos->flags & SWP_NOSIZE) == 0) {
        SendMessage(WM_SIZE, 0,
                    MAKELPARAM(static_cast<WORD>(placed.right - placed.left),
                               static_cast<WORD>(placed.bottom - placed.top)));
      }
      return 0;
    }
    default:
      return 0;
  }
}

DWORD CWnd::GetStyle() const {
  return ReadRecord<DWORD>(m_hWnd, 0, [](const WindowRecord& record) { return record.style; });
}

DWORD CWnd::GetExStyle() const {
  return ReadRecord<DWORD>(m_hWnd, 0, [](const WindowRecord& record) { return record.exStyle; });
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
  return ModifyStyleField(*this, &WindowRecord::style, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
  return ModifyStyleField(*this, &WindowRecord::exStyle, remove, add, flags);
}

UINT CWnd::GetClassStyle() const {
  return ReadRecord<UINT>(m_hWnd, 0, [](const WindowRecord& record) { return record.classStyle; });
}

void CWnd::SetWindowText(const std::wstring& text) {
  SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring CWnd::GetWindowText() const {
  const LRESULT length = ::SendMessage(m_hWnd, WM_GETTEXTLENGTH);
  if (length <= 0) return L"";
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
  const LRESULT copied = ::SendMessage(m_hWnd, WM_GETTEXT, buffer.size(),
                                       reinterpret_cast<LPARAM>(buffer.data()));
  return std::wstring(buffer.data(), static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
}

BOOL CWnd::EnableWindow(BOOL enable) {
  const bool wasDisabled = (GetStyle() & WS_DISABLED) != 0;
  const bool changed = ChangeStyle(m_hWnd, &WindowRecord::style, enable ? WS_DISABLED : 0,
                                  enable ? 0 : WS_DISABLED);
  if (changed) SendMessage(WM_ENABLE, enable ? TRUE : FALSE);
  return wasDisabled ? TRUE : FALSE;
}

BOOL CWnd::IsWindowEnabled() const {
  return IsWindow(m_hWnd) && (GetStyle() & WS_DISABLED) == 0 ? TRUE : FALSE;
}

void CWnd::Invalidate(BOOL /*erase*/) {}

int CWnd::MessageBox(const std::wstring& text, const std::wstring& caption, UINT type) {
  return orlo::win::ShowMessageBox(m_hWnd, text, caption, type);
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

int CWnd::GetDlgCtrlID() const {
  return ReadRecord<int>(m_hWnd, 0,
                         [](const WindowRecord& record) { return static_cast<int>(record.id); });
}
