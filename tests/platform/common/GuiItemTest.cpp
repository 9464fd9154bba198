// GUI items and user actions: kinds and windows, ownership, layout, teardown, the
// messages that reach the owner, and modal runs.
#include "platform/common/GuiItem.h"
#include "platform/common/UserActions.h"
#include "platform/controls/GridCtrl.h"
#include "platform/win/StandardControls.h"
#include "tests/platform/win/JournalWnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using orlo::win::test::Edges;

struct CRecordingOwner : IBaseGuiManager {
  void OnGuiMessage(CORLOGuiItem* item, ORLOWndMessage* message) override {
    items.push_back(item);
    messages.push_back(*message);
    if (message->message == WM_NOTIFY) {
      gridRow = reinterpret_cast<const NM_GRIDVIEW*>(message->lParam)->iRow;
    }
  }
  void OnGuiCreate(CORLOGuiItem* item) override {
    calls.push_back(L"create");
    if (item->Children().empty()) ORLOSpawnGuiItem(item, this, ORLO_GUI_EDIT);
  }
  void OnGuiPopulate() override { calls.push_back(L"populate"); }

  std::vector<CORLOGuiItem*> items;
  std::vector<ORLOWndMessage> messages;
  std::vector<std::wstring> calls;
  int gridRow = -9;
};

class GuiItemTest : public testing::Test {
 protected:
  void TearDown() override {
    root->DestroyItem();
    orlo::user::ClearModalActions();
    ORLORegisterGraphWindowFactory({});
  }
  CORLOGuiItem* Spawn(int kind, CORLOGuiItem* parent = nullptr) {
    return ORLOSpawnGuiItem(parent != nullptr ? parent : root, &owner, kind);
  }

  CRecordingOwner owner;
  CORLOGuiItem* root = ORLOSpawnGuiItem(nullptr, &owner, ORLO_GUI_CONTAINER);
};

TEST_F(GuiItemTest, EachKindGetsItsControlAsAChildOfItsFrame) {
  EXPECT_NE(dynamic_cast<CEdit*>(Spawn(ORLO_GUI_EDIT)->GetWnd()), nullptr);
  EXPECT_NE(dynamic_cast<CButton*>(Spawn(ORLO_GUI_CHECKBOX)->GetWnd()), nullptr);
  EXPECT_NE(dynamic_cast<CStatic*>(Spawn(ORLO_GUI_TEXT)->GetWnd()), nullptr);
  EXPECT_NE(dynamic_cast<CGridCtrl*>(Spawn(ORLO_GUI_GRID)->GetWnd()), nullptr);
  EXPECT_NE(dynamic_cast<CComboBox*>(Spawn(ORLO_GUI_DROPDOWN)->GetWnd()), nullptr);
  EXPECT_EQ(Spawn(ORLO_GUI_GRAPH)->GetWnd(), nullptr);  // no graph plug-in yet
  EXPECT_EQ(Spawn(9), nullptr);
  for (const auto& child : root->Children()) {
    EXPECT_EQ(child->Parent(), root);
    if (CWnd* wnd = child->GetWnd()) {
      EXPECT_NE(wnd->GetParent(), root->GetWnd());
    }
  }
  CWnd* frameSeen = nullptr;
  ORLORegisterGraphWindowFactory([&](CWnd* frame) {
    frameSeen = frame;
    auto wnd = std::make_unique<CWnd>();
    wnd->Create(AfxRegisterWndClass(0), L"", WS_CHILD, RECT{}, frame, 7);
    return wnd;
  });
  CWnd* graph = Spawn(ORLO_GUI_GRAPH)->GetWnd();
  ASSERT_NE(graph, nullptr);
  EXPECT_EQ(graph->GetParent(), frameSeen);
}

