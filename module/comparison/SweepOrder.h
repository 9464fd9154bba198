// SweepOrder: whether a sweep's frequencies ascend, checked once per pair of sweeps.
//
// A MagnitudeReader may search a sweep only when its frequencies ascend, which takes a pass
// over the whole sweep; the statistics of one pair build two readers per band and
// statistic. A SweepOrderScope checks a pair's two sweeps once and, while it lives,
// answers for them on this thread (KnownAscending), so the readers need not check again.
// The sweeps must stay where they are, with the same points, while the scope lives (a
// sweep whose point array or count has changed is no longer answered for). Scopes nest;
// each must end on the thread that began it, the latest first.
#pragma once

#include <cstddef>
#include <optional>

#include "module/comparison/SweepData.h"

// Each frequency is <= the next (so none is NaN).
bool FrequenciesAscend(const SweepData& sweep);

// FrequenciesAscend(sweep) when a live scope on this thread checked `sweep`, else nothing.
std::optional<bool> KnownAscending(const SweepData& sweep);

class SweepOrderScope {
 public:
  SweepOrderScope(const SweepData& a, const SweepData& b);
  SweepOrderScope(const SweepOrderScope&) = delete;
  SweepOrderScope& operator=(const SweepOrderScope&) = delete;
  ~SweepOrderScope();

 private:
  std::size_t first_;  // where this scope's answers start in the thread's list
};
