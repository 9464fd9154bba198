// CUpdatedSweeps: the names of the sweeps whose values changed since a comparison analyzer
// last redrew its curves.
//
// The bus delivers "GRAPH_SweepValuesUpdated" on whatever thread the graph plug-in sends it
// from, while the analyzer's timer drains the list on the window's thread; updateLock
// guards every access to the list. Add lists a name once until it is taken. TakeAll takes
// the whole list out under the lock, so the caller redraws without holding it: a delivery
// never waits for a redraw, and a redraw that sends bus messages cannot block on a
// delivery that waits for the lock. The names are those the bus delivered; whether a name
// is one of the analyzer's sweeps is decided by the caller when it redraws (the analyzer's
// sweep names belong to the window's thread).
#pragma once

#include "platform/common/Services.h"

#include <list>
#include <string>

class CUpdatedSweeps {
 public:
  CUpdatedSweeps() = default;
  CUpdatedSweeps(const CUpdatedSweeps&) = delete;
  CUpdatedSweeps& operator=(const CUpdatedSweeps&) = delete;

  // Any thread. An empty name names no sweep and is ignored.
  void Add(const std::wstring& name);
  // The listed names in the order they were first added; the list is empty afterwards.
  std::list<std::wstring> TakeAll();

 private:
  std::list<std::wstring> updatedSweeps;
  COxThreadSafe updateLock{nullptr, -1};
};
