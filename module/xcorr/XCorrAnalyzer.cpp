#include "module/xcorr/XCorrAnalyzer.h"

#include "module/bands/XCorrAnalyzerSettings.h"
#include "module/comparison/SweepStatistics.h"
#include "platform/common/Services.h"

ORLO_BEGIN_SUBSCRIPTION_MAP(CXCorrAnalyzer)
ORLO_SUBSCRIBE("ORLO_Initialize", 1, CXCorrAnalyzer, OnInitializeMessage)
ORLO_SUBSCRIBE("ORLO_UnInitialize", 1, CXCorrAnalyzer, OnUnInitializeMessage)
ORLO_END_SUBSCRIPTION_MAP()

BEGIN_MESSAGE_MAP(CXCorrAnalyzer, COxBaseManager)
ON_MESSAGE(WM_DESTROY, OnClientDestroy)
ON_MESSAGE(WM_DATAITEM, OnDataItem)
END_MESSAGE_MAP()

CXCorrAnalyzer::CXCorrAnalyzer() : CCorrAnalyzer(kGraphType) {}

// The window goes first, so that no timer or bus delivery reaches a half-destroyed object.
CXCorrAnalyzer::~CXCorrAnalyzer() { DestroyWindow(); }

std::wstring CXCorrAnalyzer::GetName() { return CGettext::Get().Translate("Correlation analysis"); }

std::wstring CXCorrAnalyzer::GetGuid() { return L"{4BA6F174-43D6-4431-ADD2-DCAC39848B99}"; }

void CXCorrAnalyzer::CreatePanel(CORLOGuiItem*) {}

int CXCorrAnalyzer::DestroyPanel() { return DestroyPanelItems(); }

bool CXCorrAnalyzer::Initialize() { return InitializeWindow(); }

void CXCorrAnalyzer::Uninitialize() { DestroyManager(); }

void CXCorrAnalyzer::ShowSettings(CWnd* parent) {
  CXCorrAnalyzerSettings settings(this);
  settings.RunModal(parent);
}

bool CXCorrAnalyzer::HasSettings() { return true; }

IBaseAnalyzer* CXCorrAnalyzer::CreateInstance() { return new CXCorrAnalyzer(); }

void CXCorrAnalyzer::Destroy() { delete this; }

CGridCtrl* CXCorrAnalyzer::GetResultsGrid() { return nullptr; }

std::optional<std::wstring> CXCorrAnalyzer::GetMagnitudeDifferenceText() { return std::nullopt; }

std::vector<PairReadout> CXCorrAnalyzer::GetComputedPairs() { return {}; }

void CXCorrAnalyzer::UpdateGraph() {}

double CXCorrAnalyzer::BandStatistic(double, double, SweepData*, SweepData*, double*, int) {
  return STAT_UNDEFINED;
}

void CXCorrAnalyzer::RebuildResults(bool) {}

void CXCorrAnalyzer::LayoutGrid() {}

void CXCorrAnalyzer::ReservedHook() {}

void CXCorrAnalyzer::ClearPairDisplay() {}
