// The module entry: what loading and unloading the module does on the bus.
#include "host/MainDialog.h"
#include "module/core/ModuleEntry.h"
#include "tests/module/core/CoreTestDoubles.h"
#include "platform/common/Bus.h"
#include "tests/support/HostFixture.h"

#include <gtest/gtest.h>

namespace orlo::test {
namespace {

using module::ORLOModuleEntry;
using Names = std::vector<std::wstring>;
using Log = std::vector<std::string>;

TEST(ModuleEntryTest, AttachMakesAHiddenManagerUnderTheMainDialogAndPutsItOnTheBus) {
  host::CMainDialog mainDialog;
  ASSERT_TRUE(mainDialog.CreateDialogWindow());
  BusRecorder bus;
  EXPECT_TRUE(ORLOModuleEntry(module::kProcessAttach));
  ASSERT_EQ(bus.Records().size(), 1u);
  EXPECT_EQ(bus.Records()[0].name, L"ORLO_GetMainDialog");

  bus.Clear();
  ORLOSendMessage("ORLO_Initialize", nullptr);
  ASSERT_EQ(bus.Records().size(), 2u);
  const HWND manager = bus.Records()[1].target;
  EXPECT_EQ(GetParent(manager), mainDialog.m_hWnd);
  EXPECT_FALSE(CWnd::FromHandle(manager)->IsWindowVisible());

  // Unload destroys the analyzers registered from outside and detaches the manager.
  Log destroyed;
  LoggingAnalyzer outsider("outsider", destroyed);
  ORLOSendMessage("ANALYZER_RegisterAnalyzer", &outsider);
  bus.Clear();
  EXPECT_TRUE(ORLOModuleEntry(module::kProcessDetach));
  EXPECT_EQ(destroyed, (std::vector<std::string>{"outsider"}));
  EXPECT_EQ(bus.NamesTo(manager), (Names{L"ORLO_UnInitialize"}));
  EXPECT_EQ(bus.Records().size(), 1u);
  EXPECT_FALSE(IsWindow(manager));

  // A second unload finds nothing left to delete.
  EXPECT_TRUE(ORLOModuleEntry(module::kProcessDetach));
  EXPECT_EQ(destroyed.size(), 1u);
}

TEST(ModuleEntryTest, UnloadWithoutManagerAndThreadReasonsDoNothing) {
  BusRecorder bus;
  EXPECT_TRUE(ORLOModuleEntry(module::kProcessDetach));
  EXPECT_TRUE(ORLOModuleEntry(module::kThreadAttach));
  EXPECT_TRUE(ORLOModuleEntry(module::kThreadDetach));
  EXPECT_FALSE(ORLOModuleEntry(4));
  EXPECT_TRUE(bus.Records().empty());
}

TEST(ModuleEntryTest, WithoutMainDialogTheManagerStaysOffTheBus) {
  BusRecorder bus;
  EXPECT_TRUE(ORLOModuleEntry(module::kProcessAttach));
  EXPECT_EQ(bus.Records().size(), 0u);  // "ORLO_GetMainDialog" found no receiver
  tagANALYZERREF ref;
  ORLOSendMessage("ANALYZER_AquireAnalyzer", &ref);
  EXPECT_TRUE(bus.Records().empty());
  EXPECT_TRUE(ORLOModuleEntry(module::kProcessDetach));
  EXPECT_TRUE(bus.Records().empty());
}

}  // namespace
}  // namespace orlo::test
