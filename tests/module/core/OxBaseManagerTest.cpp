// The hidden manager window: where CreateManager puts it and that it stays hidden.
#include "host/session/MainDialog.h"
#include "module/core/OxBaseManager.h"
#include "tests/support/HostFixture.h"

#include <gtest/gtest.h>

namespace orlo::test {
namespace {

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
