// The message loop of the UI thread: posted messages and timers.
//
// Posted messages (PostMessage) and timers (CWnd::SetTimer) are delivered only by the
// loop, one at a time, never inside another handler's SendMessage. The loop runs on a
// clock: the real monotonic clock (an interactive host: the loop sleeps until something is
// due) or the virtual clock (tests and batch commands: time stands still while handlers
// run and moves only when the loop is told to run, by RunFor or AdvanceClock, jumping from
// one due timer to the next, so waiting costs nothing). Both deliver the same sequence of
// messages. A timer with period P set at time T fires at T+P, T+2P, ... : once
// per elapsed period, in due-time order (ties: the timer set first). Timers of a
// destroyed window, and messages posted to it, are dropped. Messages posted while the
// loop delivers are delivered in the same run, in posting order.
//
// Called from inside a handler (while any SendMessage runs on this thread), PumpPending
// and RunFor deliver nothing and AdvanceClock only moves the clock; what fell due is
// delivered by the next call made outside any handler.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstdint>
#include <functional>

namespace orlo::win {

// Switches the process to the virtual clock (starting at 0 ms) or back to the real one.
// Running timers keep the time they had left.
void UseVirtualClock(bool on);
// Current time in milliseconds on the active clock.
std::uint64_t Now();
// Virtual clock only (no-op on the real clock): moves time forward by `ms`, delivering every
// posted message and every timer period that falls due on the way, in order; during a
// timer's WM_TIMER, Now() answers that period's due time.
void AdvanceClock(std::uint32_t ms);
// Delivers what is due now (posted messages first, then due timers); answers how many
// messages were delivered.
int PumpPending();
// Runs the loop for `ms` milliseconds: on the real clock sleeping between deliveries, on
// the virtual clock as AdvanceClock(ms).
void RunFor(std::uint32_t ms);

// Sees every message the loop delivers (posted ones and WM_TIMER), just before delivery;
// an empty function removes it. Tests record the loop's sequence with it.
using LoopObserver = std::function<void(const MSG&)>;
void SetLoopObserver(LoopObserver observer);

}  // namespace orlo::win
