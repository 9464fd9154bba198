#include "tests/support/BusRecorder.h"

#include "module/comparison/SweepData.h"
#include "module/core/GraphMessages.h"
#include "module/core/ReportMessages.h"
#include "platform/common/Bus.h"

#include <cstdint>
#include <cstdio>

namespace orlo::test {

namespace {

std::wstring Hex(COLORREF colour) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%06X", static_cast<unsigned>(colour));
  return text;
}

std::wstring Summarize(const std::wstring& name, const void* payload) {
  // The display switches carry their value as the payload itself.
  if (name.starts_with(L"ORLO_Show")) return std::to_wstring(reinterpret_cast<std::intptr_t>(payload));
  if (payload == nullptr) return std::wstring();
  if (name == L"GRAPH_AcquireRawData") return static_cast<const SweepData*>(payload)->name;
  if (name == L"GRAPH_DelRange") return static_cast<const tagRANGE*>(payload)->id;
  if (name == L"GRAPH_DeleteCurve") return *static_cast<const std::wstring*>(payload);
  if (name == L"REPORT_AddParameter") {
    const auto* parameter = static_cast<const tagREPORTPARAM*>(payload);
    return parameter->name + L"=" + parameter->value;
  }
  if (name == L"REPORT_AddParameterColor") {
    const auto* parameter = static_cast<const tagREPORTPARAMCOLOR*>(payload);
    return parameter->name + L"=" + parameter->value + L"#" + Hex(parameter->colour);
  }
  return std::wstring();
}

}  // namespace

BusRecorder::BusRecorder()
    : id_(ORLOAddBusObserver([this](const ORLOBusDelivery& delivery) {
        records_.push_back({delivery.name, delivery.target, delivery.broadcast,
                            Summarize(delivery.name, delivery.payload)});
      })) {}

BusRecorder::~BusRecorder() { ORLORemoveBusObserver(id_); }

std::vector<std::wstring> BusRecorder::NamesTo(HWND target, const std::wstring& prefix) const {
  std::vector<std::wstring> names;
  for (const BusRecord& record : records_) {
    if ((target == nullptr || record.target == target) && record.name.starts_with(prefix)) {
      names.push_back(record.name);
    }
  }
  return names;
}

int BusRecorder::CountTo(HWND target, const std::wstring& name) const {
  return static_cast<int>(SummariesTo(target, name).size());
}

std::vector<std::wstring> BusRecorder::SummariesTo(HWND target, const std::wstring& name) const {
  std::vector<std::wstring> summaries;
  for (const BusRecord& record : records_) {
    if (record.target == target && record.name == name) summaries.push_back(record.summary);
  }
  return summaries;
}

}  // namespace orlo::test
