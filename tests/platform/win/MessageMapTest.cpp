// Message tables: lookup along the chain of class tables, default processing, Default().
#include "platform/win/Wnd.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT WM_BASE_ONLY = WM_USER + 1;
constexpr UINT WM_OVERRIDDEN = WM_USER + 2;

class CBaseWnd : public CWnd {
 public:
  bool Make() { return Create(AfxRegisterWndClass(0), L"", 0, RECT{}, nullptr, 0) != FALSE; }

 protected:
  LRESULT OnBaseOnly(WPARAM wParam, LPARAM lParam) { return 100 + static_cast<LRESULT>(wParam) + lParam; }
  LRESULT OnOverridden(WPARAM, LPARAM) { return 1; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_MESSAGE(WM_BASE_ONLY, OnBaseOnly)
ON_MESSAGE(WM_OVERRIDDEN, OnOverridden)
END_MESSAGE_MAP()

// A second base with state after the window part: the table must reach the whole object.
class CPayload {
 public:
  virtual ~CPayload() = default;
  std::wstring seenText;
};

class CDerivedWnd : public CBaseWnd, public CPayload {
 protected:
  LRESULT OnOverridden(WPARAM, LPARAM) { return 2; }
  LRESULT OnSetText(WPARAM, LPARAM lParam) {
    seenText = reinterpret_cast<const wchar_t*>(lParam);
    return Default();  // lets the default processing store the text
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
ON_MESSAGE(WM_OVERRIDDEN, OnOverridden)
ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

class CPlainDerivedWnd : public CDerivedWnd {};  // no table of its own

TEST(MessageMapTest, DerivedEntriesWinAndBaseEntriesAreReached) {
  CDerivedWnd derived;
  CBaseWnd base;
  CPlainDerivedWnd plain;
  ASSERT_TRUE(derived.Make() && base.Make() && plain.Make());
  EXPECT_EQ(derived.SendMessage(WM_OVERRIDDEN), 2);
  EXPECT_EQ(derived.SendMessage(WM_BASE_ONLY, 5, 7), 112);
  EXPECT_EQ(base.SendMessage(WM_OVERRIDDEN), 1);
  EXPECT_EQ(plain.SendMessage(WM_OVERRIDDEN), 2);
  EXPECT_EQ(plain.SendMessage(WM_BASE_ONLY), 100);
}

TEST(MessageMapTest, OtherMessagesGetTheDefaultProcessing) {
  CDerivedWnd window;
  ASSERT_TRUE(window.Make());
  EXPECT_EQ(window.SendMessage(WM_USER + 9, 1, 2), 0);
  window.SetWindowText(L"four");
  EXPECT_EQ(window.seenText, L"four");
  EXPECT_EQ(window.SendMessage(WM_GETTEXTLENGTH), 4);
  EXPECT_EQ(window.GetWindowText(), L"four");
}

}  // namespace
