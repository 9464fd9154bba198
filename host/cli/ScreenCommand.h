// `orlo screen`: analyses many measurement sets in worker processes and prints one summary
// table (see the usage text in ScreenCommand.cpp).
//
// RunScreen is the command with the host session's options as a parameter, so that tests
// can run it on the module they link (HostSessionOptions::moduleEntry); the `orlo` command
// line runs it on the module library and the virtual clock.
#pragma once

#include "host/session/HostSession.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace orlo::host {

int RunScreen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const HostSessionOptions& session);

}  // namespace orlo::host
