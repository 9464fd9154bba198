#include "module/core/ModuleEntry.h"

#include "module/core/AnalyzerManager.h"

namespace orlo::module {

namespace {

// The module-wide manager. The pointer keeps its value after the manager is deleted
// (nothing reads it then); `managerAlive` tells a repeated detach that there is nothing
// left to delete.
CAnalyzerManager* analyzerManager = nullptr;
bool managerAlive = false;

void AttachProcess() {
  analyzerManager = new CAnalyzerManager;
  managerAlive = true;
  analyzerManager->CreateManager(nullptr);
  analyzerManager->AttachDataManager(analyzerManager->m_hWnd);
}

void DetachProcess() {
  if (analyzerManager == nullptr || !managerAlive) return;
  managerAlive = false;
  delete analyzerManager;
}

}  // namespace

BOOL ORLOModuleEntry(unsigned long reason) {
  switch (reason) {
    case kProcessAttach:
      AttachProcess();
      return TRUE;
    case kProcessDetach:
      DetachProcess();
      return TRUE;
    case kThreadAttach:
    case kThreadDetach:
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace orlo::module
