// The module entry: what loading and unloading the module does on the bus, and the analyzers
// the host then finds: the correlation analysis first, with settings (its dialog is
// BandDialogTest's), then the DL/T 911 analyzer, each the template of its instances.
#include "host/session/HostSession.h"
#include "host/session/MainDialog.h"
#include "module/core/AnalyzerReadout.h"
#include "module/core/ModuleEntry.h"
#include "module/dlt911/DTL911Analyzer.h"
#include "platform/common/Bus.h"
#include "tests/support/HostFixture.h"

#include <gtest/gtest.h>

namespace orlo::test {
namespace {

using module::ORLOModuleEntry;

// What unloading does to the registered analyzers is the manager's (AnalyzerManagerTest)
// and, through the host, HostSessionTest's.
TEST(ModuleEntryTest, LoadPutsTheManagerOnTheBusOnlyBesideAMainDialogAndUnloadTakesItDownOnce) {
  BusRecorder bus;
  EXPECT_TRUE(ORLOModuleEntry(module::kThreadAttach));
  EXPECT_TRUE(ORLOModuleEntry(module::kThreadDetach));
  EXPECT_FALSE(ORLOModuleEntry(4));
  EXPECT_TRUE(ORLOModuleEntry(module::kProcessAttach));  // no window: stays off the bus
  ORLOSendMessage("ORLO_Initialize", nullptr);
  EXPECT_TRUE(ORLOModuleEntry(module::kProcessDetach));
  EXPECT_TRUE(bus.Records().empty());

  host::CMainDialog mainDialog;
  ASSERT_TRUE(mainDialog.CreateDialogWindow());
  bus.Clear();
  EXPECT_TRUE(ORLOModuleEntry(module::kProcessAttach));
  ORLOSendMessage("ORLO_Initialize", nullptr);
  EXPECT_EQ(bus.NamesTo(nullptr), (std::vector<std::wstring>{L"ORLO_GetMainDialog",
                                                             L"ORLO_Initialize", L"ORLO_Initialize"}));
  const HWND manager = bus.Records()[2].target;
  EXPECT_EQ(GetParent(manager), mainDialog.m_hWnd);
  bus.Clear();
  EXPECT_TRUE(ORLOModuleEntry(module::kProcessDetach));
  EXPECT_TRUE(ORLOModuleEntry(module::kProcessDetach));  // nothing left to delete
  EXPECT_EQ(bus.NamesTo(nullptr), std::vector<std::wstring>{L"ORLO_UnInitialize"});
  EXPECT_FALSE(IsWindow(manager));
}

TEST(ModuleEntryTest, TheModuleRegistersTheCorrelationAnalysisThenTheDlt911AnalyzerOnce) {
  host::CHostSession session;
  host::HostSessionOptions options;
  options.moduleEntry = &module::ORLOModuleEntry;
  options.virtualClock = true;
  std::string error;
  ASSERT_TRUE(session.Start(options, error)) << error;
  std::vector<std::wstring> guids, names;
  for (IBaseAnalyzer* analyzer : session.Analyzers()) {
    guids.push_back(analyzer->GetGuid());
    names.push_back(analyzer->GetName());
  }
  ASSERT_EQ(guids, (std::vector<std::wstring>{L"{4BA6F174-43D6-4431-ADD2-DCAC39848B99}",
                                              L"{E5DDB55E-96C1-47d0-8361-B7519CDA16F2}"}));
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Correlation analysis", L"DL/T 911-2004 Analyzer"}));
  IBaseAnalyzer* correlation = session.Analyzers()[0];
  IBaseAnalyzer* dlt911 = session.Analyzers()[1];
  EXPECT_TRUE(correlation->HasSettings());
  EXPECT_FALSE(dlt911->HasSettings());
  IBaseAnalyzer* instance = dlt911->CreateInstance();
  ASSERT_NE(instance, dlt911);
  EXPECT_EQ(instance->GetGuid(), guids[1]);
  EXPECT_NE(dynamic_cast<IAnalyzerReadout*>(instance), nullptr);
  instance->Destroy();
}

// Without a host main dialog there is no window to create; the analyzer still answers
// true and stays usable (its subscription and timer simply do nothing).
TEST(ModuleEntryTest, Dlt911InitializeAnswersTrueEvenWithoutAMainDialog) {
  auto* analyzer = new CDTL911Analyzer;
  EXPECT_TRUE(analyzer->Initialize());
  EXPECT_EQ(analyzer->GetPanel(), nullptr);
  analyzer->Uninitialize();
  analyzer->Destroy();
}

}  // namespace
}  // namespace orlo::test
