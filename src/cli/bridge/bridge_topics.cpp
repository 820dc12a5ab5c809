#include "cli/bridge/bridge_topics.h"

#include <algorithm>
#include <cctype>

#include "core/network/node_export.h"

namespace netloom::bridge {

bool IsSiteName(std::string_view site) {
  constexpr std::size_t kMaxSite = 64;
  return !site.empty() && site.size() <= kMaxSite &&
         std::all_of(site.begin(), site.end(), [](char c) {
           return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_' ||
                  c == '.';
         });
}

std::string NetworkPayload(const network::NetworkMemory& memory) {
  const auto& walk = memory.LatestWalk();
  std::vector<network::NetworkNode> nodes;
  for (auto& node : memory.Nodes()) {
    if (node.heard) nodes.push_back(std::move(node));
  }
  return network::JsonText(network::WalkJson(
      walk.nodeCount, walk.rootNode ? walk.rootNode->address : "", memory.LatestWalkTime(), nodes));
}

std::string NodePayload(const network::NetworkNode& node, bool available) {
  auto json = network::NodeJson(node);
  json["available"] = available;
  return network::JsonText(json);
}

std::string EventPayload(const network::ChangeEvent& event) {
  nlohmann::ordered_json json{{"time", link::UtcText(event.time)},
                              {"event", network::ChangeKindText(event.kind)},
                              {"address", event.address},
                              {"name", event.name}};
  switch (event.kind) {
    case network::ChangeKind::Joined:
      json["parents"] = event.parents;
      break;
    case network::ChangeKind::Left:
      json["lastHeard"] = link::UtcText(event.lastHeard);
      break;
    case network::ChangeKind::Moved:
      json["from"] = event.fromParents;
      json["to"] = event.parents;
      break;
    case network::ChangeKind::Renamed:
      json["oldName"] = event.oldName;
      break;
  }
  json["line"] = network::ChangeLine(event);
  return network::JsonText(json);
}

}  // namespace netloom::bridge
