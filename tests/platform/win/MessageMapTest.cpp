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

class CDerivedWnd : public CBaseWnd {
 public:
  std::wstring seenText;

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

TEST(MessageMapTest, DerivedEntriesWinBaseEntriesAreReachedAndTheRestGetsTheDefault) {
  CDerivedWnd derived;
  CBaseWnd base;
  CPlainDerivedWnd plain;
  ASSERT_TRUE(derived.Make() && base.Make() && plain.Make());
  EXPECT_EQ(derived.SendMessage(WM_OVERRIDDEN), 2);
  EXPECT_EQ(derived.SendMessage(WM_BASE_ONLY, 5, 7), 112);
  EXPECT_EQ(base.SendMessage(WM_OVERRIDDEN), 1);
  EXPECT_EQ(plain.SendMessage(WM_OVERRIDDEN), 2);
  EXPECT_EQ(plain.SendMessage(WM_BASE_ONLY), 100);

  EXPECT_EQ(derived.SendMessage(WM_USER + 9, 1, 2), 0);
  derived.SetWindowText(L"four");
  EXPECT_EQ(derived.seenText, L"four");
  EXPECT_EQ(derived.SendMessage(WM_GETTEXTLENGTH), 4);
  EXPECT_EQ(derived.GetWindowText(), L"four");
}

}  // namespace
