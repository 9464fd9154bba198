// The DL/T 911 analyzer as the host finds it: registered by the module's manager, after
// the correlation analysis when that one is there, and usable through instances.
#include "host/HostSession.h"
#include "module/core/ModuleEntry.h"
#include "module/dlt911/DTL911Analyzer.h"
#include "tests/support/HostFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

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
  EXPECT_FALSE(session.Analyzers()[dtl - guids.begin()]->HasSettings());
  EXPECT_EQ(session.Analyzers()[dtl - guids.begin()]->GetPanel(), nullptr);
}

TEST(DTL911Registration, AnInstanceRunsTheWholeHostLifeCycle) {
  HostFixture host;
  host.AddSweep(MakeSweep("A", [](double f) { return WindingResponse(f); }));
  host.AddSweep(MakeSweep("B", [](double f) { return WindingResponse(f, 0.01, 1); }));
  CDTL911Analyzer registered;
  IBaseAnalyzer* instance = registered.CreateInstance();
  host.StartAnalyzer(instance);
  auto* readout = dynamic_cast<IAnalyzerReadout*>(instance);
  ASSERT_NE(readout, nullptr);
  ASSERT_EQ(readout->GetComputedPairs().size(), 1u);
  const PairReadout pair = readout->GetComputedPairs()[0];
  EXPECT_EQ(pair.sweepA, L"A");
  EXPECT_EQ(pair.sweepB, L"B");
  ASSERT_EQ(pair.statistics.size(), 3u);
  EXPECT_EQ(pair.statistics[2].band, L"R-HF");
  EXPECT_EQ(pair.statistics[2].low, 600000.0);
  EXPECT_FALSE(readout->GetMagnitudeDifferenceText().has_value());
  EXPECT_EQ(readout->GetConclusionText(), pair.conclusion);
  host.StopAnalyzer();
  EXPECT_EQ(registered.GetPanel(), nullptr);
}

}  // namespace
}  // namespace orlo::test