TEST_F(GuiItemTest, AddChildMovesOwnershipInCallOrderAndTeardownDestroysEverything) {
  CORLOGuiItem* row = Spawn(ORLO_GUI_CONTAINER);
  CORLOGuiItem* label = Spawn(ORLO_GUI_TEXT);
  CORLOGuiItem* grid = Spawn(ORLO_GUI_GRID);
  CORLOGuiItem* loose = ORLOSpawnGuiItem(nullptr, &owner, ORLO_GUI_BUTTON);
  for (CORLOGuiItem* child : {grid, label, loose, grid, root, row}) row->AddChild(child);
  row->AddChild(nullptr);  // like root and row itself above: refused
  ASSERT_EQ(root->Children().size(), 1u);
  ASSERT_EQ(row->Children().size(), 3u);
  EXPECT_EQ(row->Children()[0].get(), label);
  EXPECT_EQ(row->Children()[1].get(), loose);
  EXPECT_EQ(row->Children()[2].get(), grid);

  EXPECT_EQ(label->DestroyItem(), 1);
  EXPECT_EQ(row->Children().size(), 2u);
  const HWND windows[] = {grid->GetWnd()->m_hWnd, grid->GetWnd()->GetParent()->m_hWnd,
                          root->GetWnd()->m_hWnd};
  root->DestroyWindows();
  EXPECT_TRUE(root->Children().empty());
  for (HWND hwnd : windows) EXPECT_FALSE(IsWindow(hwnd));
  root->SetText(L"gone");  // harmless without windows
  root->Layout(RECT{0, 0, 10, 10});
}

TEST_F(GuiItemTest, LayoutStacksShownChildrenAndSharesTheRest) {
  CORLOGuiItem* grid = Spawn(ORLO_GUI_GRID);
  CORLOGuiItem* hidden = Spawn(ORLO_GUI_DROPDOWN);
  CORLOGuiItem* title = Spawn(ORLO_GUI_TEXT);
  CORLOGuiItem* row = Spawn(ORLO_GUI_CONTAINER);
  CORLOGuiItem* label = Spawn(ORLO_GUI_TEXT, row);
  CORLOGuiItem* display = Spawn(ORLO_GUI_EDIT, row);
  hidden->SetItemState(0);
  row->SetItemState(0);  // containers ignore it
  title->SetItemHeight(15);
  title->SetText(L"Conclusion:");
  row->SetOrientation(1);
  row->SetItemHeight(20);
  label->SetItemWidth(100);

  root->Layout(RECT{10, 20, 310, 255});
  EXPECT_FALSE(hidden->GetWnd()->IsWindowVisible());
  EXPECT_TRUE(display->GetWnd()->IsWindowVisible());
  EXPECT_EQ(title->GetWnd()->GetWindowText(), L"Conclusion:");
  EXPECT_EQ(Edges(*grid->GetWnd()), (std::vector<long>{10, 20, 310, 220}));
  EXPECT_EQ(Edges(*title->GetWnd()), (std::vector<long>{10, 220, 310, 235}));
  EXPECT_EQ(Edges(*label->GetWnd()), (std::vector<long>{10, 235, 110, 255}));
  EXPECT_EQ(Edges(*display->GetWnd()), (std::vector<long>{110, 235, 310, 255}));
}

