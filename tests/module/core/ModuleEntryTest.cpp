// The module entry: what loading and unloading the module does on the bus. Which analyzers
// the host then finds, in which order and with which settings, is AnalyzersCommandTest's.
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

// Each analyzer is the template of its instances. Without a host main dialog there is no
// window to create; the analyzer still answers true and stays usable (its subscription and
// timer simply do nothing).
TEST(ModuleEntryTest, Dlt911MakesInstancesAndInitializesEvenWithoutAMainDialog) {
  auto* analyzer = new CDTL911Analyzer;
  IBaseAnalyzer* instance = analyzer->CreateInstance();
  ASSERT_NE(instance, analyzer);
  EXPECT_EQ(instance->GetGuid(), L"{E5DDB55E-96C1-47d0-8361-B7519CDA16F2}");
  EXPECT_NE(dynamic_cast<IAnalyzerReadout*>(instance), nullptr);
  instance->Destroy();
  EXPECT_TRUE(analyzer->Initialize());
  EXPECT_EQ(analyzer->GetPanel(), nullptr);
  analyzer->Uninitialize();
  analyzer->Destroy();
}

}  // namespace
}  // namespace orlo::test
