// CDTL911Analyzer: the report parameters, six per pair whose two sweep slots are filled.
#include "module/core/GraphMessages.h"
#include "module/core/ReportMessages.h"
#include "module/dlt911/DTL911Analyzer.h"
#include "platform/common/Bus.h"

namespace {

const std::wstring kParameterPrefix = L"DTL_911.R ";

void AddParameter(const std::wstring& name, const std::wstring& value) {
  tagREPORTPARAM parameter{name, value};
  ORLOSendMessage("REPORT_AddParameter", &parameter);
}

void AddParameterColor(const std::wstring& name, const std::wstring& value, COLORREF colour) {
  tagREPORTPARAMCOLOR parameter{name, value, colour};
  ORLOSendMessage("REPORT_AddParameterColor", &parameter);
}

}  // namespace

void CDTL911Analyzer::OnReportStarting(IORLODataItem*) {
  std::array<std::wstring, dlt911::kSlotCount> names;
  std::array<COLORREF, dlt911::kSlotCount> colours{};
  for (int s = 0; s < dlt911::kSlotCount; ++s) {
    if (sweepSlots[s].empty()) {
      continue;
    }
    names[s] = TranslatedSweepName(sweepSlots[s]);
    tagSWEEPCOLOR colour;
    colour.name = sweepSlots[s];
    ORLOSendMessage("GRAPH_GetSweepColor", &colour);
    colours[s] = colour.colour;
  }
  for (int p = 0; p < dlt911::kPairCount; ++p) {
    const dlt911::PairInfo& info = dlt911::kPairs[p];
    ReportPair(names[info.slotA], names[info.slotB], info.reportTag, p, colours[info.slotA],
               colours[info.slotB]);
  }
}

void CDTL911Analyzer::ReportPair(const std::wstring& firstName, const std::wstring& secondName,
                                 const std::wstring& tag, int pair, COLORREF firstColour,
                                 COLORREF secondColour) {
  if (firstName.empty() || secondName.empty() || pair < 0 || pair >= dlt911::kPairCount) {
    return;
  }
  const std::wstring stem = kParameterPrefix + tag;
  const PairResult& result = pairs[pair];
  AddParameter(stem + L".Rlf", result.rLfText);
  AddParameter(stem + L".Rmf", result.rMfText);
  AddParameter(stem + L".Rhf", result.rHfText);
  AddParameter(stem + L".Conclusion", result.conclusion);
  AddParameterColor(stem + L".Name1", firstName, firstColour);
  AddParameterColor(stem + L".Name2", secondName, secondColour);
}
