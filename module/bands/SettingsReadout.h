// ISettingsReadout: what the correlation analysis's settings dialog holds, for a host that
// prints or exports it (the `orlo settings` command) rather than reading the grid's
// rounded texts.
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

class __attribute__((visibility("default"))) ISettingsReadout {
 public:
  virtual SettingsReadout GetSettingsReadout() const = 0;

 protected:
  ~ISettingsReadout() = default;
};
