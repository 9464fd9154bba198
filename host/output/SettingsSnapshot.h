// SettingsSnapshot: the correlation analysis's settings dialog as the user sees it, and
// what it holds, read from the running dialog item for `orlo settings`.
//
// TakeSettingsSnapshot reads the dialog item's controls (title, technique selector entries
// and selection, band grid with its selected row, check box, limit box) and, through the
// owner's ISettingsReadout, the file, whether it was read, and the three sets with their
// raw values. It answers nullopt for a dialog whose owner has no readout.
#pragma once

#include "host/output/AnalysisSnapshot.h"
#include "module/bands/SettingsReadout.h"
#include "platform/win/MessageBox.h"

#include <optional>
#include <string>
#include <vector>

class CORLOGuiItem;

namespace orlo::host {

struct SettingsSnapshot {
  std::wstring title;
  std::vector<std::wstring> techniques;  // the selector's entries, in order
  int selectedTechnique = -1;            // entry index, -1 for none
  GridSnapshot bands;
  bool magnitudeDifference = false;
  std::wstring limit;  // the limit box's text
  SettingsReadout held;
  std::vector<win::MessageBoxRecord> messageBoxes;  // every box of the command's run
  std::vector<std::wstring> notes;  // what the command adds about its run, one line each
};

std::optional<SettingsSnapshot> TakeSettingsSnapshot(const CORLOGuiItem& dialog);

}  // namespace orlo::host
