// Visibility, position requests, coordinates, extended styles and enabled state.
#include "tests/platform/win/JournalWnd.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace orlo::win::test {
namespace {

using ::testing::ElementsAre;

TEST(WindowPosTest, ShowingSendsTheRequestFirstAndAHandlerCanVetoIt) {
  Journal journal;
  journal.watched = {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED};
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
  Journal journal;
  journal.watched = {WM_ENABLE};
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

}  // namespace
}  // namespace orlo::win::test
