// Topology files and the demo network.
#include "core/sim/topology_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace netloom::sim {
namespace {

TEST(TopologyFile, ReadsNodesInFileOrder) {
  const auto result = ParseTopology(R"({"nodes":[
      {"address":"0000","name":"Coordinator","children":["1a2b"]},
      {"address":"1A2B","name":"Meter-1"}]})");
  ASSERT_TRUE(result.network) << result.error;
  EXPECT_EQ(result.network->Local().name, "Coordinator");
  EXPECT_EQ(result.network->Local().children, std::vector<std::string>{"1A2B"});
  ASSERT_NE(result.network->Find("1a2b"), nullptr);
  EXPECT_TRUE(result.network->Find("1A2B")->children.empty());
}

TEST(TopologyFile, RefusesBadTopologiesWithAClearReason) {
  const std::string manyChildren = [] {
    std::string nodes = R"({"address":"0000","name":"C","children":[)";
    std::string rest;
    for (int i = 1; i <= 43; ++i) {
      char address[5];
      std::snprintf(address, sizeof address, "%04X", i);
      nodes += std::string(i > 1 ? "," : "") + "\"" + address + "\"";
      rest += std::string(R"(,{"address":")") + address + R"(","name":"N"})";
    }
    return R"({"nodes":[)" + nodes + "]}" + rest + "]}";
  }();
  const struct {
    const char* text;
    std::string json;
    const char* error;
  } cases[] = {
      {"not JSON", R"({"nodes":[)", "not valid JSON (at byte 11)"},
      {"number too large", R"({"nodes":[1E400]})", "not valid JSON (a number out of range)"},
      {"no nodes list", R"({"node":[]})", "expected an object with a \"nodes\" list"},
      {"empty list", R"({"nodes":[]})", "the network has no nodes"},
      {"node not an object", R"({"nodes":[1]})", "node 1: must be an object"},
      {"missing address", R"({"nodes":[{"name":"C"}]})", "node 1: missing \"address\""},
      {"missing name", R"({"nodes":[{"address":"0000"}]})", "node 1: missing \"name\""},
      {"name not text", R"({"nodes":[{"address":"0000","name":7}]})",
       "node 1: \"name\" must be a string"},
      {"children not a list", R"({"nodes":[{"address":"0000","name":"C","children":"1"}]})",
       "node 1: \"children\" must be a list of addresses"},
      {"bad address", R"({"nodes":[{"address":"12G4","name":"C"}]})",
       "node '12G4': address must be four hex digits"},
      {"short address", R"({"nodes":[{"address":"123","name":"C"}]})",
       "node '123': address must be four hex digits"},
      {"duplicate", R"({"nodes":[{"address":"0000","name":"C"},{"address":"0000","name":"D"}]})",
       "duplicate node 0000"},
      {"unknown child", R"({"nodes":[{"address":"0000","name":"C","children":["9999"]}]})",
       "node 0000 lists unknown child 9999"},
      {"own child", R"({"nodes":[{"address":"0000","name":"C","children":["0000"]}]})",
       "node 0000: lists itself as a child"},
      {"name with bracket", R"({"nodes":[{"address":"0000","name":"A>B"}]})",
       "node 0000: name must be 1 to 32 printable characters without '<' or '>'"},
      {"empty name", R"({"nodes":[{"address":"0000","name":""}]})",
       "node 0000: name must be 1 to 32 printable characters without '<' or '>'"},
      {"too many children", manyChildren,
       "node 0000 has more than 42 children and parents (they must fit one reply)"},
  };
  for (const auto& c : cases) {
    const auto result = ParseTopology(c.json);
    EXPECT_FALSE(result.network) << c.text;
    EXPECT_EQ(result.error, c.error) << c.text;
  }
}

TEST(TopologyFile, NamesTheFileInItsErrors) {
  std::string path;
  {
    const testsupport::TempFolder folder;
    path = folder.Write("net.json", R"({"nodes":[{"address":"0000"}]})");
    EXPECT_EQ(LoadTopologyFile(path).error, path + ": node 1: missing \"name\"");
    folder.Write("net.json", R"({"nodes":[{"address":"0000","name":"Solo"}]})");
    EXPECT_EQ(LoadTopologyFile(path).network->Local().name, "Solo");
  }
  EXPECT_EQ(LoadTopologyFile(path).error, path + ": cannot be read");
}

// Levels below the local node, breadth first; a node listed twice keeps its first level.
std::map<std::string, int> Levels(const SimNetwork& network) {
  std::map<std::string, int> levels{{network.Local().address, 0}};
  std::vector<const SimNode*> queue{&network.Local()};
  for (std::size_t i = 0; i < queue.size(); ++i) {
    for (const auto& child : queue[i]->children) {
      if (levels.emplace(child, levels[queue[i]->address] + 1).second) {
        queue.push_back(network.Find(child));
      }
    }
  }
  return levels;
}

TEST(DemoNetwork, HasWhatTheWalkAndTheDiagramNeed) {
  const SimNetwork demo = DemoNetwork();
  EXPECT_EQ(demo.Nodes().size(), 12u);
  EXPECT_EQ(demo.Local().address, "0000");
  EXPECT_EQ(demo.Local().name, "Coordinator");
  const auto levels = Levels(demo);
  EXPECT_EQ(levels.size(), demo.Nodes().size()) << "every node reachable";
  EXPECT_GT(std::max_element(levels.begin(), levels.end(),
                             [](auto& a, auto& b) { return a.second < b.second; })
                ->second,
            4);
  EXPECT_TRUE(std::any_of(demo.Nodes().begin(), demo.Nodes().end(), [&](const SimNode& node) {
    return demo.ParentsOf(node.address).size() == 2;
  }));
  for (const char* kind :
       {"CCU", "FCU", "LCU", "AC", "PC", "Meter", "Lumanode", "Quaybox", "StreeLight"}) {
    EXPECT_TRUE(std::any_of(demo.Nodes().begin(), demo.Nodes().end(), [&](const SimNode& node) {
      return node.name.rfind(kind, 0) == 0;
    })) << kind;
  }
}

}  // namespace
}  // namespace netloom::sim
