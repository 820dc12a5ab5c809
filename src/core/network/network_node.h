// NetworkNode: one node as the node table, the exports and the saved network show it — what the
// walk heard of it and when, and whether it answered the latest walk.
//
// Records are plain values, built on the caller's thread from a walk's immutable snapshot;
// NodesOfWalk is a pure function of its arguments.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "core/link/serial/wall_clock.h"
#include "core/link/walk/node_table.h"
#include "core/network/node_kind.h"

namespace netloom::network {

struct NetworkNode {
  std::string address;                // four hex digits, as the walk read them
  std::string name;                   // from the name request
  NodeKind kind = NodeKind::Other;    // follows from the name
  std::string mac;                    // MACAddr of the node's configuration image; empty until
                                      // a configuration read filled the image
  std::vector<std::string> parents;   // nodes of the walk listing it as a child, in table order
  std::vector<std::string> children;  // its child entries, in reply order
  int depth = 0;                      // hops below the walk's root (the root: 0)
  link::WallTime firstHeard{};        // first walk it answered (of this document's history)
  link::WallTime lastHeard{};         // latest walk it answered
  bool heard = true;                  // it answered the latest complete walk
  // Not heard: the time of the first complete walk that missed it.
  std::optional<link::WallTime> quietSince;
};

// The nodes of a walk's table in table order, each heard at `at`. A walk without a root gives
// none. A node the root does not reach (none in a walk's own table) gets depth -1.
std::vector<NetworkNode> NodesOfWalk(const link::NetworkSnapshot& walk, link::WallTime at);

// The MACAddr item of `image` as 16 hex digits; empty for an image that carries no
// configuration.
std::string MacOfImage(const link::ConfigImage& image);

// Addresses separated by blanks: "1A01 2B02".
std::string AddressList(const std::vector<std::string>& addresses);

// How long a quiet node has not been heard: "not heard for 45 s", "... 2 min", "... 3 h 5 min".
std::string QuietText(std::chrono::seconds age);

}  // namespace netloom::network
