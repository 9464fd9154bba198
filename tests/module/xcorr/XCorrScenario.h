// Test fixture: a correlation analysis in the in-process host, with its own settings folder
// and settings files written by hand, the way a user's or another program's file looks.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "module/xcorr/XCorrAnalyzer.h"
#include "platform/common/Bus.h"
#include "platform/common/GuiItem.h"
#include "platform/controls/GridCtrl.h"
#include "tests/support/BusRecorder.h"
#include "tests/support/GridText.h"
#include "tests/support/HostFixture.h"
#include "tests/support/SettingsFolder.h"

namespace orlo::test {

// One "Band" of a hand-written settings file; a criterion left out is written as off.
struct BandSpec {
  std::string label;
  double minFreq = 0.0;
  double maxFreq = 0.0;
  std::optional<double> normal;                      // normalStart
  std::optional<std::pair<double, double>> suspect;  // suspectStart, suspectEnd
  std::optional<double> obvious;                     // obviousEnd
};

inline std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

// Analyzer.xml with the general settings and one "StatParams" element for `setName`.
inline std::string SettingsXml(const std::string& setName, bool magnitudeDifference, double limit,
                               const std::vector<BandSpec>& bands) {
  const auto flag = [](bool on) { return std::string(on ? "true" : "false"); };
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VelmoraAnalyzer>\n"
      "  <XCorrAnalyzer version=\"2\">\n    <CurrentStatParam>" +
      setName + "</CurrentStatParam>\n    <MagnitudeDifference>" + flag(magnitudeDifference) +
      "</MagnitudeDifference>\n    <MagnitudeDifferenceLimit>" + Number(limit) +
      "</MagnitudeDifferenceLimit>\n    <StatParams name=\"" + setName + "\">\n";
  for (const BandSpec& band : bands) {
    const auto suspect = band.suspect.value_or(std::pair{0.0, 0.0});
    xml += "      <Band><MinFreq>" + Number(band.minFreq) + "</MinFreq><MaxFreq>" +
           Number(band.maxFreq) + "</MaxFreq><Label>" + band.label + "</Label>" + "<Normal set=\"" +
           flag(band.normal.has_value()) + "\" start=\"" + Number(band.normal.value_or(0.0)) +
           "\"/>" + "<Suspect set=\"" + flag(band.suspect.has_value()) + "\" start=\"" +
           Number(suspect.first) + "\" end=\"" + Number(suspect.second) + "\"/>" +
           "<Obvious set=\"" + flag(band.obvious.has_value()) + "\" end=\"" +
           Number(band.obvious.value_or(0.0)) + "\"/></Band>\n";
  }
  return xml + "    </StatParams>\n  </XCorrAnalyzer>\n</VelmoraAnalyzer>\n";
}

// The default bands of each set, as a user would type them.
inline std::vector<BandSpec> DefaultBands(const std::string& setName) {
  if (setName == "LRxy") {
    return {{"LF", 1000, 100000, 0.99, std::pair{0.9, 0.99}, 0.9},
            {"MF", 100000, 600000, 0.9, std::pair{0.7488, 0.9}, 0.7488},
            {"HF", 600000, 1000000, 0.7488, std::nullopt, std::nullopt}};
  }
  if (setName == "RXy") {
    return {{"LF", 1000, 100000, 2.0, std::pair{1.0, 2.0}, 1.0},
            {"MF", 100000, 600000, 1.0, std::pair{0.6, 1.0}, 0.6},
            {"HF", 600000, 1000000, 0.6, std::nullopt, std::nullopt}};
  }
  return {{"NCEPRI", 10000, 700000, 3.5, std::pair{7.0, 3.5}, 7.0}};
}

class XCorrScenario : public ::testing::Test {
 protected:
  void Start() { analyzer = host.Start<CXCorrAnalyzer>(); }

  void WriteSettings(const std::string& setName, bool magnitudeDifference = true,
                     double limit = 0.25, std::optional<std::vector<BandSpec>> bands = {}) {
    settings.Write(
        SettingsXml(setName, magnitudeDifference, limit, bands.value_or(DefaultBands(setName))));
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
