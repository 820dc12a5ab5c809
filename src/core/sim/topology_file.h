// Topology files: a simulated network as JSON.
//
//   {"nodes":[{"address":"0000","name":"Coordinator","children":["1234"]},
//             {"address":"1234","name":"CCU-1"}]}
//
// "address" (four hex digits) and "name" are required; "children" (addresses of other nodes)
// may be left out. The first node is the module attached to the port.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/sim/sim_network.h"

namespace netloom::sim {

struct TopologyResult {
  std::optional<SimNetwork> network;  // nothing when the text or file is refused
  std::string error;                  // one line saying what is wrong and where
};

TopologyResult ParseTopology(std::string_view json);
// As ParseTopology, with the file's path in front of every error.
TopologyResult LoadTopologyFile(const std::string& path);

}  // namespace netloom::sim
