// The diagram of a network document's memory: the latest walk with the nodes that went quiet
// hung back where they were last heard, so a node that drops off stays in sight, greyed, with
// its age, until the memory forgets it.
//
// Pure functions of their arguments; callable from any thread.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "core/link/serial/wall_clock.h"
#include "core/network/network_node.h"
#include "gui/model/diagram_layout.h"

namespace netloom::model {

// `walk` with a record for each quiet node of `nodes`, listed (after the heard children) by
// every parent it had that is in the result; a quiet node lists only its quiet children, since
// the heard ones hang where the walk found them. A quiet node none of whose parents is there
// (nor the root) is left out. Without a root, `walk` as it is.
link::NetworkSnapshot WithQuietNodes(const link::NetworkSnapshot& walk,
                                     std::span<const network::NetworkNode> nodes);

// LayOutNetwork of WithQuietNodes, each quiet node's placement marked quiet, with its age at
// `now` (QuietText) as quietText and as a third line of its label.
std::vector<NodePlacement> LayOutRemembered(const link::NetworkSnapshot& walk,
                                            std::span<const network::NetworkNode> nodes,
                                            link::WallTime now, LayoutMode mode,
                                            std::string_view selectedAddress);

}  // namespace netloom::model
