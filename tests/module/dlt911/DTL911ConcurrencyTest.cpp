// Sweep-value updates that the bus delivers on another thread while the analyzer's timer
// redraws on the UI thread, and a long pair converted to dB on two threads. scripts/test
// also runs these under ThreadSanitizer.
#include "platform/common/Bus.h"
#include "platform/win/MessageLoop.h"
#include "tests/module/dlt911/DTL911Scenario.h"

#include <atomic>
#include <thread>

namespace orlo::test {
namespace {

using DTL911Concurrency = DTL911Scenario;

TEST_F(DTL911Concurrency, UpdatesFromAnotherThreadAreRedrawnOnTheTimer) {
  host.AddThreePhases();
  Start();
  const HWND window = analyzer->GetSafeHwnd();
  std::atomic<bool> sent{false};
  std::thread graphThread([&] {
    std::wstring names[] = {L"A", L"B", L"C"};
    for (int i = 0; i < 3000; ++i) {
      ORLOSendSingleMessage(window, "GRAPH_SweepValuesUpdated", &names[i % 3]);
    }
    sent = true;
  });
  int ticks = 0;
  while (!sent) {
    win::AdvanceClock(500);
    ++ticks;
  }
  graphThread.join();
  win::AdvanceClock(500);
  ++ticks;

  // The pair 1-2 is drawn: A and B are redrawn at least once and at most once per tick.
  std::vector<int> refreshes;
  for (const host::CHostCurve* curve : host.Graph().Curves()) refreshes.push_back(curve->RefreshCount());
  ASSERT_EQ(refreshes.size(), 2u);
  for (int count : refreshes) {
    EXPECT_GE(count, 1);
    EXPECT_LE(count, ticks);
  }
  win::AdvanceClock(500);  // nothing left over
  for (size_t i = 0; i < refreshes.size(); ++i) {
    EXPECT_EQ(host.Graph().Curves()[i]->RefreshCount(), refreshes[i]);
  }
}

// Long enough for the two-thread conversion; two equal sweeps agree completely: R = 10.
TEST_F(DTL911Concurrency, ALongPairIsConvertedOnTwoThreads) {
  for (const char* name : {"A", "B"}) {
    host.AddSweep(MakeSweep(name, [](double f) { return WindingResponse(f); }, 70000));
  }
  Start();
  for (int band = 0; band < 3; ++band) EXPECT_EQ(analyzer->Factor(0, band), 10.0) << band;
}

}  // namespace
}  // namespace orlo::test
