// What the console and the Parameters pane act on: their remote flag and the node selected in
// the diagram, whether the coordinator refused that node at its last answer (until the next
// attempt), and how a target is named to the user.
//
// The address rule lives here alone: a pane's target field shows at most four characters, the
// node's network address ("1A01"), or "NULL" while nothing is selected. Pure values; any thread.
#pragma once

#include <string>
#include <string_view>

#include "core/link/worker/link_session.h"

namespace netloom::model {

// The first four characters of `address`: what a target field holds and a node pick names.
std::string TargetAddress(std::string_view address);

struct PaneTarget {
  PaneTarget() = default;
  PaneTarget(bool remote_, std::string_view address_, bool refused_ = false)
      : remote(remote_), address(TargetAddress(address_)), refused(refused_) {}

  bool remote = false;
  std::string address{link::kNoAddress};
  bool refused = false;

  // Where the pane's requests go: the local module, or the selected node.
  bool SameModule(const PaneTarget& other) const {
    return remote == other.remote && (!remote || address == other.address);
  }
};

// The module `target` reaches through the port named `port`, for the user: "the local module on
// ttyUSB0", "node 1A01 on ttyUSB0".
std::string DescribeTarget(const PaneTarget& target, std::string_view port);

}  // namespace netloom::model
