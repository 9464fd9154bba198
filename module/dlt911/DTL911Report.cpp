// CDTL911Analyzer: the report parameters, six per pair whose two sweep slots are filled.
#include <functional>

#include "module/dlt911/DTL911Analyzer.h"

namespace {

const std::wstring kParameterPrefix = L"DTL_911.R ";

}  // namespace

void CDTL911Analyzer::OnReportStarting(IORLODataItem*) {
  ReportEveryPair(sweepSlots, std::bind_front(&CDTL911Analyzer::ReportPair, this));
}

void CDTL911Analyzer::ReportPair(const std::wstring& firstName, const std::wstring& secondName,
                                 const std::wstring& tag, int pair, COLORREF firstColour,
                                 COLORREF secondColour) {
  if (firstName.empty() || secondName.empty() || pair < 0 || pair >= dlt911::kPairCount) {
    return;
  }
  const std::wstring stem = kParameterPrefix + tag;
  const PairResult& result = pairs[pair];
  AddReportParameter(stem + L".Rlf", result.rLfText);
  AddReportParameter(stem + L".Rmf", result.rMfText);
  AddReportParameter(stem + L".Rhf", result.rHfText);
  AddReportParameter(stem + L".Conclusion", result.conclusion);
  AddReportParameterColor(stem + L".Name1", firstName, firstColour);
  AddReportParameterColor(stem + L".Name2", secondName, secondColour);
}
