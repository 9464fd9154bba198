// Helpers for scenario tests of the settings dialog and the band editor: a correlation
// analyzer to open them from, a fresh settings folder, user actions queued for the modal
// runs, and what the dialog shows.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "module/bands/XCorrAnalyzerEditor.h"
#include "module/bands/XCorrAnalyzerSettings.h"
#include "module/xcorr/XCorrAnalyzer.h"
#include "platform/common/GuiItem.h"
#include "platform/common/UserActions.h"
#include "platform/controls/GridCtrl.h"
#include "platform/win/MessageBox.h"
#include "tests/support/GridText.h"
#include "tests/support/SettingsFolder.h"

namespace orlo::test {

inline CXCorrAnalyzerSettings& Settings() { return *CXCorrAnalyzerSettings::Running(); }
inline CXCorrAnalyzerEditor& Editor() { return *CXCorrAnalyzerEditor::Running(); }

inline CGridCtrl& BandGridOf(const CXCorrAnalyzerSettings& dialog) {
  return *static_cast<CGridCtrl*>(dialog.BandGrid()->GetWnd());
}

inline std::wstring TextOf(const CORLOGuiItem* item) { return item->GetWnd()->GetWindowText(); }

// A settings folder and an analyzer; Show() opens the settings dialog as the host does
// and runs the actions queued with Then() inside it (and inside the editors it opens);
// an action left unrun fails the test.
class BandDialogTest : public ::testing::Test {
 protected:
  ~BandDialogTest() override {
    orlo::user::ClearModalActions();
    analyzer_->Destroy();
  }
  // Every action queued must have run: a dialog that ended early fails the test.
  void TearDown() override { EXPECT_EQ(ran_, queued_) << "actions left unrun"; }
  void Then(std::function<void()> action) {
    ++queued_;
    orlo::user::QueueModalAction([this, action = std::move(action)] {
      ++ran_;
      action();
    });
  }
  void Show() { analyzer_->ShowSettings(nullptr); }
  // Typing into the editor's boxes, in the order given.
  static void TypeBand(const std::wstring& minFreq, const std::wstring& maxFreq,
                       const std::wstring& normal, const std::wstring& suspect) {
    orlo::user::TypeText(Editor().MinFreqEdit(), minFreq);
    orlo::user::TypeText(Editor().MaxFreqEdit(), maxFreq);
    orlo::user::TypeText(Editor().NormalEdit(), normal);
    orlo::user::TypeText(Editor().SuspectEdit(), suspect);
  }

  SettingsFolder folder;
  CXCorrAnalyzer* analyzer_ = new CXCorrAnalyzer;
  int queued_ = 0;
  int ran_ = 0;
};

}  // namespace orlo::test
