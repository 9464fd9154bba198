// CXCorrAnalyzer: identity, life cycle, bus and window tables, settings, and the readout.
#include "module/xcorr/XCorrAnalyzer.h"

#include <algorithm>
#include <limits>

#include "module/bands/SettingsFile.h"
#include "module/bands/XCorrAnalyzerSettings.h"
#include "module/xcorr/XCorrVerdict.h"
#include "platform/common/GuiItem.h"

namespace {

const std::wstring kEmpty;
const std::vector<double> kNoValues;

bool IsPair(int pair) { return pair >= 0 && pair < comparison::kPairCount; }

}  // namespace

// Written out in full: the settings change comes between the life-cycle entries and the
// comparison base's entries, and the sweep-colour entry is this analyzer's own.
ORLO_BEGIN_SUBSCRIPTION_MAP(CXCorrAnalyzer)
ORLO_INHERIT_SUBSCRIPTIONS(CORLODataClient, CXCorrAnalyzer)
ORLO_SUBSCRIBE("ANALYZER_SettingsChange", 0, CXCorrAnalyzer, OnSettingsChange)
ORLO_SUBSCRIBE("GRAPH_RecalcModels", 0, CXCorrAnalyzer, OnRecalcModels)
ORLO_SUBSCRIBE("GRAPH_ApplyModel", 0, CXCorrAnalyzer, OnApplyModel)
ORLO_SUBSCRIBE("GRAPH_RemoveModel", 1, CXCorrAnalyzer, OnRemoveModel)
ORLO_SUBSCRIBE("GRAPH_VisibleCurveCount", 0, CXCorrAnalyzer, OnVisibleCurveCount)
ORLO_SUBSCRIBE("ORLO_CloseFile", 0, CXCorrAnalyzer, OnFileChanged)
ORLO_SUBSCRIBE("ORLO_OpenedFile", 0, CXCorrAnalyzer, OnFileChanged)
ORLO_SUBSCRIBE("GRAPH_SetSweepColor", 0, CXCorrAnalyzer, OnSlotSweepColor)
ORLO_SUBSCRIBE("GRAPH_SweepValuesUpdated", 0, CXCorrAnalyzer, OnSweepValuesUpdated)
ORLO_SUBSCRIBE("REPORT_ReportStarting", 0, CXCorrAnalyzer, OnReportStarting)
ORLO_END_SUBSCRIPTION_MAP()

BEGIN_MESSAGE_MAP(CXCorrAnalyzer, COxBaseManager)
ON_MESSAGE(WM_DESTROY, OnClientDestroy)
ON_MESSAGE(WM_DATAITEM, OnDataItem)
ON_MESSAGE(WM_TIMER, OnTimer)
END_MESSAGE_MAP()

CXCorrAnalyzer::CXCorrAnalyzer() : CCorrAnalyzer(kGraphType) {}

// The window goes first, so that no timer or bus delivery reaches a half-destroyed object.
CXCorrAnalyzer::~CXCorrAnalyzer() {
  DestroyWindow();
  ClearBands(bands);
}

std::wstring CXCorrAnalyzer::GetName() { return CGettext::Get().Translate("Correlation analysis"); }

std::wstring CXCorrAnalyzer::GetGuid() { return L"{4BA6F174-43D6-4431-ADD2-DCAC39848B99}"; }

bool CXCorrAnalyzer::Initialize() { return InitializeWindow(); }

void CXCorrAnalyzer::Uninitialize() { DestroyManager(); }

void CXCorrAnalyzer::ShowSettings(CWnd* parent) {
  CXCorrAnalyzerSettings settings(this);
  settings.RunModal(parent);
}

bool CXCorrAnalyzer::HasSettings() { return true; }

IBaseAnalyzer* CXCorrAnalyzer::CreateInstance() { return new CXCorrAnalyzer(); }

void CXCorrAnalyzer::Destroy() { delete this; }

void CXCorrAnalyzer::ReservedHook() {}

double CXCorrAnalyzer::BandStatistic(double fLow, double fHigh, SweepData* a, SweepData* b,
                                     double* freqs, int count) {
  return xcorr::TechniqueStatistic(currentStatParam, fLow, fHigh, *a, *b, freqs, count);
}

int CXCorrAnalyzer::ClassifyBandValue(const tagFREQBAND& band, double value) const {
  return xcorr::ClassifyBandValue(band, value, currentStatParam);
}

bool CXCorrAnalyzer::ReloadSettings() {
  ClearBands(bands);
  return LoadCurrentSet(bands, currentStatParam, magnitudeDifference, magnitudeDifferenceLimit);
}

void CXCorrAnalyzer::OnSettingsChange(IORLODataItem*) { FullRecalculation(); }

// ---------------------------------------------------------------------------------------
// Readout

CGridCtrl* CXCorrAnalyzer::GetResultsGrid() { return GridOf(resultsGrid); }

std::optional<std::wstring> CXCorrAnalyzer::GetMagnitudeDifferenceText() {
  CWnd* const display = magnDiffItem != nullptr ? magnDiffItem->GetWnd() : nullptr;
  if (!magnitudeDifference || display == nullptr) {
    return std::nullopt;
  }
  return display->GetWindowText();
}

std::vector<PairReadout> CXCorrAnalyzer::GetComputedPairs() {
  std::vector<PairReadout> computed;
  for (int p = 0; p < comparison::kPairCount; ++p) {
    if (!evaluated[p]) {
      continue;
    }
    PairReadout readout;
    readout.tag = comparison::kPairs[p].reportTag;
    readout.sweepA = sweepSlots[comparison::kPairs[p].slotA];
    readout.sweepB = sweepSlots[comparison::kPairs[p].slotB];
    const int shown = std::min(bands.GetSize(), static_cast<int>(bandValues[p].size()));
    for (int i = 0; i < shown; ++i) {
      const tagFREQBAND& band = *bands[i];
      readout.statistics.push_back(
          BandReadout{band.label, band.minFreq, band.maxFreq, bandValues[p][i]});
    }
    readout.conclusion = conclusionText[p];
    readout.magnitudeDifference = magnDiff[p];
    readout.magnitudeDifferenceVerdict = magnDiffText[p];
    computed.push_back(std::move(readout));
  }
  return computed;
}

SettingsFileReadout CXCorrAnalyzer::GetSettingsFileReadout() {
  SettingsFileReadout readout;
  readout.file = SettingsFilePath();
  readout.state = InspectSettingsFile(&readout.reason);
  readout.technique = StatParamName(currentStatParam);
  for (const tagFREQBAND* band : bands) readout.bands.push_back(*band);
  return readout;
}

bool CXCorrAnalyzer::IsPairEvaluated(int pair) const { return IsPair(pair) && evaluated[pair]; }

const std::vector<double>& CXCorrAnalyzer::BandValues(int pair) const {
  return IsPair(pair) ? bandValues[pair] : kNoValues;
}

const std::wstring& CXCorrAnalyzer::ConclusionText(int pair) const {
  return IsPair(pair) ? conclusionText[pair] : kEmpty;
}

double CXCorrAnalyzer::MagnDiff(int pair) const {
  return IsPair(pair) ? magnDiff[pair] : std::numeric_limits<double>::quiet_NaN();
}

const std::wstring& CXCorrAnalyzer::MagnDiffText(int pair) const {
  return IsPair(pair) ? magnDiffText[pair] : kEmpty;
}
