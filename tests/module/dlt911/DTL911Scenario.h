// Test fixture: a DL/T 911-2004 analyzer in the in-process host, with helpers to build the
// sweeps of a story and to compute the expected factors directly from the graph's data.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "module/comparison/FrequencyGrid.h"
#include "module/comparison/SweepStatistics.h"
#include "module/dlt911/DTL911Analyzer.h"
#include "platform/controls/GridCtrl.h"
#include "tests/support/HostFixture.h"

namespace orlo::test {

class DTL911Scenario : public ::testing::Test {
 protected:
  explicit DTL911Scenario(HostOptions options = {}) : host(options) {}

  void Start() {
    analyzer = new CDTL911Analyzer();
    host.StartAnalyzer(analyzer);
  }

  CGridCtrl* ResultsGrid() const { return analyzer->GetResultsGrid(); }
  CGridCtrl* CriteriaGrid() const { return analyzer->GetCriteriaGrid(); }

  HostFixture host;
  CDTL911Analyzer* analyzer = nullptr;  // owned by the host fixture
};

// RelativeFactor of `band` computed here from the raw data the graph plug-in hands out,
// converted to dB the way the analyzer does.
inline double DirectFactor(const std::wstring& a, const std::wstring& b, int band) {
  OwnedSweepData sweepA;
  OwnedSweepData sweepB;
  AcquireRawData(a, sweepA);
  AcquireRawData(b, sweepB);
  int count = 0;
  const auto grid = MergeFrequencies(sweepA.data, sweepB.data, count);
  ConvertMagnitudesToDecibel(sweepA.data);
  ConvertMagnitudesToDecibel(sweepB.data);
  const dlt911::BandInfo& info = dlt911::kBands[band];
  return RelativeFactor(info.low, info.high, sweepA.data, sweepB.data, grid.get(), count);
}

}  // namespace orlo::test
