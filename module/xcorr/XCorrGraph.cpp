// CXCorrAnalyzer: the curves of the sweep slots, the shaded band ranges, and the redraw of
// curves whose sweep values changed.
#include <algorithm>

#include "module/comparison/ScopedLock.h"
#include "module/core/GraphMessages.h"
#include "module/xcorr/XCorrAnalyzer.h"
#include "platform/common/Bus.h"

namespace {

constexpr std::array<COLORREF, 10> kRangeColours = {0x8CC8FF, 0xFFB4B4, 0xFFDCAA, 0xC9FFBA,
                                                    0xEEF3CC, 0xE4E0DE, 0xDFF8FA, 0xFCE3EC,
                                                    0xE1FBE8, 0xCBD5F5};

}  // namespace

COLORREF CXCorrAnalyzer::RangeColour(int index) {
  const int count = static_cast<int>(kRangeColours.size());
  return kRangeColours[((index % count) + count) % count];
}

void CXCorrAnalyzer::UpdateGraph() {
  for (CGraphCurvePtr& curve : sweepCurves) {
    if (curve.Get() != nullptr) {
      curve->ClearPoints();
    }
  }
  LabelAxesForChosenSweep();
  for (int s = 0; s < comparison::kSlotCount; ++s) {
    if (!sweepSlots[s].empty()) {
      DrawSweepCurve(sweepSlots[s], sweepCurves[s]);
    }
  }
  Broadcast(L"GRAPH_Repaint", nullptr);
}

void CXCorrAnalyzer::AddBandRanges() {
  // One record for every message: a deletion sets only its identifier, and each addition
  // starts from the record the previous one left.
  tagRANGE range;
  while (!rangeIds.empty()) {
    range.id = rangeIds.back();
    ORLOSendSingleMessage(graphTarget, "GRAPH_DelRange", &range);
    rangeIds.pop_back();
  }
  if (ReloadSettings()) {
    for (int i = 0; i < bands.GetSize(); ++i) {
      const tagFREQBAND& band = *bands[i];
      range.label = band.label;
      range.low = band.minFreq;
      range.high = band.maxFreq;
      range.flag1 = 1;
      range.flag2 = 0;
      range.flag3 = 1;
      range.colour = RangeColour(i);
      ORLOSendSingleMessage(graphTarget, "GRAPH_AddRange", &range);
      rangeIds.push_back(range.id);
    }
  }
  ORLOSendSingleMessage(graphTarget, "GRAPH_Repaint", nullptr);
}

bool CXCorrAnalyzer::IsSlotSweep(const std::wstring& name) const {
  return !name.empty() && std::find(sweepSlots.begin(), sweepSlots.end(), name) != sweepSlots.end();
}

void CXCorrAnalyzer::OnSlotSweepColor(IORLODataItem* item) {
  const auto* name = static_cast<const std::wstring*>(item->GetData());
  if (name != nullptr && IsSlotSweep(*name)) {
    UpdateGraph();
  }
}

void CXCorrAnalyzer::OnSweepValuesUpdated(IORLODataItem* item) {
  const auto* name = static_cast<const std::wstring*>(item->GetData());
  if (name == nullptr || !IsSlotSweep(*name)) {
    return;
  }
  ScopedLock lock(updateLock);
  if (std::find(updatedSweeps.begin(), updatedSweeps.end(), *name) == updatedSweeps.end()) {
    updatedSweeps.push_back(*name);
  }
}

LRESULT CXCorrAnalyzer::OnTimer(WPARAM, LPARAM) {
  {
    ScopedLock lock(updateLock);
    while (!updatedSweeps.empty()) {
      const std::wstring name = updatedSweeps.front();
      updatedSweeps.pop_front();
      for (int s = 0; s < comparison::kSlotCount; ++s) {
        if (sweepSlots[s] != name) {
          continue;
        }
        DrawSweepCurve(name, sweepCurves[s]);
        if (sweepCurves[s].Get() != nullptr) {
          sweepCurves[s]->Refresh();
        }
      }
    }
  }
  return Default();
}
