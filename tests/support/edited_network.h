// Test support: the demo network with a test's changes, for a virtual module whose topology
// changes between walks (VirtualModule::ChangeNetwork).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/sim/sim_network.h"

namespace netloom::testsupport {

// The demo network with `edit` applied to its nodes (a failed check of the result fails the test).
sim::SimNetwork EditedDemoNetwork(const std::function<void(std::vector<sim::SimNode>&)>& edit);

// The node `address` of `nodes` (a missing one fails the test and gives the first).
sim::SimNode& NodeAt(std::vector<sim::SimNode>& nodes, const std::string& address);

// Drops the node `address` and every child entry naming it.
void RemoveNode(std::vector<sim::SimNode>& nodes, const std::string& address);

// Moves `address` from every parent listing it to `newParent`.
void Reparent(std::vector<sim::SimNode>& nodes, const std::string& address,
              const std::string& newParent);

}  // namespace netloom::testsupport
