#include "core/sim/sim_network.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace netloom::sim {
namespace {

bool IsAddress(std::string_view text) {
  return text.size() == 4 &&
         std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c); });
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// Names travel between "<" and ">" on the wire and end up in fixed-size fields.
bool IsName(std::string_view name) {
  return !name.empty() && name.size() <= kMaxNodeNameLength &&
         std::all_of(name.begin(), name.end(),
                     [](unsigned char c) { return c >= 0x20 && c < 0x7F && c != '<' && c != '>'; });
}

std::string CheckNode(const SimNode& node, const std::set<std::string>& known) {
  const std::string prefix = "node " + node.address + ": ";
  if (!IsName(node.name)) {
    return prefix + "name must be 1 to " + std::to_string(kMaxNodeNameLength) +
           " printable characters without '<' or '>'";
  }
  std::set<std::string> seen;
  for (const auto& child : node.children) {
    if (!IsAddress(child)) return prefix + "child '" + child + "' is not four hex digits";
    if (child == node.address) return prefix + "lists itself as a child";
    if (!known.count(child)) return "node " + node.address + " lists unknown child " + child;
    if (!seen.insert(child).second) return prefix + "lists child " + child + " twice";
  }
  return {};
}

}  // namespace

std::optional<SimNetwork> SimNetwork::Make(std::vector<SimNode> nodes, std::string& error) {
  if (nodes.empty()) {
    error = "the network has no nodes";
    return std::nullopt;
  }
  std::set<std::string> known;
  for (auto& node : nodes) {
    if (!IsAddress(node.address)) {
      error = "node '" + node.address + "': address must be four hex digits";
      return std::nullopt;
    }
    node.address = Upper(node.address);
    for (auto& child : node.children) child = Upper(child);
    if (!known.insert(node.address).second) {
      error = "duplicate node " + node.address;
      return std::nullopt;
    }
  }
  for (const auto& node : nodes) {
    error = CheckNode(node, known);
    if (!error.empty()) return std::nullopt;
  }
  SimNetwork network(std::move(nodes));
  for (const auto& node : network.nodes_) {
    if (node.children.size() + network.ParentsOf(node.address).size() > kMaxReplyEntries) {
      error = "node " + node.address + " has more than " + std::to_string(kMaxReplyEntries) +
              " children and parents (they must fit one reply)";
      return std::nullopt;
    }
  }
  return network;
}

SimNode* SimNetwork::Find(std::string_view address) {
  const std::string wanted = Upper(address);
  const auto found = std::find_if(nodes_.begin(), nodes_.end(),
                                  [&](const SimNode& node) { return node.address == wanted; });
  return found == nodes_.end() ? nullptr : &*found;
}

const SimNode* SimNetwork::Find(std::string_view address) const {
  return const_cast<SimNetwork*>(this)->Find(address);
}

std::vector<const SimNode*> SimNetwork::ParentsOf(std::string_view address) const {
  const std::string wanted = Upper(address);
  std::vector<const SimNode*> parents;
  for (const auto& node : nodes_) {
    if (std::find(node.children.begin(), node.children.end(), wanted) != node.children.end()) {
      parents.push_back(&node);
    }
  }
  return parents;
}

}  // namespace netloom::sim
