// The test analyzer as the host finds it: made by the manager but not registered, so a host
// registers one from the module's factory; the manager then owns it.
#include "host/HostSession.h"
#include "module/core/ModuleEntry.h"
#include "module/testanalyzer/TestAnalyzerFactory.h"

#include <gtest/gtest.h>

namespace orlo::test {
namespace {

const std::wstring kTestGuid = L"{EB642FB1-04AC-4a8f-BC1B-B9DF9A163BA3}";

TEST(TestAnalyzerRegistration, OnlyAHostRegistersItAndTheManagerDestroysIt) {
  host::CHostSession session;
  host::HostSessionOptions options;
  options.moduleEntry = &module::ORLOModuleEntry;
  options.testAnalyzerFactory = &ORLOCreateTestAnalyzer;
  options.manualClock = true;
  std::string error;
  ASSERT_TRUE(session.Start(options, error)) << error;
  for (IBaseAnalyzer* analyzer : session.Analyzers()) EXPECT_NE(analyzer->GetGuid(), kTestGuid);

  ASSERT_TRUE(session.RegisterTestAnalyzer(error)) << error;
  IBaseAnalyzer* registered = session.Analyzers().back();
  EXPECT_EQ(registered->GetGuid(), kTestGuid);
  EXPECT_EQ(registered->GetName(), L"Test Analyzer");
  EXPECT_FALSE(registered->HasSettings());
  EXPECT_EQ(registered->GetPanel(), nullptr);
  IBaseAnalyzer* instance = registered->CreateInstance();
  ASSERT_NE(instance, registered);
  EXPECT_EQ(instance->GetGuid(), kTestGuid);
  instance->Destroy();
  session.Stop();  // destroys the registered one (the sanitizer build checks: once)
}

}  // namespace
}  // namespace orlo::test
