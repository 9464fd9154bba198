// The standard controls of the window system that the module talks to by message:
// combo box (drop-down list), edit box, push button / check box, and static text.
//
// Each is a CWnd of a fixed window class (the names below) created with CWnd::Create.
// They answer the same messages as the real controls, with the same results:
//  - combo box: CB_ADDSTRING (appends, no sorting; answers the index), CB_INSERTSTRING,
//    CB_DELETESTRING (answers the remaining count or CB_ERR), CB_GETCOUNT, CB_GETCURSEL
//    (CB_ERR when nothing is selected), CB_SETCURSEL (-1 clears; out of range answers
//    CB_ERR and clears), CB_GETITEMDATA/CB_SETITEMDATA (CB_ERR out of range),
//    CB_GETLBTEXT/CB_GETLBTEXTLEN, CB_RESETCONTENT, CB_GETITEMHEIGHT/CB_SETITEMHEIGHT
//    (wParam -1: the selection field, default 16; otherwise list items, default 14),
//    CB_GETDROPPEDCONTROLRECT (screen rectangle of the control with its drop-down height).
//  - edit box: WM_SETTEXT/WM_GETTEXT, EM_SETREADONLY (wParam TRUE/FALSE).
//  - button: BM_GETCHECK/BM_SETCHECK (check boxes).
// Setting text programmatically sends no notification; only user actions do (UserActions.h
// in platform/common), and then the control sends WM_COMMAND to its parent window with
// MAKEWPARAM(control id, code) and the control's handle as lParam.
#pragma once

#include "platform/win/Wnd.h"

#include <cstdint>
#include <string>
#include <vector>

inline const std::wstring kComboBoxClass = L"ComboBox";
inline const std::wstring kEditClass = L"Edit";
inline const std::wstring kButtonClass = L"Button";
inline const std::wstring kStaticClass = L"Static";

class CComboBox : public CWnd {
 public:
  // User action: select entry `index` and notify the parent with CBN_SELCHANGE.
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
  std::vector<Entry> entries_;
  int selection_ = -1;
  int fieldHeight_ = 16;
  int itemHeight_ = 14;
};

class CEdit : public CWnd {
 public:
  bool IsReadOnly() const { return readOnly_; }
  // User action: replace the text and notify the parent with EN_CHANGE.
  void UserType(const std::wstring& text);

 protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool readOnly_ = false;
};

class CButton : public CWnd {
 public:
  bool IsChecked() const { return checked_; }
  // User actions: click (BN_CLICKED), tick a check box (toggles, then BN_CLICKED).
  void UserClick();
  void UserTick(bool checked);

 protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool checked_ = false;
};

class CStatic : public CWnd {};
