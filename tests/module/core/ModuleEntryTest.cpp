// The module entry: what loading and unloading the module does on the bus.
#include "host/session/MainDialog.h"
#include "module/core/ModuleEntry.h"
#include "platform/common/Bus.h"
#include "tests/module/core/CoreTestDoubles.h"
#include "tests/support/HostFixture.h"

#include <gtest/gtest.h>

namespace orlo::test {
namespace {

using module::ORLOModuleEntry;

TEST(ModuleEntryTest, LoadPutsAHiddenManagerOnTheBusAndUnloadTakesItDown) {
  host::CMainDialog mainDialog;
  ASSERT_TRUE(mainDialog.CreateDialogWindow());
  BusRecorder bus;
  EXPECT_TRUE(ORLOModuleEntry(module::kProcessAttach));
  ORLOSendMessage("ORLO_Initialize", nullptr);
  ASSERT_EQ(bus.Records().size(), 3u);
  EXPECT_EQ(bus.Records()[0].name, L"ORLO_GetMainDialog");
  const HWND manager = bus.Records()[2].target;
  EXPECT_EQ(GetParent(manager), mainDialog.m_hWnd);

  std::vector<std::string> destroyed;
  LoggingAnalyzer outsider("outsider", destroyed);
  ORLOSendMessage("ANALYZER_RegisterAnalyzer", &outsider);
  bus.Clear();
  EXPECT_TRUE(ORLOModuleEntry(module::kProcessDetach));
  EXPECT_EQ(destroyed, (std::vector<std::string>{"outsider"}));
  ASSERT_EQ(bus.Records().size(), 1u);
  EXPECT_EQ(bus.Records()[0].name, L"ORLO_UnInitialize");
  EXPECT_EQ(bus.Records()[0].target, manager);

  EXPECT_TRUE(ORLOModuleEntry(module::kProcessDetach));  // nothing left to delete
  EXPECT_EQ(destroyed.size(), 1u);
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
