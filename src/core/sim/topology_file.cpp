#include "core/sim/topology_file.h"

#include <nlohmann/json.hpp>

#include "core/link/serial/text_file.h"

namespace netloom::sim {
namespace {

using nlohmann::json;

// Reads one node; an empty result names the fault.
std::string ReadNode(const json& item, std::size_t index, SimNode& node) {
  const std::string where = "node " + std::to_string(index + 1) + ": ";
  if (!item.is_object()) return where + "must be an object";
  for (const char* field : {"address", "name"}) {
    if (!item.contains(field)) return where + "missing \"" + field + "\"";
    if (!item[field].is_string()) return where + "\"" + field + "\" must be a string";
  }
  node.address = item["address"].get<std::string>();
  node.name = item["name"].get<std::string>();
  if (item.contains("children")) {
    const json& children = item["children"];
    if (!children.is_array()) return where + "\"children\" must be a list of addresses";
    for (const json& child : children) {
      if (!child.is_string()) return where + "\"children\" must be a list of addresses";
      node.children.push_back(child.get<std::string>());
    }
  }
  return {};
}

}  // namespace

TopologyResult ParseTopology(std::string_view text) {
  json document;
  try {
    document = json::parse(text);
  } catch (const json::parse_error& e) {
    return {std::nullopt, "not valid JSON (at byte " + std::to_string(e.byte) + ")"};
  } catch (const json::out_of_range&) {
    // A number too large for a double ("1E400") is refused like any other malformed text.
    return {std::nullopt, "not valid JSON (a number out of range)"};
  }
  if (!document.is_object() || !document.contains("nodes") || !document["nodes"].is_array()) {
    return {std::nullopt, "expected an object with a \"nodes\" list"};
  }
  std::vector<SimNode> nodes;
  for (const json& item : document["nodes"]) {
    SimNode node;
    if (auto error = ReadNode(item, nodes.size(), node); !error.empty())
      return {std::nullopt, error};
    nodes.push_back(std::move(node));
  }
  TopologyResult result;
  result.network = SimNetwork::Make(std::move(nodes), result.error);
  return result;
}

TopologyResult LoadTopologyFile(const std::string& path) {
  std::string reason;
  const auto text = link::ReadTextFile(path, reason);
  if (!text) return {std::nullopt, path + ": cannot be read"};
  TopologyResult result = ParseTopology(*text);
  if (!result.network) result.error = path + ": " + result.error;
  return result;
}

}  // namespace netloom::sim
