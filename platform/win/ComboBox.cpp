// The drop-down list control.
#include "platform/win/StandardControls.h"

#include <algorithm>

namespace {

constexpr int kFieldBorder = 3;  // above and below the selection field's item
constexpr int kMaxItemHeight = 255;

}  // namespace

void CComboBox::UserSelect(int index) {
  if (!IsEntry(index) || !IsWindowEnabled()) return;
  Select(index);
  NotifyParent(*this, CBN_SELCHANGE);
}

std::wstring CComboBox::GetEntryText(int index) const {
  return IsEntry(index) ? entries_[static_cast<std::size_t>(index)].text : L"";
}

LRESULT CComboBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(wParam);
  switch (message) {
    case WM_CREATE: {
      RECT created;
      GetClientRect(&created);
      droppedHeight_ = static_cast<int>(created.bottom);
      Refit();
      return 0;
    }
    case WM_WINDOWPOSCHANGING:
      OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
      return 0;
    case CB_ADDSTRING:
      return Insert(-1, reinterpret_cast<const wchar_t*>(lParam));
    case CB_INSERTSTRING:
      return Insert(index, reinterpret_cast<const wchar_t*>(lParam));
    case CB_DELETESTRING:
      return Delete(index);
    case CB_GETCOUNT:
      return GetCount();
    case CB_GETCURSEL:
      return selection_ >= 0 ? selection_ : CB_ERR;
    case CB_SETCURSEL:
      return Select(index);
    case CB_GETITEMDATA:
      return IsEntry(index) ? entries_[static_cast<std::size_t>(index)].data : CB_ERR;
    case CB_SETITEMDATA:
      if (!IsEntry(index)) return CB_ERR;
      entries_[static_cast<std::size_t>(index)].data = lParam;
      return TRUE;
    case CB_GETLBTEXT: {
      auto* buffer = reinterpret_cast<wchar_t*>(lParam);
      if (!IsEntry(index) || buffer == nullptr) return CB_ERR;
      const std::wstring& text = entries_[static_cast<std::size_t>(index)].text;
      std::copy(text.begin(), text.end(), buffer);
      buffer[text.size()] = L'\0';
      return static_cast<LRESULT>(text.size());
    }
    case CB_GETLBTEXTLEN:
      return IsEntry(index) ? static_cast<LRESULT>(entries_[static_cast<std::size_t>(index)].text.size())
                            : CB_ERR;
    case CB_RESETCONTENT:
      entries_.clear();
      Select(-1);
      return CB_OKAY;
    case CB_GETITEMHEIGHT:
      return index == -1 ? fieldHeight_ : itemHeight_;
    case CB_SETITEMHEIGHT:
      return SetItemHeight(index, static_cast<int>(lParam));
    case CB_GETDROPPEDCONTROLRECT:
      return GetDroppedControlRect(reinterpret_cast<RECT*>(lParam));
    default:
      return CWnd::DefWindowProc(message, wParam, lParam);
  }
}

LRESULT CComboBox::Insert(int index, const wchar_t* text) {
  if (text == nullptr || index < -1 || index > GetCount()) return CB_ERR;
  if (index == -1) index = GetCount();
  entries_.insert(entries_.begin() + index, Entry{text, 0});
  if (selection_ >= index) ++selection_;
  return index;
}

LRESULT CComboBox::Delete(int index) {
  if (!IsEntry(index)) return CB_ERR;
  entries_.erase(entries_.begin() + index);
  if (selection_ == index) {
    Select(-1);
  } else if (selection_ > index) {
    --selection_;
  }
  return GetCount();
}

LRESULT CComboBox::Select(int index) {
  selection_ = IsEntry(index) ? index : -1;
  const std::wstring text = GetEntryText(selection_);
  CWnd::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return selection_ >= 0 ? selection_ : CB_ERR;
}

LRESULT CComboBox::SetItemHeight(int index, int height) {
  if (height < 1 || height > kMaxItemHeight) return CB_ERR;
  if (index != -1) {
    itemHeight_ = height;
    return CB_OKAY;
  }
  fieldHeight_ = height;
  Refit();
  return CB_OKAY;
}

LRESULT CComboBox::GetDroppedControlRect(RECT* rect) const {
  if (rect == nullptr || !IsWindow(m_hWnd)) return CB_ERR;
  GetWindowRect(rect);
  rect->bottom = rect->top + std::max<long>(droppedHeight_, rect->bottom - rect->top);
  return TRUE;
}

void CComboBox::OnWindowPosChanging(WINDOWPOS* pos) {
  if (pos == nullptr || (pos->flags & SWP_NOSIZE) != 0) return;
  droppedHeight_ = std::max(pos->cy, 0);
  pos->cy = fieldHeight_ + 2 * kFieldBorder;
}

void CComboBox::Refit() {
  RECT client;
  GetClientRect(&client);
  SetWindowPos(nullptr, 0, 0, static_cast<int>(client.right), droppedHeight_,
               SWP_NOMOVE | SWP_NOZORDER);
}
