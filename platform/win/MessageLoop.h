// The message loop of the UI thread: posted messages and timers.
//
// Posted messages (PostMessage) and timers (CWnd::SetTimer) are delivered only by the
// loop, one at a time, never inside another handler's SendMessage. The loop runs on a
// clock: the real monotonic clock (the `orlo` host) or a manual clock that tests move
// with AdvanceClock. A timer with period P set at time T fires at T+P, T+2P, ... : once
// per elapsed period, in due-time order (ties: the timer set first). Timers of a
// destroyed window, and messages posted to it, are dropped.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstdint>

namespace orlo::win {

// Switches the process to the manual clock (starting at 0 ms) or back to the real one.
void UseManualClock(bool manual);
// Current time in milliseconds on the active clock.
std::uint64_t Now();
// Manual clock only: moves time forward by `ms`, delivering every posted message and every
// timer period that falls due on the way, in order.
void AdvanceClock(std::uint32_t ms);
// Delivers what is due now (posted messages first, then due timers); answers how many
// messages were delivered.
int PumpPending();
// Real clock: runs the loop for `ms` milliseconds (sleeping between deliveries).
void RunFor(std::uint32_t ms);

}  // namespace orlo::win
