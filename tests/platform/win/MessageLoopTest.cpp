// Timers and posted messages on the virtual clock.
#include "platform/win/MessageLoop.h"

#include "tests/platform/win/JournalWnd.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

namespace orlo::win::test {
namespace {

using ::testing::ElementsAre;

class MessageLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseVirtualClock(true);
    journal_.watched = {WM_USER, WM_USER + 1, WM_USER + 2};
  }
  void TearDown() override { UseVirtualClock(false); }

  // Makes a window that records "<name>:<timer id>@<time>" for each of its WM_TIMERs.
  std::unique_ptr<CJournalWnd> TimerWindow(const std::string& name) {
    auto window = std::make_unique<CJournalWnd>(name, journal_);
    EXPECT_TRUE(window->Make());
    window->On(WM_TIMER, [this, name](WPARAM id, LPARAM) -> LRESULT {
      fired_.push_back(name + ":" + std::to_string(id) + "@" + std::to_string(Now()));
      return 0;
    });
    return window;
  }

  Journal journal_;
  std::vector<std::string> fired_;
};

TEST_F(MessageLoopTest, TimersFireOncePerElapsedPeriodInTimeOrderTiesToTheFirstSet) {
  auto first = TimerWindow("A");
  auto second = TimerWindow("B");
  EXPECT_EQ(first->SetTimer(12312, 200), 12312u);
  second->SetTimer(2, 100);
  AdvanceClock(99);
  EXPECT_TRUE(fired_.empty());
  AdvanceClock(302);
  EXPECT_THAT(fired_, ElementsAre("B:2@100", "A:12312@200", "B:2@200", "B:2@300", "A:12312@400",
                                  "B:2@400"));
  EXPECT_EQ(Now(), 401u);
}

TEST_F(MessageLoopTest, KilledRestartedAndOrphanedTimers) {
  auto window = TimerWindow("W");
  auto doomed = TimerWindow("D");
  window->SetTimer(1, 100);
  window->SetTimer(2, 100);
  doomed->SetTimer(3, 100);
  AdvanceClock(50);
  window->SetTimer(2, 100);  // restarts: next due at 150
  EXPECT_TRUE(window->KillTimer(1));
  EXPECT_FALSE(window->KillTimer(1));
  AdvanceClock(60);
  doomed.reset();
  AdvanceClock(150);
  EXPECT_THAT(fired_, ElementsAre("D:3@100", "W:2@150", "W:2@250"));
}

TEST_F(MessageLoopTest, PostedMessagesArriveInOrderOnlyFromTheLoop) {
  CJournalWnd first("A", journal_), second("B", journal_);
  auto doomed = std::make_unique<CJournalWnd>("D", journal_);
  ASSERT_TRUE(first.Make() && second.Make() && doomed->Make());
  first.On(WM_USER + 1, [&](WPARAM, LPARAM) -> LRESULT { return second.PostMessage(WM_USER + 2); });
  first.PostMessage(WM_USER + 1);
  doomed->PostMessage(WM_USER);
  PostMessage(second.m_hWnd, WM_USER);
  first.PostMessage(WM_USER);
  doomed.reset();
  EXPECT_TRUE(journal_.entries.empty());

  EXPECT_EQ(PumpPending(), 4);
  EXPECT_THAT(journal_.entries,
              ElementsAre("A:WM_USER+1", "B:WM_USER+0", "A:WM_USER+0", "B:WM_USER+2"));
}

TEST_F(MessageLoopTest, NothingIsDeliveredInsideAnotherHandler) {
  auto window = TimerWindow("W");
  window->SetTimer(1, 100);
  window->PostMessage(WM_USER + 2);
  int pumpedInside = -1;
  window->On(WM_USER + 1, [&](WPARAM, LPARAM) -> LRESULT {
    pumpedInside = PumpPending();
    AdvanceClock(250);  // moves the clock only
    return 0;
  });
  window->SendMessage(WM_USER + 1);
  EXPECT_EQ(pumpedInside, 0);
  EXPECT_TRUE(fired_.empty());

  EXPECT_EQ(PumpPending(), 3);
  EXPECT_THAT(fired_, ElementsAre("W:1@250", "W:1@250")) << "late periods arrive now";
}

}  // namespace
}  // namespace orlo::win::test
