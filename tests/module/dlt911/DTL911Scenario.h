// Test fixture: a DL/T 911-2004 analyzer in the in-process host, with the sweeps of a story
// (HostFixture::AddThreePhases: what the analyzer must make of them is computed
// independently by ../expected_values.py).
#pragma once

#include <gtest/gtest.h>

#include "module/dlt911/DTL911Analyzer.h"
#include "platform/controls/GridCtrl.h"
#include "tests/support/GridText.h"
#include "tests/support/HostFixture.h"

namespace orlo::test {

class DTL911Scenario : public ::testing::Test {
 protected:
  explicit DTL911Scenario(HostOptions options = {}) : host(options) {}

  void Start() { analyzer = host.Start<CDTL911Analyzer>(); }
  CGridCtrl* ResultsGrid() const { return analyzer->GetResultsGrid(); }
  CGridCtrl* CriteriaGrid() const { return analyzer->GetCriteriaGrid(); }

  HostFixture host;
  CDTL911Analyzer* analyzer = nullptr;  // owned by the host fixture
};

}  // namespace orlo::test
