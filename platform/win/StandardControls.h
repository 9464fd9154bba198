// The standard controls of the window system that the module talks to by message:
// combo box (drop-down list), edit box, push button / check box, and static text.
//
// Each is a CWnd of a fixed window class (the names below) created with CWnd::Create.
// They answer the same messages as the real controls, with the same results:
//  - combo box: CB_ADDSTRING (appends, no sorting; answers the index), CB_DELETESTRING
//    (answers the remaining count or CB_ERR), CB_GETCOUNT, CB_GETCURSEL (CB_ERR when
//    nothing is selected), CB_SETCURSEL (-1 clears; out of range answers CB_ERR and
//    clears), CB_GETITEMDATA/CB_SETITEMDATA (CB_ERR out of range), CB_RESETCONTENT,
//    CB_GETITEMHEIGHT (wParam -1: the selection field, 16; otherwise list items, 14),
//    CB_GETDROPPEDCONTROLRECT (screen rectangle of the control with its drop-down height).
//    The selection stays on its entry when entries before it are deleted and is cleared
//    when its entry is deleted. The window text is the selected entry's text.
//    Geometry as in the real drop-down list: the height of a size request (creation,
//    MoveWindow, SetWindowPos) is the dropped height, that is selection field plus list;
//    the window itself keeps the selection field's height (field item height + 6). So
//    CB_GETDROPPEDCONTROLRECT answers the window's screen rectangle with its bottom at
//    top + the last requested height (never less than the field).
//  - edit box: WM_SETTEXT/WM_GETTEXT, EM_SETREADONLY (wParam TRUE/FALSE; sets or clears
//    ES_READONLY).
//  - button: BM_GETCHECK/BM_SETCHECK (check boxes).
// Notifications go to the parent window as WM_COMMAND with MAKEWPARAM(control id, code) and
// the control's handle as lParam, as the real controls send them: an edit box sends
// EN_CHANGE whenever its text is set, by WM_SETTEXT (SetWindowText) from code as much as by
// typing, read-only or not; a selection set by CB_SETCURSEL and a check set by BM_SETCHECK
// send nothing, only the user's pick (CBN_SELCHANGE) and click (BN_CLICKED) do (user
// actions: UserActions.h in platform/common). A user action on a control without a live
// window, on a disabled control, or on a read-only edit box does nothing.
#pragma once

#include "platform/win/Wnd.h"

#include <cstdint>
#include <string>
#include <vector>

inline const std::wstring kComboBoxClass = L"ComboBox";
inline const std::wstring kEditClass = L"Edit";
inline const std::wstring kButtonClass = L"Button";
inline const std::wstring kStaticClass = L"Static";

// Sends WM_COMMAND(MAKEWPARAM(control id, code), control handle) to the control's parent.
void NotifyParent(const CWnd& control, WORD code);

class CComboBox : public CWnd {
 public:
  // User action: select entry `index` and notify the parent with CBN_SELCHANGE (nothing
  // for an index that is not an entry).
  void UserSelect(int index);
  int GetCount() const { return static_cast<int>(entries_.size()); }
  std::wstring GetEntryText(int index) const;

 protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Entry {
    std::wstring text;
    LPARAM data = 0;
  };
  bool IsEntry(int index) const { return index >= 0 && index < GetCount(); }
  LRESULT Append(const wchar_t* text);
  LRESULT Delete(int index);
  LRESULT Select(int index);
  LRESULT GetDroppedControlRect(RECT* rect) const;
  // Size requests set the dropped height; the window keeps the selection field's height.
  void OnWindowPosChanging(WINDOWPOS* pos);
  void Refit();  // re-applies the dropped height to the window

  std::vector<Entry> entries_;
  int selection_ = -1;
  int droppedHeight_ = 0;
};

class CEdit : public CWnd {
 public:
  bool IsReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }
  // User action: replace the text (which notifies the parent with EN_CHANGE).
  void UserType(const std::wstring& text);

 protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CButton : public CWnd {
 public:
  bool IsChecked() const { return checked_; }
  // User actions: click (BN_CLICKED); tick a check box: the click leaves it in state
  // `checked`, then BN_CLICKED.
  void UserClick();
  void UserTick(bool checked);

 protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool checked_ = false;
};

class CStatic : public CWnd {};
