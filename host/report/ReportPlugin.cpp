#include "host/report/ReportPlugin.h"

#include "module/core/ReportMessages.h"
#include "platform/common/Bus.h"

#include <algorithm>

namespace orlo::host {

CReportPlugin::CReportPlugin(CWnd* parent) {
  client_.CreateClient(parent);
  client_.Subscribe();
  client_.On("REPORT_AddParameter", [this](IORLODataItem& item) {
    if (const auto* p = static_cast<const tagREPORTPARAM*>(item.GetData())) {
      parameters_.push_back({p->name, p->value, std::nullopt});
    }
  });
  client_.On("REPORT_AddParameterColor", [this](IORLODataItem& item) {
    if (const auto* p = static_cast<const tagREPORTPARAMCOLOR*>(item.GetData())) {
      parameters_.push_back({p->name, p->value, p->colour});
    }
  });
}

void CReportPlugin::StartReport() {
  parameters_.clear();
  ORLOSendMessage("REPORT_ReportStarting", nullptr);
}

const ReportParameter* CReportPlugin::Find(const std::wstring& name) const {
  const auto found = std::find_if(parameters_.rbegin(), parameters_.rend(),
                                  [&](const ReportParameter& p) { return p.name == name; });
  return found == parameters_.rend() ? nullptr : &*found;
}

}  // namespace orlo::host
