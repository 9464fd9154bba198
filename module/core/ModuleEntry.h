// The module's entry: what happens when the module is loaded into the host's process and
// when it leaves it.
//
// Process attach creates the one analyzer manager, creates its hidden window (which
// creates and registers the built-in analyzers) and attaches it to the bus; process
// detach deletes it again, which destroys every registered analyzer and detaches the
// manager's window. Thread attach/detach do nothing. The shared library calls the entry
// from its load and unload hooks; tests link the module statically and call it directly.
// Must run on the UI thread, after the platform is up and, for a working manager, while
// the host's main dialog answers "ORLO_GetMainDialog".
#pragma once

#include "platform/win/WinTypes.h"

namespace orlo::module {

enum ModuleEntryReason : unsigned long {
  kProcessDetach = 0,
  kProcessAttach = 1,
  kThreadAttach = 2,
  kThreadDetach = 3,
};

// Answers TRUE for the four reasons above and FALSE for any other. A detach without a
// manager since the last attach does nothing, so calling it twice is harmless.
BOOL ORLOModuleEntry(unsigned long reason);

}  // namespace orlo::module
