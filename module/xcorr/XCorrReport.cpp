// CXCorrAnalyzer: the report parameters of every pair whose two sweep slots are filled: one
// per band statistic, the conclusion and the two sweep names with their colours.
#include <cmath>
#include <functional>

#include "module/comparison/SweepStatistics.h"
#include "module/xcorr/XCorrAnalyzer.h"
#include "platform/controls/GridCtrl.h"

namespace {

const std::wstring kParameterPrefix = L"XCorrAnalyser.R ";

}  // namespace

void CXCorrAnalyzer::OnReportStarting(IORLODataItem*) {
  ReportEveryPair(sweepSlots, std::bind_front(&CXCorrAnalyzer::ReportPair, this));
}

void CXCorrAnalyzer::ReportPair(const std::wstring& firstName, const std::wstring& secondName,
                                const std::wstring& tag, int pair, COLORREF firstColour,
                                COLORREF secondColour) {
  if (firstName.empty() || secondName.empty() || pair < 0 || pair >= comparison::kPairCount) {
    return;
  }
  const std::wstring stem = kParameterPrefix + tag;
  // The band labels as the criteria grid shows them (row i + 1 for band i).
  if (CGridCtrl* const criteria = GetCriteriaGrid(); criteria != nullptr) {
    const std::vector<double>& values = bandValues[pair];
    for (size_t i = 0; i < values.size(); ++i) {
      const double value = values[i];
      AddReportParameter(
          stem + L".R" + criteria->GetItemText(static_cast<int>(i) + 1, 0),
          std::fabs(value) >= STAT_NO_LOW_EDGE ? std::wstring() : OxFormatValue(value, 2, 4, 2));
    }
  }
  AddReportParameter(stem + L".Conclusion", conclusionText[pair]);
  AddReportParameterColor(stem + L".Name1", firstName, firstColour);
  AddReportParameterColor(stem + L".Name2", secondName, secondColour);
}
