// Load and unload hooks of the shared library: the dynamic loader runs them when the host
// loads the module and when it unloads it (or the process ends).
#include "module/core/ModuleEntry.h"

namespace {

__attribute__((constructor)) void OnModuleLoaded() {
  orlo::module::ORLOModuleEntry(orlo::module::kProcessAttach);
}

__attribute__((destructor)) void OnModuleUnloaded() {
  orlo::module::ORLOModuleEntry(orlo::module::kProcessDetach);
}

}  // namespace
