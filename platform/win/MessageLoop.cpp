#include "platform/win/MessageLoop.h"

#include "platform/win/WindowRegistry.h"
#include "platform/win/Wnd.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

namespace orlo::win {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kMinimumPeriodMs = 10;

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  std::uint64_t period = 0;
  std::uint64_t due = 0;
  std::uint64_t order = 0;  // ties in due time go to the timer set first
};

// The loop's state. The lock is never held while a message is delivered.
class Loop {
 public:
  static Loop& Get() {
    static auto& loop = *new Loop;  // lives until the process ends
    return loop;
  }

  std::uint64_t Now() {
    std::lock_guard lock(mutex_);
    return NowLocked();
  }

  bool IsVirtual() {
    std::lock_guard lock(mutex_);
    return virtual_;
  }

  void SetObserver(LoopObserver observer) {
    std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
  }

  // Switching clocks keeps every timer's remaining time.
  void UseVirtualClock(bool on) {
    std::lock_guard lock(mutex_);
    const std::uint64_t before = NowLocked();
    virtual_ = on;
    virtualNow_ = 0;
    const std::uint64_t after = NowLocked();
    for (Timer& timer : timers_) timer.due = after + (timer.due > before ? timer.due - before : 0);
  }

  // Virtual clock: time never goes back.
  void MoveVirtualClockTo(std::uint64_t time) {
    std::lock_guard lock(mutex_);
    virtualNow_ = std::max(virtualNow_, time);
  }

  UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) {
    if (!IsWindow(hwnd)) return 0;
    std::lock_guard lock(mutex_);
    EraseTimer(hwnd, id);
    const std::uint64_t period = std::max<std::uint64_t>(elapseMs, kMinimumPeriodMs);
    timers_.push_back({hwnd, id, period, NowLocked() + period, nextOrder_++});
    return id;
  }

  bool KillTimer(HWND hwnd, UINT_PTR id) {
    std::lock_guard lock(mutex_);
    return EraseTimer(hwnd, id);
  }

  bool Post(const MSG& message) {
    if (!IsWindow(message.hwnd)) return false;
    {
      std::lock_guard lock(mutex_);
      posted_.push_back(message);
    }
    wake_.notify_all();
    return true;
  }

  // Delivers posted messages, then timer periods due at or before `limit`, in order, until
  // nothing is left; answers how many messages reached a window.
  int DeliverDue(std::uint64_t limit) {
    int delivered = DeliverPosted();
    while (FireNextTimer(limit)) delivered += 1 + DeliverPosted();
    return delivered;
  }

  // Real clock: sleeps until the next timer is due, a message is posted, or `end`.
  void WaitUntil(std::uint64_t end) {
    std::unique_lock lock(mutex_);
    std::uint64_t wake = end;
    for (const Timer& timer : timers_) wake = std::min(wake, timer.due);
    wake_.wait_until(lock, realStart_ + std::chrono::milliseconds(wake),
                     [this] { return !posted_.empty(); });
  }

 private:
  Loop() = default;

  std::uint64_t NowLocked() const {
    if (virtual_) return virtualNow_;
    const auto elapsed = Clock::now() - realStart_;
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
  }

  bool EraseTimer(HWND hwnd, UINT_PTR id) {
    return std::erase_if(timers_, [&](const Timer& timer) {
             return timer.hwnd == hwnd && timer.id == id;
           }) > 0;
  }

  int DeliverPosted() {
    int delivered = 0;
    for (;;) {
      MSG message;
      {
        std::lock_guard lock(mutex_);
        if (posted_.empty()) return delivered;
        message = posted_.front();
        posted_.pop_front();
      }
      if (!IsWindow(message.hwnd)) continue;  // dropped: the window is gone
      Deliver(message);
      ++delivered;
    }
  }

  // Fires the earliest timer due at or before `limit`; false when none is due. The timers
  // of destroyed windows are dropped on the way.
  bool FireNextTimer(std::uint64_t limit) {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    {
      std::lock_guard lock(mutex_);
      std::erase_if(timers_, [](const Timer& timer) { return !IsWindow(timer.hwnd); });
      auto next = std::min_element(timers_.begin(), timers_.end(), [](const Timer& a, const Timer& b) {
        return a.due != b.due ? a.due < b.due : a.order < b.order;
      });
      if (next == timers_.end() || next->due > limit) return false;
      if (virtual_) virtualNow_ = std::max(virtualNow_, next->due);
      next->due += next->period;
      hwnd = next->hwnd;
      id = next->id;
    }
    Deliver({hwnd, WM_TIMER, id, 0});
    return true;
  }

  void Deliver(const MSG& message) {
    LoopObserver observer;
    {
      std::lock_guard lock(mutex_);
      observer = observer_;
    }
    if (observer) observer(message);
    SendMessage(message.hwnd, message.message, message.wParam, message.lParam);
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  bool virtual_ = false;
  std::uint64_t virtualNow_ = 0;
  const Clock::time_point realStart_ = Clock::now();
  std::vector<Timer> timers_;
  std::uint64_t nextOrder_ = 0;
  std::deque<MSG> posted_;
  LoopObserver observer_;
};

bool InsideHandler() { return detail::HandlerDepth() > 0; }

}  // namespace

void UseVirtualClock(bool on) { Loop::Get().UseVirtualClock(on); }

std::uint64_t Now() { return Loop::Get().Now(); }

void AdvanceClock(std::uint32_t ms) {
  Loop& loop = Loop::Get();
  if (!loop.IsVirtual()) return;
  const std::uint64_t target = loop.Now() + ms;
  if (!InsideHandler()) loop.DeliverDue(target);
  loop.MoveVirtualClockTo(target);
}

int PumpPending() {
  if (InsideHandler()) return 0;
  Loop& loop = Loop::Get();
  return loop.DeliverDue(loop.Now());
}

void RunFor(std::uint32_t ms) {
  Loop& loop = Loop::Get();
  if (loop.IsVirtual()) {
    AdvanceClock(ms);
    return;
  }
  if (InsideHandler()) return;
  const std::uint64_t end = loop.Now() + ms;
  for (;;) {
    loop.DeliverDue(loop.Now());
    if (loop.Now() >= end) return;
    loop.WaitUntil(end);
  }
}

void SetLoopObserver(LoopObserver observer) { Loop::Get().SetObserver(std::move(observer)); }

}  // namespace orlo::win

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, void* /*unusedTimerProc*/) {
  return orlo::win::Loop::Get().SetTimer(m_hWnd, id, elapseMs);
}

BOOL CWnd::KillTimer(UINT_PTR id) {
  return orlo::win::Loop::Get().KillTimer(m_hWnd, id) ? TRUE : FALSE;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return orlo::win::Loop::Get().Post({hwnd, message, wParam, lParam}) ? TRUE : FALSE;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessage(m_hWnd, message, wParam, lParam);
}
