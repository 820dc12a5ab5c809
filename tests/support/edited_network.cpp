#include "support/edited_network.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace netloom::testsupport {

sim::SimNetwork EditedDemoNetwork(const std::function<void(std::vector<sim::SimNode>&)>& edit) {
  std::vector<sim::SimNode> nodes = sim::DemoNetwork().Nodes();
  edit(nodes);
  std::string error;
  auto network = sim::SimNetwork::Make(std::move(nodes), error);
  EXPECT_TRUE(network) << error;
  return network ? std::move(*network) : sim::DemoNetwork();
}

sim::SimNode& NodeAt(std::vector<sim::SimNode>& nodes, const std::string& address) {
  for (auto& node : nodes) {
    if (node.address == address) return node;
  }
  ADD_FAILURE() << "no node " << address;
  return nodes.front();
}

void RemoveNode(std::vector<sim::SimNode>& nodes, const std::string& address) {
  std::erase_if(nodes, [&](const sim::SimNode& node) { return node.address == address; });
  for (auto& node : nodes) std::erase(node.children, address);
}

void Reparent(std::vector<sim::SimNode>& nodes, const std::string& address,
              const std::string& newParent) {
  for (auto& node : nodes) std::erase(node.children, address);
  NodeAt(nodes, newParent).children.push_back(address);
}

}  // namespace netloom::testsupport
