// SettingsOutput: the output of `orlo settings`, the settings dialog as the user sees it.
//
// PrintSettingsText writes the dialog's title, the technique selector's entries with "> "
// before the selected one, the band grid ("> " marks the selected row), the check box,
// the limit box's text, the settings file and whether it was read, then every message box
// shown (as `orlo analyze` writes them).
//
// SettingsJson is the document of --json, schema "orlo-settings/1": "format", "file",
// "loaded", "technique" (index, name), "magnitudeDifference", "limit", "grid" (cell
// texts), "selectedRow" (null for none), "sets" (per set in technique order: "name" and
// its "bands": label, minFreq, maxFreq, normal {set, start}, suspect {set, start, end},
// obvious {set, end}) and "messageBoxes" (text, style). The technique, check and limit and
// the sets are the values the dialog holds; numbers are the shortest text that reads back
// exactly, NaN and infinities the strings "NaN", "Infinity" and "-Infinity".
#pragma once

#include "host/output/Json.h"
#include "host/output/SettingsSnapshot.h"

#include <iosfwd>

namespace orlo::host {

void PrintSettingsText(const SettingsSnapshot& settings, std::ostream& out);
json::Value SettingsJson(const SettingsSnapshot& settings);

}  // namespace orlo::host
