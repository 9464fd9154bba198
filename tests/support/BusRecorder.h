// BusRecorder: every bus delivery while it lives, as the window-system conformance suites
// record message sequences: name, target, broadcast or not, and a payload summary, in the
// order the bus made them (an observer sees each delivery before it happens).
//
// `summary` tells the payload's input for the messages whose payload tests read: the value
// of a display switch ("ORLO_Show..."), the sweep name of a raw-data request, "name=value"
// of report parameters (plus "#" and the COLORREF in six hex digits for coloured ones), the
// identifier of a range or curve deleted; empty for every other message.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>
#include <vector>

namespace orlo::test {

struct BusRecord {
  std::wstring name;
  HWND target = nullptr;
  bool broadcast = false;
  std::wstring summary;
};

class BusRecorder {
 public:
  BusRecorder();
  BusRecorder(const BusRecorder&) = delete;
  BusRecorder& operator=(const BusRecorder&) = delete;
  ~BusRecorder();

  const std::vector<BusRecord>& Records() const { return records_; }
  // Names of the deliveries to `target` (null: to any window) whose name starts with
  // `prefix`, in order.
  std::vector<std::wstring> NamesTo(HWND target, const std::wstring& prefix = L"") const;
  int CountTo(HWND target, const std::wstring& name) const;
  // Summaries of the deliveries of `name` to `target`, in order.
  std::vector<std::wstring> SummariesTo(HWND target, const std::wstring& name) const;
  void Clear() { records_.clear(); }

 private:
  int id_;
  std::vector<BusRecord> records_;
};

}  // namespace orlo::test
