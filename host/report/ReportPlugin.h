// CReportPlugin: the host's report plug-in, as the module reaches it over the bus.
//
// It owns a subscribed bus client that keeps the parameters of "REPORT_AddParameter"
// (tagREPORTPARAM*) and "REPORT_AddParameterColor" (tagREPORTPARAMCOLOR*) in arrival order;
// the colour is absent for the first kind. StartReport forgets what was kept and broadcasts
// "REPORT_ReportStarting" (no payload), during which the analyzers send their parameters.
#pragma once

#include "host/session/BusClient.h"
#include "platform/win/WinTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace orlo::host {

struct ReportParameter {
  std::wstring name;
  std::wstring value;
  std::optional<COLORREF> colour;
  bool operator==(const ReportParameter&) const = default;
};

class CReportPlugin {
 public:
  // Creates the bus client as a child of `parent` (null: a top-level window) and
  // subscribes it.
  explicit CReportPlugin(CWnd* parent = nullptr);

  HWND Window() const { return client_.m_hWnd; }

  void StartReport();
  const std::vector<ReportParameter>& Parameters() const { return parameters_; }
  // The last parameter kept under `name`, or null.
  const ReportParameter* Find(const std::wstring& name) const;
  void Clear() { parameters_.clear(); }

 private:
  CHostBusClient client_;
  std::vector<ReportParameter> parameters_;
};

}  // namespace orlo::host
