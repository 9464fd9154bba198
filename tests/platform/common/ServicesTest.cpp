// The host's services: the application-data folder, the lock, translations and message
// boxes.
#include "platform/common/Services.h"

#include "platform/win/MessageBox.h"
#include "platform/win/Wnd.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>

namespace {

TEST(AppDataDirTest, VariablesTakePrecedenceInOrderAndTheDirectoryIsMade) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / ("orlo-appdata-" + std::to_string(getpid()));
  const char* names[] = {"ORLO_APPDATA", "XDG_CONFIG_HOME", "HOME"};
  const fs::path values[] = {root / "a" / "b" / "", root / "xdg", root / "home"};
  std::optional<std::string> saved[3];
  for (int i = 0; i < 3; ++i) {
    if (const char* value = std::getenv(names[i])) saved[i] = value;
    setenv(names[i], values[i].c_str(), 1);
  }

  EXPECT_EQ(GetOxAppDataDir(), (root / "a" / "b").wstring());
  setenv("ORLO_APPDATA", "", 1);
  EXPECT_EQ(GetOxAppDataDir(), (root / "xdg" / "orlo").wstring());
  setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
  EXPECT_EQ(GetOxAppDataDir(), (root / "home" / ".config" / "orlo").wstring());
  for (const fs::path& dir : {root / "a" / "b", root / "xdg" / "orlo", root / "home" / ".config"}) {
    EXPECT_TRUE(fs::is_directory(dir)) << dir;
  }

  for (int i = 0; i < 3; ++i) saved[i] ? setenv(names[i], saved[i]->c_str(), 1) : unsetenv(names[i]);
  fs::remove_all(root);
}

TEST(ThreadSafeTest, LockIsRecursiveAndOnlyItsOwnerReleasesIt) {
  COxThreadSafe lock(nullptr, -1);
  auto otherThreadGetsIt = [&lock] {
    bool got = false;
    std::thread([&] {
      got = lock.Enter(false);
      if (got) lock.Leave();
    }).join();
    return got;
  };
  ASSERT_TRUE(lock.Enter(true));
  ASSERT_TRUE(lock.Enter(true));
  lock.Leave();
  EXPECT_FALSE(otherThreadGetsIt());  // still held once
  std::thread([&] { lock.Leave(); }).join();  // not the owner: ignored
  EXPECT_FALSE(otherThreadGetsIt());
  lock.Leave();
  EXPECT_TRUE(otherThreadGetsIt());
}

TEST(ServicesTest, TranslationsAreDecodedFromUtf8) {
  EXPECT_EQ(CGettext::Get().Translate("90\xC2\xB0 phase"), L"90\u00B0 phase");
  EXPECT_EQ(CGettext::Get().Translate(nullptr), L"");
}

TEST(MessageBoxTest, AnswersFromTheQueueThenTheDefaultsAndRecordsEveryBox) {
  using namespace orlo::win;
  ClearMessageBoxes();
  CWnd window;
  ASSERT_TRUE(window.Create(AfxRegisterWndClass(0), L"", 0, RECT{}, nullptr, 0));
  QueueMessageBoxAnswer(IDYES);
  EXPECT_EQ(TransMessageBox(L"Delete R-LF?", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(ShowMessageBox(nullptr, L"b", L"", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(ShowMessageBox(nullptr, L"c", L"", MB_OKCANCEL | MB_ICONWARNING), IDOK);
  EXPECT_EQ(window.MessageBox(L"Failed.", L"Error"), IDOK);

  const std::vector<MessageBoxRecord>& boxes = MessageBoxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].answer, IDYES);
  EXPECT_EQ(boxes[0].caption, L"ORLO");  // the application's caption
  EXPECT_EQ(boxes[0].style, MB_YESNO | MB_ICONQUESTION);
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
