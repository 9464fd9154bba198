// The module entry: what loading and unloading the module does on the bus.
#include "host/session/MainDialog.h"
#include "module/core/ModuleEntry.h"
#include "platform/common/Bus.h"
#include "tests/support/HostFixture.h"

#include <gtest/gtest.h>

namespace orlo::test {
namespace {

using module::ORLOModuleEntry;

// What unloading does to the registered analyzers is the manager's (AnalyzerManagerTest)
// and, through the host, HostSessionTest's.
TEST(ModuleEntryTest, LoadPutsTheManagerOnTheBusAndUnloadTakesItDownOnce) {
  host::CMainDialog mainDialog;
  ASSERT_TRUE(mainDialog.CreateDialogWindow());
  BusRecorder bus;
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

TEST(ModuleEntryTest, OtherReasonsAndAHostWithoutMainDialog) {
  BusRecorder bus;
  EXPECT_TRUE(ORLOModuleEntry(module::kThreadAttach));
  EXPECT_TRUE(ORLOModuleEntry(module::kThreadDetach));
  EXPECT_FALSE(ORLOModuleEntry(4));

  EXPECT_TRUE(ORLOModuleEntry(module::kProcessAttach));  // no window: stays off the bus
  ORLOSendMessage("ORLO_Initialize", nullptr);
  EXPECT_TRUE(ORLOModuleEntry(module::kProcessDetach));
  EXPECT_TRUE(bus.Records().empty());
}

}  // namespace
}  // namespace orlo::test
