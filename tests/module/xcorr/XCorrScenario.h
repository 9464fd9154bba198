// Test fixture: a correlation analysis in the in-process host, with its own settings folder
// and the settings of a story written into it (how the file reads back is SettingsFileTest's).
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "module/bands/SettingsFile.h"
#include "module/bands/StatParams.h"
#include "module/xcorr/XCorrAnalyzer.h"
#include "platform/common/Bus.h"
#include "platform/common/GuiItem.h"
#include "platform/controls/GridCtrl.h"
#include "tests/support/BusRecorder.h"
#include "tests/support/GridText.h"
#include "tests/support/HostFixture.h"
#include "tests/support/SettingsFolder.h"

namespace orlo::test {

// One band of a story; a criterion left out is off.
struct BandSpec {
  std::string label;
  double minFreq = 0.0;
  double maxFreq = 0.0;
  std::optional<double> normal;                      // normalStart
  std::optional<std::pair<double, double>> suspect;  // suspectStart, suspectEnd
  std::optional<double> obvious;                     // obviousEnd
};

inline std::wstring Wide(const std::string& text) { return {text.begin(), text.end()}; }

class XCorrScenario : public ::testing::Test {
 protected:
  void Start() { analyzer = host.Start<CXCorrAnalyzer>(); }

  // Writes the settings file: set `setName` current, with `bands` (its default bands when
  // not given) and no other set.
  static void WriteSettings(const std::string& setName, bool magnitudeDifference = true,
                            double limit = 0.25, std::optional<std::vector<BandSpec>> bands = {}) {
    XCorrSettings settings;
    settings.CurrentStatParam = StatParamFromName(Wide(setName));
    settings.MagnitudeDifference = magnitudeDifference;
    settings.MagnitudeDifferenceLimit = limit;
    CFreqBandArray& set = settings.StatParams[settings.CurrentStatParam].bands;
    if (!bands) AddDefaultBands(set, settings.CurrentStatParam);
    for (const BandSpec& b : bands.value_or(std::vector<BandSpec>{})) {
      const auto suspect = b.suspect.value_or(std::pair{0.0, 0.0});
      set.Add(new tagFREQBAND{Wide(b.label), b.minFreq, b.maxFreq, b.normal.has_value(), b.normal.value_or(0.0),
                              b.suspect.has_value(), suspect.first, suspect.second, b.obvious.has_value(),
                              b.obvious.value_or(0.0)});
    }
    ASSERT_TRUE(SaveAllSettings(settings));
  }

  // What the application sends after its settings dialog closed.
  static void SettingsChange() { ORLOSendMessage("ANALYZER_SettingsChange", nullptr); }

  CGridCtrl* ResultsGrid() const { return analyzer->GetResultsGrid(); }
  CGridCtrl* CriteriaGrid() const { return analyzer->GetCriteriaGrid(); }

  SettingsFolder settings;  // before the host: the analyzer reads it when it starts
  HostFixture host;
  CXCorrAnalyzer* analyzer = nullptr;  // owned by the host fixture
};

}  // namespace orlo::test
