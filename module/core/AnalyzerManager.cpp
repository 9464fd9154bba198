#include "module/core/AnalyzerManager.h"

#include "module/dlt911/DTL911Analyzer.h"
#include "module/testanalyzer/TestAnalyzer.h"
#include "module/xcorr/XCorrAnalyzer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

template <typename T>
T* PayloadOf(IORLODataItem* item) {
  return static_cast<T*>(item->GetData());
}

// One built-in analyzer: the object and whether the host gets to see it.
struct BuiltInAnalyzer {
  IBaseAnalyzer* analyzer;
  bool registered;
};

}  // namespace

BEGIN_MESSAGE_MAP(CAnalyzerManager, COxBaseManager)
ON_MESSAGE(WM_DESTROY, OnClientDestroy)
ON_MESSAGE(WM_DATAITEM, OnDataItem)
END_MESSAGE_MAP()

ORLO_BEGIN_SUBSCRIPTION_MAP(CAnalyzerManager)
ORLO_INHERIT_SUBSCRIPTIONS(CORLODataClient, CAnalyzerManager)
ORLO_SUBSCRIBE("ANALYZER_RegisterAnalyzer", 0, CAnalyzerManager, OnRegisterAnalyzer)
ORLO_SUBSCRIBE("ANALYZER_UnregisterAnalyzer", 0, CAnalyzerManager, OnUnregisterAnalyzer)
ORLO_SUBSCRIBE("ANALYZER_AquireAnalyzer", 0, CAnalyzerManager, OnAquireAnalyzer)
ORLO_SUBSCRIBE("ANALYZER_ActivateAnalyzer", 0, CAnalyzerManager, OnActivateAnalyzer)
ORLO_SUBSCRIBE("ANALYZER_DeactivateAnalyzer", 0, CAnalyzerManager, OnDeactivateAnalyzer)
ORLO_SUBSCRIBE("ANALYZER_ChangeAnalyzer", 0, CAnalyzerManager, OnChangeAnalyzer)
ORLO_END_SUBSCRIPTION_MAP()

CAnalyzerManager::~CAnalyzerManager() {
  while (!m_lstAnalyzers.empty()) {
    IBaseAnalyzer* analyzer = m_lstAnalyzers.front();
    m_lstAnalyzers.remove(analyzer);  // its repeated registrations go with it
    analyzer->Destroy();
  }
  m_lstActive.clear();
  // Destroyed here rather than by CWnd, so that this class's OnClientDestroy still runs.
  DestroyWindow();
}

BOOL CAnalyzerManager::OnManagerCreated() {
  COxBaseManager::OnManagerCreated();
  CreateAnalyzers();
  return TRUE;
}

void CAnalyzerManager::CreateAnalyzers() {
  // The built-in analyzers in construction order, one line each: {new CMyAnalyzer, registered}.
  // None of them makes a window before the host initializes it.
  const std::vector<BuiltInAnalyzer> builtIns{
      {new CXCorrAnalyzer, true},
      {new CDTL911Analyzer, true},
      {new CTestAnalyzer, false},
  };

  for (const BuiltInAnalyzer& builtIn : builtIns) {
    if (builtIn.registered) m_lstAnalyzers.push_back(builtIn.analyzer);
  }
  for (const BuiltInAnalyzer& builtIn : builtIns) {
    if (!IsRegistered(builtIn.analyzer)) builtIn.analyzer->Destroy();
  }
}

bool CAnalyzerManager::IsRegistered(const IBaseAnalyzer* analyzer) const {
  return std::find(m_lstAnalyzers.begin(), m_lstAnalyzers.end(), analyzer) !=
         m_lstAnalyzers.end();
}

bool CAnalyzerManager::IsActive(const IBaseAnalyzer* analyzer) const {
  return std::find(m_lstActive.begin(), m_lstActive.end(), analyzer) != m_lstActive.end();
}

void CAnalyzerManager::OnRegisterAnalyzer(IORLODataItem* item) {
  auto* analyzer = PayloadOf<IBaseAnalyzer>(item);
  if (analyzer != nullptr) m_lstAnalyzers.push_back(analyzer);
}

void CAnalyzerManager::OnUnregisterAnalyzer(IORLODataItem* item) {
  const auto found =
      std::find(m_lstAnalyzers.begin(), m_lstAnalyzers.end(), PayloadOf<IBaseAnalyzer>(item));
  if (found != m_lstAnalyzers.end()) m_lstAnalyzers.erase(found);
}

void CAnalyzerManager::OnAquireAnalyzer(IORLODataItem* item) {
  auto* ref = PayloadOf<tagANALYZERREF>(item);
  if (ref == nullptr || ref->nIndex < 0 ||
      static_cast<size_t>(ref->nIndex) >= m_lstAnalyzers.size()) {
    return;
  }
  ref->pAnalyzer = *std::next(m_lstAnalyzers.begin(), ref->nIndex);
}

void CAnalyzerManager::OnActivateAnalyzer(IORLODataItem* item) {
  const auto* ref = PayloadOf<tagANALYZERREF>(item);
  if (ref == nullptr || ref->pAnalyzer == nullptr || IsActive(ref->pAnalyzer)) return;
  m_lstActive.push_back(ref->pAnalyzer);
}

void CAnalyzerManager::OnDeactivateAnalyzer(IORLODataItem* item) {
  const auto* ref = PayloadOf<tagANALYZERREF>(item);
  if (ref == nullptr || ref->pAnalyzer == nullptr) return;
  const auto found = std::find(m_lstActive.begin(), m_lstActive.end(), ref->pAnalyzer);
  if (found != m_lstActive.end()) m_lstActive.erase(found);
}

void CAnalyzerManager::OnChangeAnalyzer(IORLODataItem* /*item*/) {
  if (m_pDataManager == nullptr) return;  // never attached: nobody to tell
  std::vector<IBaseAnalyzer*> analyzers(m_lstAnalyzers.begin(), m_lstAnalyzers.end());
  std::vector<std::uint8_t> active;
  active.reserve(analyzers.size());
  for (IBaseAnalyzer* analyzer : analyzers) active.push_back(IsActive(analyzer) ? 1 : 0);

  tagANALYZERSELECTION selection;
  selection.nCount = static_cast<std::int32_t>(analyzers.size());
  selection.pbActive = active.data();
  selection.ppAnalyzers = analyzers.data();
  m_pDataManager->Send(L"ANALYZER_SelectAnalyzer", 0, &selection, 0, -1);
}
