// The module entry: what loading and unloading the module does on the bus, and the hidden
// manager window: where CreateManager puts it and that it stays hidden. Which analyzers
// the host then finds, in which order and with which settings, is AnalyzersCommandTest's.
#include "host/session/MainDialog.h"
#include "module/core/ModuleEntry.h"
#include "module/core/OxBaseManager.h"
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

// Without a host main dialog there is no window to create; the analyzer still answers true
// and stays usable (its subscription and timer simply do nothing). (The instances it makes
// are what the host runs: every AnalyzeCommandTest.)
TEST(ModuleEntryTest, Dlt911InitializesEvenWithoutAMainDialog) {
  auto* analyzer = new CDTL911Analyzer;
  EXPECT_TRUE(analyzer->Initialize());
  EXPECT_EQ(analyzer->GetPanel(), nullptr);
  analyzer->Uninitialize();
  analyzer->Destroy();
}

class CCountingManager : public COxBaseManager {
 public:
  BOOL OnManagerCreated() override { return ++created; }
  int created = 0;
};

bool Shown(const CWnd& window) { return (window.GetStyle() & WS_VISIBLE) != 0; }

TEST(OxBaseManagerTest, BecomesAHiddenChildOfTheMainDialogOnlyWhenThereIsOneAndStaysHidden) {
  CCountingManager orphan;
  EXPECT_FALSE(orphan.CreateManager(nullptr));
  EXPECT_EQ(orphan.created, 0);

  host::CMainDialog mainDialog;
  ASSERT_TRUE(mainDialog.CreateDialogWindow());
  CCountingManager manager, given;
  BusRecorder bus;
  ASSERT_TRUE(manager.CreateManager(nullptr));
  ASSERT_EQ(bus.Records().size(), 1u);
  EXPECT_EQ(bus.Records()[0].name, L"ORLO_GetMainDialog");
  EXPECT_EQ(GetParent(manager.m_hWnd), mainDialog.m_hWnd);
  EXPECT_EQ(manager.GetStyle(), WS_CHILD);
  EXPECT_EQ(manager.GetClassStyle(), static_cast<UINT>(CS_VREDRAW | CS_HREDRAW));
  EXPECT_EQ(manager.GetDlgCtrlID(), 1);
  EXPECT_EQ(manager.created, 1);
  bus.Clear();
  ASSERT_TRUE(given.CreateManager(&mainDialog));
  EXPECT_TRUE(bus.Records().empty());  // a parent given: nothing to ask the host
  EXPECT_EQ(given.created, 1);

  given.ShowWindow(SW_SHOW);
  EXPECT_FALSE(Shown(given));
  given.SetWindowPos(nullptr, 0, 0, 10, 10, SWP_SHOWWINDOW | SWP_NOZORDER);
  EXPECT_FALSE(Shown(given));
  given.SetManagerVisible(TRUE);  // only the flag lets a show request through
  EXPECT_TRUE(Shown(given));
  given.SetManagerVisible(FALSE);
  EXPECT_FALSE(Shown(given));
}

}  // namespace
}  // namespace orlo::test
