// Windows: creation, destruction order, stale handles, re-entrant sends, message tables,
// visibility and position requests, coordinates, extended styles and enabled state.
#include "tests/platform/win/JournalWnd.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

namespace orlo::win::test {
namespace {

using ::testing::ElementsAre;

TEST(WindowCreateTest, CreatesWindowsOfKnownClassesUnderLiveParents) {
  Journal journal;
  CJournalWnd parent("P", journal);
  ASSERT_TRUE(parent.Make());
  const std::wstring managerClass = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW);
  CWnd child;
  ASSERT_TRUE(child.Create(managerClass, L"", WS_CHILD, RECT{}, &parent, 12));
  EXPECT_EQ(child.GetClassStyle(), CS_VREDRAW | CS_HREDRAW);
  EXPECT_EQ(child.GetParent(), &parent);
  EXPECT_EQ(child.GetDlgCtrlID(), 12);
  EXPECT_EQ(CWnd::FromHandle(child.m_hWnd), &child);

  EXPECT_FALSE(child.Create(managerClass, L"", 0, RECT{}, nullptr, 0)) << "has a window";
  CWnd other, noWindow;
  EXPECT_FALSE(other.Create(L"NoSuchClass", L"", 0, RECT{}, nullptr, 0));
  EXPECT_FALSE(other.Create(managerClass, L"", WS_CHILD, RECT{}, &noWindow, 0));
}

TEST(WindowDestroyTest, SendsDestroyDownTheTreeThenNcDestroyUpIt) {
  Journal journal{{WM_DESTROY, WM_NCDESTROY}};
  CJournalWnd parent("P", journal), a("A", journal), a1("A1", journal), b("B", journal);
  ASSERT_TRUE(parent.Make() && a.Make(&parent) && a1.Make(&a) && b.Make(&parent));
  const HWND handles[] = {parent.m_hWnd, a.m_hWnd, a1.m_hWnd, b.m_hWnd};

  EXPECT_TRUE(parent.DestroyWindow());

  EXPECT_THAT(journal.entries,
              ElementsAre("P:WM_DESTROY", "A:WM_DESTROY", "A1:WM_DESTROY", "B:WM_DESTROY",
                          "A1:WM_NCDESTROY", "A:WM_NCDESTROY", "B:WM_NCDESTROY", "P:WM_NCDESTROY"));
  for (HWND hwnd : handles) EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(a1.m_hWnd, nullptr);
  EXPECT_FALSE(parent.DestroyWindow());
}

TEST(WindowDestroyTest, StaleHandlesAreNoOpsAndNeverComeBack) {
  Journal journal{{WM_USER}};
  CJournalWnd window("W", journal);
  ASSERT_TRUE(window.Make(nullptr, WS_VISIBLE));
  const HWND stale = window.m_hWnd;
  window.DestroyWindow();

  EXPECT_EQ(SendMessage(stale, WM_USER), 0);
  EXPECT_FALSE(PostMessage(stale, WM_USER));
  EXPECT_FALSE(ShowWindow(stale, SW_SHOW));
  EXPECT_EQ(CWnd::FromHandle(stale), nullptr);
  EXPECT_TRUE(journal.entries.empty());
  window.SetWindowText(L"x");
  EXPECT_EQ(window.GetWindowText(), L"");
  EXPECT_EQ(window.SetTimer(2, 100), 0u);

  CJournalWnd next("N", journal);
  ASSERT_TRUE(next.Make());
  EXPECT_NE(next.m_hWnd, stale);
}

TEST(WindowDestroyTest, DeletingObjectsDestroysTheirWindowsEvenMidDestruction) {
  Journal journal{{WM_DESTROY, WM_NCDESTROY}};
  auto parent = std::make_unique<CJournalWnd>("P", journal);
  auto child = std::make_unique<CJournalWnd>("C", journal);
  CJournalWnd grandchild("G", journal);
  ASSERT_TRUE(parent->Make() && child->Make(parent.get()) && grandchild.Make(child.get()));
  // Owners often free their controls while their own window is being destroyed.
  child->On(WM_DESTROY, [&](WPARAM, LPARAM) -> LRESULT {
    child.reset();
    return 0;
  });

  parent.reset();  // the parent's overrides are gone by then: only CWnd's handling runs

  EXPECT_THAT(journal.entries, ElementsAre("C:WM_DESTROY", "G:WM_DESTROY", "G:WM_NCDESTROY"));
  EXPECT_EQ(grandchild.m_hWnd, nullptr);
}

TEST(SendMessageTest, HandlersMaySendToThemselvesAndToOthers) {
  Journal journal;
  CJournalWnd first("F", journal), second("S", journal);
  ASSERT_TRUE(first.Make() && second.Make());
  second.On(WM_USER, [](WPARAM wParam, LPARAM) -> LRESULT { return static_cast<LRESULT>(wParam) * 10; });
  first.On(WM_USER, [&](WPARAM wParam, LPARAM) -> LRESULT {
    if (wParam == 0) return 1;
    return first.SendMessage(WM_USER, wParam - 1) + second.SendMessage(WM_USER, wParam);
  });
  EXPECT_EQ(first.SendMessage(WM_USER, 3), 61);  // 30 + 20 + 10 + 1

  // Default() after a nested send still means the outer message.
  first.On(WM_GETTEXTLENGTH, [&](WPARAM, LPARAM) -> LRESULT {
    first.SendMessage(WM_USER + 7, 1, 2);
    return first.Default();
  });
  EXPECT_EQ(first.SendMessage(WM_GETTEXTLENGTH), 1);
}

class CSelfDeletingWnd : public CWnd {
 protected:
  LRESULT OnClose(WPARAM, LPARAM) {
    delete this;
    return 4;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfDeletingWnd, CWnd)
ON_MESSAGE(WM_USER, OnClose)
END_MESSAGE_MAP()

TEST(SendMessageTest, AHandlerMayDestroyItsOwnWindowOrDeleteItsOwnObject) {
  Journal journal{{WM_DESTROY, WM_NCDESTROY}};
  CJournalWnd window("W", journal);
  ASSERT_TRUE(window.Make());
  BOOL nested = TRUE;
  window.On(WM_USER, [&](WPARAM, LPARAM) -> LRESULT { return window.DestroyWindow() ? 9 : 0; });
  window.On(WM_DESTROY, [&](WPARAM, LPARAM) -> LRESULT {
    nested = window.DestroyWindow();
    return 0;
  });
  EXPECT_EQ(window.SendMessage(WM_USER), 9);
  EXPECT_FALSE(nested) << "a window being destroyed is not destroyed again";
  EXPECT_THAT(journal.entries, ElementsAre("W:WM_DESTROY", "W:WM_NCDESTROY"));
  EXPECT_EQ(window.m_hWnd, nullptr);

  auto* object = new CSelfDeletingWnd;
  ASSERT_TRUE(object->Create(AfxRegisterWndClass(0), L"", 0, RECT{}, nullptr, 0));
  const HWND hwnd = object->m_hWnd;
  EXPECT_EQ(SendMessage(hwnd, WM_USER), 4);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(WindowPosTest, ShowingSendsTheRequestFirstAndAHandlerCanVetoIt) {
  Journal journal{{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}};
  CJournalWnd window("W", journal), child("C", journal);
  ASSERT_TRUE(window.Make() && child.Make(&window, WS_VISIBLE));
  EXPECT_FALSE(child.IsWindowVisible()) << "windows start hidden, so is the parent";

  EXPECT_FALSE(window.ShowWindow(SW_SHOW)) << "was hidden";
  EXPECT_TRUE(child.IsWindowVisible());
  EXPECT_THAT(journal.entries, ElementsAre("W:WM_WINDOWPOSCHANGING", "W:WM_WINDOWPOSCHANGED"));
  EXPECT_TRUE(window.ShowWindow(SW_HIDE));

  window.On(WM_WINDOWPOSCHANGING, [&](WPARAM, LPARAM lParam) -> LRESULT {
    reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
    return window.Default();
  });
  window.ShowWindow(SW_SHOW);
  window.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  EXPECT_FALSE(window.IsWindowVisible());
}

TEST(WindowPosTest, MovesApplyTheRequestAsTheHandlerLeftIt) {
  Journal journal;
  CJournalWnd window("W", journal);
  ASSERT_TRUE(window.Make());
  std::vector<int> requestedWidths;
  LPARAM sized = 0;
  window.On(WM_WINDOWPOSCHANGING, [&](WPARAM, LPARAM lParam) -> LRESULT {
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    requestedWidths.push_back(pos->cx);
    pos->cx -= 100;
    return 0;
  });
  window.On(WM_SIZE, [&](WPARAM, LPARAM lParam) -> LRESULT { return sized = lParam; });

  window.MoveWindow(10, 20, 300, 40);
  EXPECT_EQ(sized, MAKELPARAM(200, 40));
  window.SetWindowPos(nullptr, 5, 6, 1, 1, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(Edges(window), (std::vector<long>{5, 6, 205, 46}));
  EXPECT_THAT(requestedWidths, ElementsAre(300, 1));
}

TEST(WindowCoordinatesTest, ScreenPositionsAddUpTheAncestorsOrigins) {
  Journal journal;
  CJournalWnd top("T", journal), middle("M", journal), inner("I", journal);
  ASSERT_TRUE(top.Make(nullptr, 0, RECT{100, 50, 500, 450}) &&
              middle.Make(&top, 0, RECT{10, 20, 110, 120}) &&
              inner.Make(&middle, 0, RECT{1, 2, 31, 42}));
  EXPECT_EQ(Edges(inner), (std::vector<long>{111, 72, 141, 112}));
  RECT rect;
  inner.GetWindowRect(&rect);
  middle.ScreenToClient(&rect);
  EXPECT_EQ(std::vector<long>({rect.left, rect.top, rect.right, rect.bottom}),
            (std::vector<long>{1, 2, 31, 42}));
}

TEST(WindowAttributesTest, ExtendedStylesAndEnabledState) {
  Journal journal{{WM_ENABLE}};
  CJournalWnd window("W", journal);
  ASSERT_TRUE(window.CreateEx(WS_EX_CLIENTEDGE, AfxRegisterWndClass(0), L"", 0, RECT{},
                              nullptr, 0));
  EXPECT_TRUE(window.ModifyStyleEx(WS_EX_CLIENTEDGE, 0));
  EXPECT_EQ(window.GetExStyle(), 0u);
  EXPECT_FALSE(window.ModifyStyleEx(WS_EX_CLIENTEDGE, 0)) << "nothing left to change";

  EXPECT_FALSE(window.EnableWindow(FALSE)) << "was enabled";
  EXPECT_FALSE(window.IsWindowEnabled());
  EXPECT_TRUE(window.EnableWindow(FALSE)) << "was disabled";
  EXPECT_TRUE(window.EnableWindow(TRUE));
  EXPECT_THAT(journal.entries, ElementsAre("W:WM_ENABLE", "W:WM_ENABLE"));
}

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
}  // namespace orlo::win::test
