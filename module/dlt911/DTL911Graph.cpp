// CDTL911Analyzer: the curves of the selected pair, the shaded band ranges, and the
// redraw of curves whose sweep values changed.
#include <algorithm>

#include "module/comparison/ScopedLock.h"
#include "module/core/GraphMessages.h"
#include "module/dlt911/DTL911Analyzer.h"
#include "platform/common/Bus.h"

void CDTL911Analyzer::UpdateGraph() {
  LabelAxesForChosenSweep();
  if (!sweepNameA.empty()) {
    DrawSweepCurve(sweepNameA, curveA);
  }
  if (!sweepNameB.empty()) {
    DrawSweepCurve(sweepNameB, curveB);
  }
  Broadcast(L"GRAPH_Repaint", nullptr);
}

void CDTL911Analyzer::AddBandRanges() {
  SetupGraph();
  for (const dlt911::BandInfo& band : dlt911::kBands) {
    tagRANGE range;
    range.label = CGettext::Get().Translate(band.factorLabel);
    range.low = band.low;
    range.high = band.high;
    range.flag1 = 1;
    range.flag2 = 0;
    range.flag3 = 1;
    range.colour = band.rangeColour;
    ORLOSendSingleMessage(graphTarget, "GRAPH_AddRange", &range);
  }
}

void CDTL911Analyzer::OnSweepValuesUpdated(IORLODataItem* item) {
  const auto* name = static_cast<const std::wstring*>(item->GetData());
  // An empty name names no sweep, even while a pair slot is empty.
  if (name == nullptr || name->empty() || (*name != sweepNameA && *name != sweepNameB)) {
    return;
  }
  ScopedLock lock(updateLock);
  if (std::find(updatedSweeps.begin(), updatedSweeps.end(), *name) == updatedSweeps.end()) {
    updatedSweeps.push_back(*name);
  }
}

LRESULT CDTL911Analyzer::OnTimer(WPARAM, LPARAM) {
  {
    ScopedLock lock(updateLock);
    while (!updatedSweeps.empty()) {
      const std::wstring name = updatedSweeps.front();
      updatedSweeps.pop_front();
      CGraphCurvePtr* const curve = name == sweepNameA   ? &curveA
                                    : name == sweepNameB ? &curveB
                                                         : nullptr;
      if (curve == nullptr) {
        continue;
      }
      DrawSweepCurve(name, *curve);
      if (curve->Get() != nullptr) {
        (*curve)->Refresh();
      }
    }
  }
  return Default();
}
