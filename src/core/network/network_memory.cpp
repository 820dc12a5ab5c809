#include "core/network/network_memory.h"

namespace netloom::network {

NetworkMemory::NetworkMemory(const link::WallClock& clock, std::size_t maxEvents)
    : clock_(clock), maxEvents_(maxEvents) {}

void NetworkMemory::Append(std::vector<ChangeEvent>& made, ChangeEvent event) {
  made.push_back(event);
  state_.events.push_back(std::move(event));
  while (state_.events.size() > maxEvents_) state_.events.pop_front();
}

std::vector<ChangeEvent> NetworkMemory::MergeWalk(const link::NetworkSnapshot& walk) {
  std::vector<ChangeEvent> made;
  if (!walk.rootNode) return made;
  const link::WallTime now = clock_.Now();
  std::map<std::int32_t, NetworkNode> heard;
  for (auto& node : NodesOfWalk(walk, now)) {
    const std::int32_t key = link::NodeKey(node.address);
    const auto before = known_.find(key);
    if (before == known_.end()) {
      Append(made, {now, ChangeKind::Joined, node.address, node.name, {}, {}, node.parents, {}});
    } else {
      const NetworkNode& old = before->second;
      node.firstHeard = old.firstHeard;
      if (!old.parents.empty() && !node.parents.empty() && old.parents != node.parents) {
        Append(
            made,
            {now, ChangeKind::Moved, node.address, node.name, {}, old.parents, node.parents, {}});
      }
      if (old.name != node.name) {
        Append(made, {now, ChangeKind::Renamed, node.address, node.name, old.name, {}, {}, {}});
      }
      // A configuration read of an earlier walk told its MAC; a walk alone does not.
      if (node.mac.empty()) node.mac = old.mac;
    }
    heard.emplace(key, std::move(node));
  }
  for (auto& [key, old] : known_) {
    if (heard.count(key) > 0) continue;
    if (!old.quietSince) {
      old.heard = false;
      old.quietSince = now;
    }
    if (now - *old.quietSince > state_.quietLimit) {
      Append(made, {now, ChangeKind::Left, old.address, old.name, {}, {}, {}, old.lastHeard});
      continue;
    }
    heard.emplace(key, std::move(old));
  }
  known_ = std::move(heard);
  state_.latestWalk = walk;
  state_.latestWalkTime = now;
  return made;
}

std::vector<NetworkNode> NetworkMemory::Nodes() const {
  std::vector<NetworkNode> nodes;
  nodes.reserve(known_.size());
  for (const auto& [key, node] : known_) nodes.push_back(node);
  return nodes;
}

MemoryState NetworkMemory::State() const {
  MemoryState state = state_;
  state.nodes = Nodes();
  return state;
}

void NetworkMemory::Restore(MemoryState state) {
  known_.clear();
  for (auto& node : state.nodes) known_[link::NodeKey(node.address)] = std::move(node);
  state.nodes.clear();
  while (state.events.size() > maxEvents_) state.events.pop_front();
  state_ = std::move(state);
}

}  // namespace netloom::network
