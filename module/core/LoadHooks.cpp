// Load and unload hooks of the shared library: the dynamic loader runs them when the host
// loads the module and when it unloads it (or the process ends).
//
// A process that ends without unloading the module runs the unload hook last, after its
// exit handlers have destroyed every static object. The teardown is safe all the same: the
// platform's singletons are never destroyed and the module's subscription tables have
// nothing to destroy, so the manager still finds the windows, timers and bus it releases.
#include "module/core/ModuleEntry.h"

namespace {

__attribute__((constructor)) void OnModuleLoaded() {
  orlo::module::ORLOModuleEntry(orlo::module::kProcessAttach);
}

__attribute__((destructor)) void OnModuleUnloaded() {
  orlo::module::ORLOModuleEntry(orlo::module::kProcessDetach);
}

}  // namespace
