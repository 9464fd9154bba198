// The DL/T 911 analyzer as the host finds it: registered by the module's manager, after
// the correlation analysis when that one is there, and the template of its instances.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/session/HostSession.h"
#include "module/core/AnalyzerReadout.h"
#include "module/core/ModuleEntry.h"
#include "module/dlt911/DTL911Analyzer.h"

namespace orlo::test {
namespace {

const std::wstring kDtl911Guid = L"{E5DDB55E-96C1-47d0-8361-B7519CDA16F2}";
const std::wstring kCorrelationGuid = L"{4BA6F174-43D6-4431-ADD2-DCAC39848B99}";

TEST(DTL911Registration, TheModuleRegistersItOnceAfterTheCorrelationAnalysis) {
  host::CHostSession session;
  host::HostSessionOptions options;
  options.moduleEntry = &module::ORLOModuleEntry;
  options.manualClock = true;
  std::string error;
  ASSERT_TRUE(session.Start(options, error)) << error;
  std::vector<std::wstring> guids;
  for (IBaseAnalyzer* analyzer : session.Analyzers()) guids.push_back(analyzer->GetGuid());
  ASSERT_EQ(std::count(guids.begin(), guids.end(), kDtl911Guid), 1);
  const auto dtl = std::find(guids.begin(), guids.end(), kDtl911Guid);
  const auto correlation = std::find(guids.begin(), guids.end(), kCorrelationGuid);
  EXPECT_EQ(dtl - guids.begin(), correlation == guids.end() ? 0 : 1);
  IBaseAnalyzer* registered = session.Analyzers()[dtl - guids.begin()];
  EXPECT_FALSE(registered->HasSettings());
  EXPECT_EQ(registered->GetName(), L"DL/T 911-2004 Analyzer");
  IBaseAnalyzer* instance = registered->CreateInstance();
  ASSERT_NE(instance, registered);
  EXPECT_EQ(instance->GetGuid(), kDtl911Guid);
  EXPECT_NE(dynamic_cast<IAnalyzerReadout*>(instance), nullptr);
  instance->Destroy();
}

// Without a host main dialog there is no window to create; the analyzer still answers
// true and stays usable (its subscription and timer simply do nothing).
TEST(DTL911Registration, InitializeAnswersTrueEvenWithoutAMainDialog) {
  auto* analyzer = new CDTL911Analyzer;
  EXPECT_TRUE(analyzer->Initialize());
  EXPECT_EQ(analyzer->GetPanel(), nullptr);
  analyzer->Uninitialize();
  analyzer->Destroy();
}

}  // namespace
}  // namespace orlo::test
