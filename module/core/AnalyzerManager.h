// CAnalyzerManager: the module's registry of analyzers and the receiver of the host's
// analyzer-framework messages ("ANALYZER_*").
//
// The manager owns every analyzer in its registry (m_lstAnalyzers, registration order;
// the position is the analyzer's index towards the host) and destroys each exactly once
// when it is deleted. m_lstActive records which analyzers the host marked active, each
// at most once; it owns nothing and may name an analyzer that is no longer registered.
// The built-in analyzers are created and registered by OnManagerCreated; others can join
// and leave with "ANALYZER_RegisterAnalyzer" / "ANALYZER_UnregisterAnalyzer".
//
// Registration rules:
// - Every registration appends, so an analyzer registered twice is listed twice (and
//   handed out under both indices); one unregistration removes its first entry only.
//   Deletion still destroys each object once, at its first entry.
// - Unregistration hands ownership back to the caller and is not announced on the bus:
//   the announcement that was foreseen reuses "ANALYZER_DeactivateAnalyzer" with the bare
//   analyzer pointer as payload, which every receiver of that message (the manager
//   included) reads as a tagANALYZERREF; the active mark is left alone as well.
//
// Requires the host's main dialog (answering "ORLO_GetMainDialog") for its window; the
// module entry attaches the manager to the bus after CreateManager.
#pragma once

#include "module/core/AnalyzerInterfaces.h"
#include "module/core/OxBaseManager.h"
#include "module/core/Subscription.h"

#include <list>
#include <string>

class CAnalyzerManager : public COxBaseManager, public CORLODataClient {
 public:
  CAnalyzerManager() = default;
  // Destroys every registered analyzer in registration order (an analyzer listed more
  // than once only at its first entry), forgets the active marks, then destroys the window
  // (which detaches the manager from the bus).
  ~CAnalyzerManager() override;

  BOOL OnManagerCreated() override;

 protected:
  // "ANALYZER_RegisterAnalyzer" / "ANALYZER_UnregisterAnalyzer": payload = the analyzer.
  void OnRegisterAnalyzer(IORLODataItem* item);
  void OnUnregisterAnalyzer(IORLODataItem* item);
  // "ANALYZER_AquireAnalyzer": tagANALYZERREF; writes pAnalyzer for a valid nIndex.
  void OnAquireAnalyzer(IORLODataItem* item);
  // "ANALYZER_ActivateAnalyzer" / "ANALYZER_DeactivateAnalyzer": tagANALYZERREF.pAnalyzer.
  void OnActivateAnalyzer(IORLODataItem* item);
  void OnDeactivateAnalyzer(IORLODataItem* item);
  // "ANALYZER_ChangeAnalyzer": sends "ANALYZER_SelectAnalyzer" with every registered
  // analyzer and its active mark.
  void OnChangeAnalyzer(IORLODataItem* item);

 private:
  // Constructs the built-in analyzers, registers those the host should see and destroys
  // the others.
  void CreateAnalyzers();
  bool IsRegistered(const IBaseAnalyzer* analyzer) const;
  bool IsActive(const IBaseAnalyzer* analyzer) const;

  std::wstring m_strReply;
  std::list<IBaseAnalyzer*> m_lstAnalyzers;
  std::list<IBaseAnalyzer*> m_lstActive;

  ORLO_DECLARE_SUBSCRIPTION_MAP()
  ORLO_DECLARE_CLIENT_HANDLERS()
  DECLARE_MESSAGE_MAP()
};
