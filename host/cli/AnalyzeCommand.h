// `orlo analyze`: runs the analyzers of the module on sweep files and prints what their
// panels show (see the usage text in AnalyzeCommand.cpp).
//
// RunAnalyze is the command with the host session's options as a parameter, so that tests
// can run it on the module they link (HostSessionOptions::moduleEntry) and on the manual
// clock; the `orlo` command line runs it with the default options (the module library,
// the real clock).
#pragma once

#include "host/session/HostSession.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace orlo::host {

int RunAnalyze(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const HostSessionOptions& session);

}  // namespace orlo::host
