#include "gui/model/quiet_layout.h"

#include <map>
#include <set>

namespace netloom::model {
namespace {

std::chrono::seconds Age(const network::NetworkNode& node, link::WallTime now) {
  return std::chrono::duration_cast<std::chrono::seconds>(now - node.lastHeard);
}

}  // namespace

link::NetworkSnapshot WithQuietNodes(const link::NetworkSnapshot& walk,
                                     std::span<const network::NetworkNode> nodes) {
  if (!walk.rootNode) return walk;
  std::set<std::string> quiet;
  for (const auto& node : nodes)
    if (!node.heard) quiet.insert(node.address);
  if (quiet.empty()) return walk;

  // Records are shared and immutable: the ones that change are copies.
  std::map<std::int32_t, std::shared_ptr<link::NodeRecord>> copies;
  auto copyOf = [&](std::int32_t key, const link::NodePtr& record) {
    auto& copy = copies[key];
    if (!copy) copy = std::make_shared<link::NodeRecord>(*record);
    return copy;
  };
  link::NetworkSnapshot merged = walk;
  for (const auto& node : nodes) {
    if (!node.heard && !merged.nodeTable.contains(link::NodeKey(node.address))) {
      auto record = std::make_shared<link::NodeRecord>();
      record->address = node.address;
      record->name = node.name;
      for (const auto& child : node.children)
        if (quiet.contains(child)) record->children.push_back({child});
      record->entryCount = static_cast<std::int32_t>(record->children.size());
      copies[link::NodeKey(node.address)] = record;
      merged.nodeTable[link::NodeKey(node.address)] = record;
    }
  }
  for (const auto& node : nodes) {
    if (node.heard) continue;
    for (const auto& parent : node.parents) {
      const auto found = merged.nodeTable.find(link::NodeKey(parent));
      if (found == merged.nodeTable.end() || quiet.contains(parent)) continue;
      auto copy = copyOf(found->first, found->second);
      copy->children.push_back({node.address});
      copy->entryCount = static_cast<std::int32_t>(copy->children.size());
    }
  }
  for (const auto& [key, copy] : copies) merged.nodeTable[key] = copy;
  merged.rootNode = merged.nodeTable.at(link::NodeKey(walk.rootNode->address));
  // A quiet node whose parents are all gone hangs nowhere: the drawing pass does not reach it.
  return merged;
}

std::vector<NodePlacement> LayOutRemembered(const link::NetworkSnapshot& walk,
                                            std::span<const network::NetworkNode> nodes,
                                            link::WallTime now, LayoutMode mode,
                                            std::string_view selectedAddress) {
  std::vector<NodePlacement> placements =
      LayOutNetwork(WithQuietNodes(walk, nodes), mode, selectedAddress);
  std::map<std::int32_t, const network::NetworkNode*> quiet;
  for (const auto& node : nodes)
    if (!node.heard) quiet[link::NodeKey(node.address)] = &node;
  for (auto& placement : placements) {
    const auto found = quiet.find(placement.key);
    if (found == quiet.end()) continue;
    placement.quiet = true;
    placement.quietText = network::QuietText(Age(*found->second, now));
    placement.label += "\r\n" + placement.quietText;
  }
  return placements;
}

}  // namespace netloom::model
