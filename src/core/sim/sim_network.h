// The network a virtual module stands for: its nodes and who lists whom as a child.
//
// The first node is the module attached to the port (normally the coordinator, address 0000);
// every other node is reached through it. A SimNetwork is built once (from the demo, a topology
// file or a test) and then owned by the module's serving thread, which alone reads and changes
// it; nodes never move, so references to them stay valid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/sim/wire/image_layout.h"

namespace netloom::sim {

// At most this many entries fit one neighbour reply (its length field is two hex digits).
inline constexpr std::size_t kMaxReplyEntries = 42;
// Longest node name a topology may give (the host shows at most 17 characters).
inline constexpr std::size_t kMaxNodeNameLength = 32;

// One node of the simulated network and its per-node state. Exchanges that need more state per
// node (configuration image, identity, ...) add fields here, with defaults, so that topologies
// and tests that do not care keep working.
struct SimNode {
  std::string address;                // four upper-case hex digits
  std::string name;                   // what the name request answers
  std::vector<std::string> children;  // child addresses, in the order the node lists them
  bool upgradePending = false;        // "ATUPGRADE 1": the next reset starts the boot loader
  // The local module's line rate in command mode, taken from its image's Baudrate setting when
  // it starts and restarts (node_image.h), so a written rate takes effect at the next restart.
  std::uint32_t baudRate = 9600;
  // The node's configuration image; made on first use (node_image.h).
  std::optional<wire::ImageBytes> image{};
};

class SimNetwork {
 public:
  // Checks and takes the nodes. On failure returns nothing and sets `error` to one line
  // naming the node and the fault ("node 12G4: address must be four hex digits", "node 1234
  // lists unknown child 9999", "duplicate node 1234", ...). Addresses are taken in either case.
  static std::optional<SimNetwork> Make(std::vector<SimNode> nodes, std::string& error);

  // The module attached to the port: the first node.
  SimNode& Local() { return nodes_.front(); }
  const SimNode& Local() const { return nodes_.front(); }
  // The node with that address (either case), or null.
  SimNode* Find(std::string_view address);
  const SimNode* Find(std::string_view address) const;
  // Nodes that list `address` as a child, in node order.
  std::vector<const SimNode*> ParentsOf(std::string_view address) const;
  const std::vector<SimNode>& Nodes() const { return nodes_; }

 private:
  explicit SimNetwork(std::vector<SimNode> nodes) : nodes_(std::move(nodes)) {}
  std::vector<SimNode> nodes_;
};

// The built-in demo network: a coordinator and eleven routers and end devices named after the
// node kinds the diagram draws, five levels deep, with one node listed under two parents.
SimNetwork DemoNetwork();

}  // namespace netloom::sim
