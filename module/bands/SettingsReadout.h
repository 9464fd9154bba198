// ISettingsReadout: what the correlation analysis's settings dialog holds, for a host that
// prints or exports it (the `orlo settings` command) rather than reading the grid's
// rounded texts; ISettingsFileReadout: what the analyzer judges by, for the notes under its
// panel.
//
// The settings dialog implements it next to IBaseGuiManager; a host obtains it with
// dynamic_cast from the Owner() of the running dialog item (null for other dialogs).
// Everything answered is a copy taken at the time of the call, as the dialog last loaded
// it from the settings file.
#pragma once

#include <string>
#include <vector>

#include "module/bands/FreqBand.h"

// One statistical parameter set: its name in the settings file ("LRxy", "RXy", "NCEPRI")
// and its bands in order.
struct BandSetReadout {
  std::wstring name;
  std::vector<tagFREQBAND> bands;
};

struct SettingsReadout {
  std::wstring file;     // the settings file's path
  bool loaded = false;   // whether the file was read (false: the defaults are shown)
  int technique = 0;     // the current set
  bool magnitudeDifference = false;
  double limit = 0.0;    // the magnitude-difference limit
  std::vector<BandSetReadout> sets;  // every set, in technique order
};

// What an analyzer judges by, and what it found in its settings file: the file's path,
// whether it was read, missing or unreadable (and why), the current set's name and the
// bands of it the analyzer holds (none when the file was not read).
enum class SettingsFileState { kRead, kMissing, kUnreadable };

struct SettingsFileReadout {
  std::wstring file;
  SettingsFileState state = SettingsFileState::kMissing;
  std::wstring reason;     // kUnreadable: the parser's "line N: message", or what is missing
  std::wstring technique;  // the current set ("LRxy", "RXy", "NCEPRI")
  std::vector<tagFREQBAND> bands;
};

// Implemented by analyzers that read the settings file (next to IBaseAnalyzer; a host
// obtains it with dynamic_cast); answered from the file and the analyzer at the call.
class __attribute__((visibility("default"))) ISettingsFileReadout {
 public:
  virtual SettingsFileReadout GetSettingsFileReadout() = 0;

 protected:
  ~ISettingsFileReadout() = default;
};

class __attribute__((visibility("default"))) ISettingsReadout {
 public:
  virtual SettingsReadout GetSettingsReadout() const = 0;

 protected:
  ~ISettingsReadout() = default;
};
