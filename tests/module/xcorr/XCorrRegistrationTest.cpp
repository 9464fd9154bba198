// The correlation analysis as the host finds it: first in the registry, with settings
// that open the settings dialog.
#include <gtest/gtest.h>

#include "host/session/HostSession.h"
#include "module/bands/XCorrAnalyzerSettings.h"
#include "module/core/ModuleEntry.h"
#include "platform/common/GuiItem.h"
#include "platform/common/UserActions.h"
#include "tests/support/SettingsFolder.h"

namespace orlo::test {
namespace {

TEST(XCorrRegistration, ComesFirstAndItsSettingsOpenTheDialog) {
  host::CHostSession session;
  host::HostSessionOptions options;
  options.moduleEntry = &module::ORLOModuleEntry;
  options.manualClock = true;
  std::string error;
  ASSERT_TRUE(session.Start(options, error)) << error;
  ASSERT_GE(session.Analyzers().size(), 2u);
  IBaseAnalyzer* registered = session.Analyzers()[0];
  EXPECT_EQ(registered->GetGuid(), L"{4BA6F174-43D6-4431-ADD2-DCAC39848B99}");
  EXPECT_EQ(registered->GetName(), L"Correlation analysis");
  EXPECT_EQ(session.Analyzers()[1]->GetGuid(), L"{E5DDB55E-96C1-47d0-8361-B7519CDA16F2}");
  EXPECT_TRUE(registered->HasSettings());

  SettingsFolder folder;
  std::wstring title;
  orlo::user::QueueModalAction([&title] {
    title = CXCorrAnalyzerSettings::Running()->Dialog()->Text();
    orlo::user::ClickButton(CXCorrAnalyzerSettings::Running()->CancelButton());
  });
  registered->ShowSettings(nullptr);
  EXPECT_EQ(title, L"Correlation analysis");
  EXPECT_EQ(CXCorrAnalyzerSettings::Running(), nullptr);
  EXPECT_FALSE(folder.Exists());
}

}  // namespace
}  // namespace orlo::test
