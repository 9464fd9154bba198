// The standard controls: message results and a notification that deletes its control.
// (User actions and their notifications are GuiItemTest's; the drop-down geometry is
// checked where the analyzers size their selectors.)
#include "platform/win/StandardControls.h"

#include "tests/platform/win/JournalWnd.h"

#include <gtest/gtest.h>

#include <memory>

namespace orlo::win::test {
namespace {

constexpr UINT kControlId = 7;

// Controls on a parent window that keeps "id/code" of each WM_COMMAND.
class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent_.Make(nullptr, WS_VISIBLE, RECT{100, 200, 600, 700}));
    parent_.On(WM_COMMAND, [this](WPARAM wParam, LPARAM lParam) -> LRESULT {
      EXPECT_EQ(GetParent(reinterpret_cast<HWND>(lParam)), parent_.m_hWnd);
      commands_.push_back(std::to_string(LOWORD(wParam)) + "/" + std::to_string(HIWORD(wParam)));
      return 0;
    });
  }

  void Make(CWnd& control, const std::wstring& className) {
    ASSERT_TRUE(control.Create(className, L"", WS_CHILD | WS_VISIBLE, RECT{10, 20, 160, 42},
                               &parent_, kControlId));
  }

  Journal journal_;
  CJournalWnd parent_{"P", journal_};
  std::vector<std::string> commands_;
};

LRESULT Add(CComboBox& combo, const wchar_t* text) {
  return combo.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

// The messages the analyzers send to their drop-downs, and what the controls notify when
// code (not the user) changes them.
TEST_F(ControlsTest, MessagesAnswerAndNotifyAsTheRealControls) {
  CComboBox combo;
  Make(combo, kComboBoxClass);
  EXPECT_EQ(combo.SendMessage(CB_GETCURSEL), CB_ERR);
  Add(combo, L"beta");
  Add(combo, L"alpha");
  EXPECT_EQ(Add(combo, L"gamma"), 2) << "appended, no sorting";
  EXPECT_EQ(combo.SendMessage(CB_SETITEMDATA, 2, 77), TRUE);
  EXPECT_EQ(combo.SendMessage(CB_GETITEMDATA, 2), 77);
  EXPECT_EQ(combo.SendMessage(CB_GETITEMDATA, 3), CB_ERR);

  EXPECT_EQ(combo.SendMessage(CB_SETCURSEL, 1), 1);
  EXPECT_EQ(combo.GetWindowText(), L"alpha");
  EXPECT_EQ(combo.SendMessage(CB_SETCURSEL, 3), CB_ERR);
  EXPECT_EQ(combo.SendMessage(CB_GETCURSEL), CB_ERR) << "out of range clears";
  combo.SendMessage(CB_SETCURSEL, 2);
  EXPECT_EQ(combo.SendMessage(CB_DELETESTRING, 0), 2);
  EXPECT_EQ(combo.SendMessage(CB_GETCURSEL), 1) << "the selection stays on its entry";
  EXPECT_EQ(combo.SendMessage(CB_DELETESTRING, 1), 1);
  EXPECT_EQ(combo.SendMessage(CB_GETCURSEL), CB_ERR);
  EXPECT_EQ(combo.SendMessage(CB_RESETCONTENT), CB_OKAY);
  EXPECT_EQ(combo.SendMessage(CB_GETCOUNT), 0);
  EXPECT_EQ(combo.SendMessage(CB_GETITEMHEIGHT, 0), 14);
  CButton check;
  Make(check, kButtonClass);
  check.SendMessage(BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(check.SendMessage(BM_GETCHECK), BST_CHECKED);
  EXPECT_TRUE(commands_.empty()) << "selections and checks set by code do not notify";
  CEdit edit;
  Make(edit, kEditClass);
  edit.SendMessage(EM_SETREADONLY, TRUE);
  edit.SetWindowText(L"0.6");
  EXPECT_EQ(commands_, std::vector<std::string>{"7/768"}) << "text set by code notifies EN_CHANGE";
}

TEST_F(ControlsTest, TheParentMayDeleteTheControlWhileHandlingItsNotification) {
  auto button = std::make_unique<CButton>();
  Make(*button, kButtonClass);
  parent_.On(WM_COMMAND, [&](WPARAM, LPARAM) -> LRESULT {
    button.reset();
    return 0;
  });
  button->UserClick();
  EXPECT_EQ(button, nullptr);
}

}  // namespace
}  // namespace orlo::win::test
