// SettingsDialogUser: a user at the correlation analysis's settings dialog and its band
// editor, for `orlo settings` and `orlo serve`.
//
// DoSettingsAction opens the dialog of `analyzer` (ShowSettings), runs `onOpen` in it (when
// given: a look at the dialog before the action) and does one action through the dialogs'
// controls, queued for their modal runs: click "OK" (save); pick the technique; tick or
// clear the magnitude-difference check box, type the limit and click "OK"; click "Add...",
// type into the editor's boxes and click its "OK"; click a band's row and "Edit..." (the
// same typing); click a row and "Delete", answering the question Yes or No. Only the
// boxes given are typed. Whatever the module shows in message boxes is recorded as usual
// (platform/win/MessageBox.h). It answers an empty text, or what a user could not do
// ("could not click Edit...", "ROW 9 is not a band (the grid has 4)").
//
// ReadSettingsDialog opens the dialog once more and reads it (nullopt when it cannot be
// read). Both leave no queued modal action behind.
#pragma once

#include "host/output/SettingsSnapshot.h"

#include <functional>
#include <optional>
#include <string>

class IBaseAnalyzer;

namespace orlo::host {

struct SettingsAction {
  enum class Kind { kShow, kSave, kTechnique, kMagnitudeDifference, kAddBand, kEditBand, kDeleteBand };
  Kind kind = Kind::kShow;
  std::optional<int> technique;  // picked first when given (kTechnique, kAddBand)
  bool on = false;               // the check box (kMagnitudeDifference)
  std::optional<std::string> limit;
  // What is typed into the band editor's boxes.
  std::optional<std::string> label, minFreq, maxFreq, normal, suspect;
  int row = 0;       // the band's grid row, from 1 (kEditBand, kDeleteBand)
  bool yes = false;  // the answer to the deletion's question
};

std::string DoSettingsAction(IBaseAnalyzer& analyzer, const SettingsAction& action,
                             const std::function<void()>& onOpen = {});
std::optional<SettingsSnapshot> ReadSettingsDialog(IBaseAnalyzer& analyzer);

}  // namespace orlo::host
