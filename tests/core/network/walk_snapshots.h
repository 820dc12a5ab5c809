// Walk snapshots for the network tests, written as the nodes a walk would have met.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/link/walk/node_table.h"

namespace netloom::network {

struct WalkedNode {
  std::string address;
  std::string name;
  std::vector<std::string> children;
};

// A snapshot with the first node as root; no nodes: a walk that broke off (no root).
inline link::NetworkSnapshot Snapshot(const std::vector<WalkedNode>& nodes) {
  link::NetworkSnapshot snapshot;
  for (const auto& node : nodes) {
    auto record = std::make_shared<link::NodeRecord>();
    record->address = node.address;
    record->name = node.name;
    for (const auto& child : node.children) record->children.push_back({child});
    record->entryCount = static_cast<std::int32_t>(node.children.size());
    snapshot.nodeTable[link::NodeKey(node.address)] = record;
    if (!snapshot.rootNode) snapshot.rootNode = record;
  }
  snapshot.nodeCount = static_cast<std::int32_t>(nodes.size());
  return snapshot;
}

}  // namespace netloom::network
