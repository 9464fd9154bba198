// Window creation, destruction order, stale handles and re-entrant sends.
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
  Journal journal;
  journal.watched = {WM_DESTROY, WM_NCDESTROY};
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
  Journal journal;
  journal.watched = {WM_USER};
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
  Journal journal;
  journal.watched = {WM_DESTROY, WM_NCDESTROY};
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

TEST(SendMessageTest, AHandlerMayDestroyItsOwnWindow) {
  Journal journal;
  journal.watched = {WM_DESTROY, WM_NCDESTROY};
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

TEST(SendMessageTest, AHandlerMayDeleteItsOwnObject) {
  auto* window = new CSelfDeletingWnd;
  ASSERT_TRUE(window->Create(AfxRegisterWndClass(0), L"", 0, RECT{}, nullptr, 0));
  const HWND hwnd = window->m_hWnd;
  EXPECT_EQ(SendMessage(hwnd, WM_USER), 4);
  EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
}  // namespace orlo::win::test
