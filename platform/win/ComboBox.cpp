// The drop-down list control.
#include "platform/win/StandardControls.h"

#include <algorithm>

namespace {

constexpr int kFieldBorder = 3;  // above and below the selection field's item
constexpr int kFieldHeight = 16;  // the selection field's item
constexpr int kItemHeight = 14;   // a list item

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
      return Append(reinterpret_cast<const wchar_t*>(lParam));
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
    case CB_RESETCONTENT:
      entries_.clear();
      Select(-1);
      return CB_OKAY;
    case CB_GETITEMHEIGHT:
      return index == -1 ? kFieldHeight : kItemHeight;
    case CB_GETDROPPEDCONTROLRECT:
      return GetDroppedControlRect(reinterpret_cast<RECT*>(lParam));
    default:
      return CWnd::DefWindowProc(message, wParam, lParam);
  }
}

LRESULT CComboBox::Append(const wchar_t* text) {
  if (text == nullptr) return CB_ERR;
  entries_.push_back(Entry{text, 0});
  return GetCount() - 1;
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

LRESULT CComboBox::GetDroppedControlRect(RECT* rect) const {
  if (rect == nullptr || !IsWindow(m_hWnd)) return CB_ERR;
  GetWindowRect(rect);
  rect->bottom = rect->top + std::max<long>(droppedHeight_, rect->bottom - rect->top);
  return TRUE;
}

void CComboBox::OnWindowPosChanging(WINDOWPOS* pos) {
  if (pos == nullptr || (pos->flags & SWP_NOSIZE) != 0) return;
  droppedHeight_ = std::max(pos->cy, 0);
  pos->cy = kFieldHeight + 2 * kFieldBorder;
}

void CComboBox::Refit() {
  RECT client;
  GetClientRect(&client);
  SetWindowPos(nullptr, 0, 0, static_cast<int>(client.right), droppedHeight_,
               SWP_NOMOVE | SWP_NOZORDER);
}
