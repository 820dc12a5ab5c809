#include "core/network/network_node.h"

#include <algorithm>
#include <deque>
#include <map>

#include "core/catalogue/value_tables.h"
#include "core/link/config/config_image.h"

namespace netloom::network {
namespace {

// Hops below the root for every node the root reaches through child entries.
std::map<std::int32_t, int> Depths(const link::NetworkSnapshot& walk) {
  std::map<std::int32_t, int> depths;
  std::deque<link::NodePtr> next{walk.rootNode};
  depths[link::NodeKey(walk.rootNode->address)] = 0;
  while (!next.empty()) {
    const link::NodePtr node = next.front();
    next.pop_front();
    const int depth = depths[link::NodeKey(node->address)];
    for (const auto& child : node->children) {
      const auto record = link::FindNode(walk.nodeTable, child.address);
      if (!record || depths.count(link::NodeKey(record->address)) > 0) continue;
      depths[link::NodeKey(record->address)] = depth + 1;
      next.push_back(record);
    }
  }
  return depths;
}

}  // namespace

std::vector<NetworkNode> NodesOfWalk(const link::NetworkSnapshot& walk, link::WallTime at) {
  std::vector<NetworkNode> nodes;
  if (!walk.rootNode) return nodes;
  const auto depths = Depths(walk);
  std::map<std::int32_t, std::vector<std::string>> parents;
  for (const auto& [key, record] : walk.nodeTable) {
    for (const auto& child : record->children) {
      auto& list = parents[link::NodeKey(child.address)];
      if (std::find(list.begin(), list.end(), record->address) == list.end()) {
        list.push_back(record->address);
      }
    }
  }
  for (const auto& [key, record] : walk.nodeTable) {
    NetworkNode node;
    node.address = record->address;
    node.name = record->name;
    node.kind = KindOfName(record->name);
    node.mac = MacOfImage(record->image);
    if (const auto found = parents.find(key); found != parents.end()) node.parents = found->second;
    for (const auto& child : record->children) node.children.push_back(child.address);
    const auto depth = depths.find(key);
    node.depth = depth == depths.end() ? -1 : depth->second;
    node.firstHeard = at;
    node.lastHeard = at;
    nodes.push_back(std::move(node));
  }
  return nodes;
}

std::string MacOfImage(const link::ConfigImage& image) {
  catalogue::ConfigValueTable values;
  if (link::DecodeImage(image, values) != link::DecodeResult::Decoded) return {};
  return values.Get(catalogue::kMacAddrItem);
}

std::string AddressList(const std::vector<std::string>& addresses) {
  std::string text;
  for (const auto& address : addresses) text += (text.empty() ? "" : " ") + address;
  return text;
}

std::string QuietText(std::chrono::seconds age) {
  using namespace std::chrono;
  const auto s = age.count() < 0 ? 0 : age.count();
  std::string text = "not heard for ";
  if (s < 60) return text + std::to_string(s) + " s";
  if (s < 3600) return text + std::to_string(s / 60) + " min";
  text += std::to_string(s / 3600) + " h";
  if (s % 3600 >= 60) text += " " + std::to_string(s % 3600 / 60) + " min";
  return text;
}

}  // namespace netloom::network
