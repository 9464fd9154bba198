#include "module/comparison/SweepOrder.h"

#include <algorithm>
#include <vector>

namespace {

struct KnownOrder {
  const SweepData* sweep;
  const SweepPoint* points;
  int count;
  bool ascending;
};

std::vector<KnownOrder>& Known() {
  thread_local std::vector<KnownOrder> known;
  return known;
}

}  // namespace

bool FrequenciesAscend(const SweepData& sweep) {
  const int count = PointCount(sweep);
  for (int i = 0; i + 1 < count; ++i) {
    if (!(sweep.points[i].frequency <= sweep.points[i + 1].frequency)) {
      return false;
    }
  }
  return true;
}

std::optional<bool> KnownAscending(const SweepData& sweep) {
  const std::vector<KnownOrder>& known = Known();
  const auto found = std::find_if(known.rbegin(), known.rend(), [&](const KnownOrder& k) {
    return k.sweep == &sweep && k.points == sweep.points && k.count == sweep.count;
  });
  if (found == known.rend()) {
    return std::nullopt;
  }
  return found->ascending;
}

SweepOrderScope::SweepOrderScope(const SweepData& a, const SweepData& b) : first_(Known().size()) {
  for (const SweepData* sweep : {&a, &b}) {
    Known().push_back({sweep, sweep->points, sweep->count, FrequenciesAscend(*sweep)});
  }
}

SweepOrderScope::~SweepOrderScope() { Known().resize(first_); }
