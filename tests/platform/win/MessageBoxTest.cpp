// Message boxes: the record, queued answers and the default answers.
#include "platform/win/MessageBox.h"

#include "platform/win/Wnd.h"

#include <gtest/gtest.h>

namespace orlo::win {
namespace {

TEST(MessageBoxTest, AnswersFromTheQueueThenTheDefaultsAndRecordsEveryBox) {
  ClearMessageBoxes();
  CWnd window;
  ASSERT_TRUE(window.Create(AfxRegisterWndClass(0), L"", 0, RECT{}, nullptr, 0));
  QueueMessageBoxAnswer(IDYES);
  EXPECT_EQ(ShowMessageBox(nullptr, L"a", L"", MB_YESNO), IDYES);
  EXPECT_EQ(ShowMessageBox(nullptr, L"b", L"", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(ShowMessageBox(nullptr, L"c", L"", MB_OKCANCEL | MB_ICONWARNING), IDOK);
  EXPECT_EQ(window.MessageBox(L"Failed.", L"Error"), IDOK);

  const std::vector<MessageBoxRecord>& boxes = MessageBoxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].answer, IDYES);
  EXPECT_EQ(boxes[3].text, L"Failed.");
  EXPECT_EQ(boxes[3].caption, L"Error");
  EXPECT_EQ(boxes[3].style, MB_OK);

  QueueMessageBoxAnswer(IDYES);
  ClearMessageBoxes();
  EXPECT_TRUE(MessageBoxes().empty());
  EXPECT_EQ(ShowMessageBox(nullptr, L"d", L"", MB_YESNO), IDNO) << "clearing drops the queue";
  ClearMessageBoxes();
  EXPECT_EQ(TextWidth(nullptr, L"R 1-2"), 35);
}

}  // namespace
}  // namespace orlo::win
