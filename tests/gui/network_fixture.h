// Network snapshots for the diagram tests, built as the walk hands them over.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/link/walk/node_table.h"

namespace netloom::testsupport {

struct NodeSpec {
  std::string address;
  std::string name;
  std::vector<std::string> children;
};

// The first node is the root; `nodeCount` < 0 counts the nodes.
inline link::NetworkSnapshot Snapshot(const std::vector<NodeSpec>& nodes,
                                      std::int32_t nodeCount = -1) {
  link::NetworkSnapshot snapshot;
  for (const auto& spec : nodes) {
    auto record = std::make_shared<link::NodeRecord>();
    record->address = spec.address;
    record->name = spec.name;
    record->entryCount = static_cast<std::int32_t>(spec.children.size());
    for (const auto& child : spec.children) record->children.push_back({child});
    snapshot.nodeTable[link::NodeKey(spec.address)] = record;
    if (!snapshot.rootNode) snapshot.rootNode = record;
  }
  snapshot.nodeCount = nodeCount < 0 ? static_cast<std::int32_t>(nodes.size()) : nodeCount;
  return snapshot;
}

// A coordinator with `children` direct children named after their kinds.
inline std::vector<NodeSpec> Family(int children) {
  static const char* const kNames[] = {"CCU-1", "FCU-2",    "LCU-3",   "AC-4",         "PC-5",
                                       "Meter", "Lumanode", "Quaybox", "StreeLight-9", "Node"};
  std::vector<NodeSpec> nodes{{"0000", "Coordinator", {}}};
  for (int i = 1; i <= children; ++i) {
    char address[16];
    std::snprintf(address, sizeof address, "%04X", i);
    nodes[0].children.push_back(address);
    nodes.push_back({address, kNames[(i - 1) % 10], {}});
  }
  return nodes;
}

}  // namespace netloom::testsupport
