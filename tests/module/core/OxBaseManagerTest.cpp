// The hidden manager window: where CreateManager puts it and that it stays hidden.
#include "host/MainDialog.h"
#include "module/core/OxBaseManager.h"
#include "tests/support/HostFixture.h"

#include <gtest/gtest.h>

namespace orlo::test {
namespace {

class CCountingManager : public COxBaseManager {
 public:
  BOOL OnManagerCreated() override {
    ++created;
    return TRUE;
  }
  BOOL CanDestroyManager() override { return mayDestroy; }

  int created = 0;
  BOOL mayDestroy = TRUE;
};

bool HasVisibleStyle(const CWnd& window) { return (window.GetStyle() & WS_VISIBLE) != 0; }

TEST(OxBaseManagerTest, WithoutParentBecomesHiddenChildOfTheMainDialog) {
  host::CMainDialog mainDialog;
  ASSERT_TRUE(mainDialog.CreateDialogWindow());
  CCountingManager manager;
  BusRecorder bus;

  ASSERT_TRUE(manager.CreateManager(nullptr));
  ASSERT_EQ(bus.Records().size(), 1u);
  EXPECT_EQ(bus.Records()[0].name, L"ORLO_GetMainDialog");
  EXPECT_EQ(bus.Records()[0].target, mainDialog.m_hWnd);
  EXPECT_EQ(GetParent(manager.m_hWnd), mainDialog.m_hWnd);
  EXPECT_EQ(manager.GetStyle(), WS_CHILD);
  EXPECT_EQ(manager.GetClassStyle(), static_cast<UINT>(CS_VREDRAW | CS_HREDRAW));
  EXPECT_EQ(manager.GetDlgCtrlID(), 1);
  RECT rect;
  manager.GetClientRect(&rect);
  EXPECT_EQ(rect.right, 0);
  EXPECT_EQ(rect.bottom, 0);
  EXPECT_EQ(manager.created, 1);
}

TEST(OxBaseManagerTest, GivenParentIsUsedWithoutAskingTheHost) {
  CWnd parent;
  ASSERT_TRUE(parent.Create(AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW), L"", 0, RECT{}, nullptr, 0));
  CCountingManager manager;
  BusRecorder bus;
  ASSERT_TRUE(manager.CreateManager(&parent));
  EXPECT_TRUE(bus.Records().empty());
  EXPECT_EQ(GetParent(manager.m_hWnd), parent.m_hWnd);
}

TEST(OxBaseManagerTest, WithoutMainDialogThereIsNoWindowAndNoHook) {
  CCountingManager manager;
  EXPECT_FALSE(manager.CreateManager(nullptr));
  EXPECT_EQ(manager.m_hWnd, nullptr);
  EXPECT_EQ(manager.created, 0);
}

TEST(OxBaseManagerTest, StaysHiddenWhateverShowRequestArrives) {
  host::CMainDialog mainDialog;
  ASSERT_TRUE(mainDialog.CreateDialogWindow());
  CCountingManager manager;
  ASSERT_TRUE(manager.CreateManager(nullptr));

  manager.ShowWindow(SW_SHOW);
  EXPECT_FALSE(HasVisibleStyle(manager));
  manager.SetWindowPos(nullptr, 0, 0, 10, 10, SWP_SHOWWINDOW | SWP_NOZORDER);
  EXPECT_FALSE(HasVisibleStyle(manager));
  manager.SetManagerVisible(FALSE);
  EXPECT_FALSE(HasVisibleStyle(manager));
  EXPECT_FALSE(manager.IsManagerVisible());

  // Only the flag lets a show request through.
  manager.SetManagerVisible(TRUE);
  EXPECT_TRUE(HasVisibleStyle(manager));
  manager.SetManagerVisible(FALSE);
  EXPECT_FALSE(HasVisibleStyle(manager));
}

TEST(OxBaseManagerTest, DestroyManagerAsksFirst) {
  host::CMainDialog mainDialog;
  ASSERT_TRUE(mainDialog.CreateDialogWindow());
  CCountingManager manager;
  ASSERT_TRUE(manager.CreateManager(nullptr));
  const HWND window = manager.m_hWnd;

  manager.mayDestroy = FALSE;
  manager.DestroyManager();
  EXPECT_TRUE(IsWindow(window));
  manager.mayDestroy = TRUE;
  manager.DestroyManager();
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace orlo::test
