// What a user does in the graph plug-in's sweep list, as an API of the host (next to the
// control actions of platform/common/UserActions.h), for tests and for `orlo`.
//
// Sweeps are named by number: 1-based, in load order (the order of the command line).
// Each click goes through CGraphPlugin::ClickSweep, so the graph applies its multi-select
// mode and announces every change of the selection with "GRAPH_SweepSelected".
#pragma once

#include <vector>

namespace orlo::host {
class CGraphPlugin;
}

namespace orlo::user {

// Selects the sweeps `numbers` as a user does: a plain click on the first, a click with
// Ctrl held on each further one, in the order given. Answers false, clicking nothing, when
// the list is empty or a number names no loaded sweep.
bool SelectSweeps(host::CGraphPlugin& graph, const std::vector<int>& numbers);

}  // namespace orlo::user
