// CDTL911Analyzer: identity, life cycle, bus and window tables, and the readout.
#include "module/dlt911/DTL911Analyzer.h"

#include <cmath>
#include <limits>

#include "module/comparison/SweepStatistics.h"
#include "module/core/GraphMessages.h"
#include "platform/common/Services.h"

namespace {

const std::wstring kEmpty;

}  // namespace

ORLO_BEGIN_SUBSCRIPTION_MAP(CDTL911Analyzer)
ORLO_INHERIT_SUBSCRIPTIONS(CCorrAnalyzer, CDTL911Analyzer)
ORLO_SUBSCRIBE("GRAPH_SweepValuesUpdated", 0, CDTL911Analyzer, OnSweepValuesUpdated)
ORLO_SUBSCRIBE("REPORT_ReportStarting", 0, CDTL911Analyzer, OnReportStarting)
ORLO_END_SUBSCRIPTION_MAP()

BEGIN_MESSAGE_MAP(CDTL911Analyzer, COxBaseManager)
ON_MESSAGE(WM_DESTROY, OnClientDestroy)
ON_MESSAGE(WM_DATAITEM, OnDataItem)
ON_MESSAGE(WM_TIMER, OnTimer)
END_MESSAGE_MAP()

CDTL911Analyzer::CDTL911Analyzer() : CCorrAnalyzer(kGraphType) {}

// The window goes first, so that no timer or bus delivery reaches a half-destroyed object.
CDTL911Analyzer::~CDTL911Analyzer() { DestroyWindow(); }

std::wstring CDTL911Analyzer::GetName() {
  return CGettext::Get().Translate("DL/T 911-2004 Analyzer");
}

std::wstring CDTL911Analyzer::GetGuid() { return L"{E5DDB55E-96C1-47d0-8361-B7519CDA16F2}"; }

bool CDTL911Analyzer::Initialize() { return InitializeWindow(); }

void CDTL911Analyzer::Uninitialize() { DestroyManager(); }

IBaseAnalyzer* CDTL911Analyzer::CreateInstance() { return new CDTL911Analyzer(); }

void CDTL911Analyzer::Destroy() { delete this; }

void CDTL911Analyzer::ReservedHook() {}

double CDTL911Analyzer::BandStatistic(double fLow, double fHigh, SweepData* a, SweepData* b,
                                      double* freqs, int count) {
  return RelativeFactor(fLow, fHigh, *a, *b, freqs, count);
}

// ---------------------------------------------------------------------------------------
// Readout

CGridCtrl* CDTL911Analyzer::GetResultsGrid() { return GridOf(resultsGrid); }

std::optional<std::wstring> CDTL911Analyzer::GetMagnitudeDifferenceText() { return std::nullopt; }

std::vector<PairReadout> CDTL911Analyzer::GetComputedPairs() {
  std::vector<PairReadout> computed;
  for (int p = 0; p < dlt911::kPairCount; ++p) {
    const PairResult& result = pairs[p];
    if (!result.computed) {
      continue;
    }
    PairReadout readout;
    readout.tag = dlt911::kPairs[p].reportTag;
    readout.sweepA = sweepSlots[dlt911::kPairs[p].slotA];
    readout.sweepB = sweepSlots[dlt911::kPairs[p].slotB];
    const auto factors = FactorsOf(result);
    for (int b = 0; b < dlt911::kBandCount; ++b) {
      const dlt911::BandInfo& band = dlt911::kBands[b];
      readout.statistics.push_back(BandReadout{CGettext::Get().Translate(band.factorLabel),
                                               band.low, band.high, factors[b]});
    }
    readout.conclusion = result.conclusion;
    computed.push_back(std::move(readout));
  }
  return computed;
}

double CDTL911Analyzer::Factor(int pair, int band) const {
  if (pair < 0 || pair >= dlt911::kPairCount || band < 0 || band >= dlt911::kBandCount) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  return FactorsOf(pairs[pair])[band];
}

const std::wstring& CDTL911Analyzer::FactorText(int pair, int band) const {
  if (pair < 0 || pair >= dlt911::kPairCount) {
    return kEmpty;
  }
  switch (band) {
    case dlt911::kBandLf:
      return pairs[pair].rLfText;
    case dlt911::kBandMf:
      return pairs[pair].rMfText;
    case dlt911::kBandHf:
      return pairs[pair].rHfText;
    default:
      return kEmpty;
  }
}

const std::wstring& CDTL911Analyzer::Conclusion(int pair) const {
  return pair >= 0 && pair < dlt911::kPairCount ? pairs[pair].conclusion : kEmpty;
}

const std::wstring& CDTL911Analyzer::SweepSlot(int slot) const {
  return slot >= 0 && slot < dlt911::kSlotCount ? sweepSlots[slot] : kEmpty;
}

bool CDTL911Analyzer::IsPairComputed(int pair) const {
  return pair >= 0 && pair < dlt911::kPairCount && pairs[pair].computed;
}

std::array<double, dlt911::kBandCount> CDTL911Analyzer::FactorsOf(const PairResult& result) {
  return {result.rLf, result.rMf, result.rHf};
}