TEST_F(GuiItemTest, UserActionsReachTheOwnerAsTheFrameReceivedThemWhereAUserCouldAct) {
  CORLOGuiItem* edit = Spawn(ORLO_GUI_EDIT);
  CORLOGuiItem* check = Spawn(ORLO_GUI_CHECKBOX);
  CORLOGuiItem* list = Spawn(ORLO_GUI_DROPDOWN);
  CORLOGuiItem* grid = Spawn(ORLO_GUI_GRID);
  CORLOGuiItem* button = Spawn(ORLO_GUI_BUTTON);
  CORLOGuiItem* readOnly = Spawn(ORLO_GUI_EDIT);
  CORLOGuiItem* gone = Spawn(ORLO_GUI_EDIT);
  readOnly->GetWnd()->SendMessage(EM_SETREADONLY, TRUE);
  gone->DestroyWindows();
  button->GetWnd()->EnableWindow(FALSE);
  EXPECT_FALSE(orlo::user::TypeText(nullptr, L"x"));
  EXPECT_FALSE(orlo::user::ClickButton(edit));                           // not a button
  EXPECT_FALSE(orlo::user::ClickGridCell(Spawn(ORLO_GUI_GRAPH), 1, 1));  // no window
  EXPECT_FALSE(orlo::user::PickEntry(list, 0));                          // no such entry
  EXPECT_FALSE(orlo::user::ClickButton(button));                         // disabled
  button->GetWnd()->EnableWindow(TRUE);
  button->SetItemState(0);
  EXPECT_FALSE(orlo::user::ClickButton(button));  // hidden
  EXPECT_FALSE(orlo::user::TypeText(readOnly, L"x"));
  EXPECT_FALSE(orlo::user::TypeText(gone, L"x"));
  EXPECT_TRUE(owner.messages.empty());

  list->GetWnd()->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"LRxy"));
  static_cast<CGridCtrl*>(grid->GetWnd())->SetRowCount(4);
  static_cast<CGridCtrl*>(grid->GetWnd())->SetColumnCount(6);
  ASSERT_TRUE(orlo::user::TypeText(edit, L"0.25"));
  ASSERT_TRUE(orlo::user::TickCheckBox(check, true));
  EXPECT_TRUE(static_cast<CButton*>(check->GetWnd())->IsChecked());
  ASSERT_TRUE(orlo::user::PickEntry(list, 0));
  ASSERT_TRUE(orlo::user::ClickGridCell(grid, 2, 3));
  ASSERT_EQ(owner.items, (std::vector<CORLOGuiItem*>{edit, check, list, grid}));
  const WORD codes[] = {EN_CHANGE, BN_CLICKED, CBN_SELCHANGE};
  for (int i = 0; i < 3; ++i) {
    const ORLOWndMessage& got = owner.messages[i];
    EXPECT_EQ(got.hwnd, owner.items[i]->GetWnd()->GetParent()->m_hWnd);
    EXPECT_EQ(got.message, WM_COMMAND);
    EXPECT_EQ(HIWORD(got.wParam), codes[i]);
    EXPECT_EQ(got.lParam, reinterpret_cast<LPARAM>(owner.items[i]->GetWnd()->m_hWnd));
  }
  EXPECT_EQ(owner.messages[3].message, WM_NOTIFY);
  EXPECT_EQ(owner.gridRow, 2);
}

TEST_F(GuiItemTest, RunModalRunsTheQueuedActionsUntilEndModalOrCancel) {
  CORLOGuiItem* dialog = Spawn(ORLO_GUI_DIALOG);
  CORLOGuiItem* inner = Spawn(ORLO_GUI_DIALOG);
  int innerResult = 0;
  orlo::user::QueueModalAction([&] { orlo::user::TypeText(dialog->Children()[0].get(), L"1"); });
  orlo::user::QueueModalAction([&] { innerResult = inner->RunModal(); });
  orlo::user::QueueModalAction([&] { inner->EndModal(IDOK); });  // taken by the inner run
  orlo::user::QueueModalAction([&] {
    EXPECT_EQ(dialog->DestroyItem(), 0);  // not while it runs
    dialog->EndModal(7);
  });
  orlo::user::QueueModalAction([] { ADD_FAILURE() << "belongs to the next dialog"; });

  EXPECT_EQ(dialog->RunModal(), 7);
  EXPECT_EQ(innerResult, IDOK);
  EXPECT_EQ(owner.calls,
            (std::vector<std::wstring>{L"create", L"populate", L"create", L"populate"}));
  EXPECT_EQ(owner.messages.size(), 1u);
  orlo::user::ClearModalActions();
  EXPECT_EQ(dialog->RunModal(), IDCANCEL);  // nothing queued
  EXPECT_EQ(root->RunModal(), -1);          // not a dialog
}

}  // namespace
