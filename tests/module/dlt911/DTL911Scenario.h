// Test fixture: a DL/T 911-2004 analyzer in the in-process host, with the sweeps of a story.
#pragma once

#include <gtest/gtest.h>

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

  // Three different sweeps "A", "B", "C" that look like windings of one transformer; what
  // the analyzer must make of them is computed independently by expected_factors.py.
  void AddThreePhases() {
    host.AddSweep(MakeSweep("A", [](double f) { return WindingResponse(f); }));
    host.AddSweep(MakeSweep("B", [](double f) { return WindingResponse(f, 0.01, 1); }));
    host.AddSweep(MakeSweep("C", [](double f) { return WindingResponse(f, -0.02, 2); }));
  }

  CGridCtrl* ResultsGrid() const { return analyzer->GetResultsGrid(); }
  CGridCtrl* CriteriaGrid() const { return analyzer->GetCriteriaGrid(); }

  HostFixture host;
  CDTL911Analyzer* analyzer = nullptr;  // owned by the host fixture
};

}  // namespace orlo::test
