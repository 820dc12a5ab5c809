#include "core/link/walk/network_walk.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "core/sim/topology_file.h"
#include "support/temp_folder.h"
#include "support/virtual_module_fixture.h"

namespace netloom::link {
namespace {

using sim::NetInfoFault;

// Five levels below the coordinator; 3000 hangs under 1000 and 0100.
//   0000 -> 1000 0100 0001 | 1000 -> 2000 3000 | 0100 -> 3000 0200 | 2000 -> 2100
//   0200 -> 0300 | 2100 -> 2110 | 2110 -> 2111
constexpr const char* kDeepTopology = R"({"nodes":[
  {"address":"0000","name":"Coordinator","children":["1000","0100","0001"]},
  {"address":"1000","name":"Router-A","children":["2000","3000"]},
  {"address":"0100","name":"Router-B","children":["3000","0200"]},
  {"address":"0001","name":"EndDevice-C"},
  {"address":"2000","name":"Router-D","children":["2100"]},
  {"address":"3000","name":"Shared-E"},
  {"address":"0200","name":"Router-F","children":["0300"]},
  {"address":"2100","name":"Seventeen-chars-1","children":["2110"]},
  {"address":"0300","name":"Eighteen-chars-xyz"},
  {"address":"2110","name":"Deep-I","children":["2111"]},
  {"address":"2111","name":"Deepest-J"}
]})";

// The topology as a file, read the way `netloom-cli sim --topology` reads it.
sim::SimNetwork DeepNetwork() {
  const testsupport::TempFolder folder;
  sim::TopologyResult loaded = sim::LoadTopologyFile(folder.Write("deep.json", kDeepTopology));
  EXPECT_TRUE(loaded.network) << loaded.error;
  return std::move(*loaded.network);
}

class NetworkWalkTest : public ::testing::Test {
 protected:
  NetworkWalkTest() : module_(DeepNetwork()) {
    OpenResult opened = OpenPort(module_.LinkPath());
    EXPECT_TRUE(opened.port) << opened.error.detail;
    port_ = std::move(opened.port);
    if (!port_) return;
    ConfigurePort(*port_, settings_);
    // Longer than the 200 ms of a query, so a loaded machine cannot make a reply look silent.
    ApplyReadTimeout(*port_, settings_, 500);
    module_.Faults().SetRecording(true);
  }

  NetworkWalk Walk() {
    return NetworkWalk(
        *port_, clock_, table_, counter_, directory_,
        [this](std::string_view text) { messages_.emplace_back(text); },
        [this](std::string_view text) { outputs_.emplace_back(text); });
  }

  // The addresses asked with ATNETINFO, in order.
  std::vector<std::string> Asked() {
    const auto bytes = module_.Faults().Received();
    const std::string received(bytes.begin(), bytes.end());
    static const std::regex kQuery("ATNETINFO (\\w+) 0\r");
    std::vector<std::string> asked;
    for (std::sregex_iterator it(received.begin(), received.end(), kQuery), end; it != end; ++it) {
      asked.push_back((*it)[1]);
    }
    return asked;
  }

  std::vector<std::string> TableOrder() const {
    std::vector<std::string> order;
    for (const auto& [key, record] : table_) {
      EXPECT_EQ(key, NodeKey(record->address));
      order.push_back(record->address);
    }
    return order;
  }

  testsupport::ScopedVirtualModule module_;
  UartSettings settings_;
  std::unique_ptr<SerialPort> port_;
  CompressedClock clock_{100};
  NodeTable table_;
  std::int32_t counter_ = 0;
  DeviceDirectory directory_;
  std::vector<std::string> messages_;
  std::vector<std::string> outputs_;
};

using Addresses = std::vector<std::string>;

TEST_F(NetworkWalkTest, AsksTheRootAndThreeLevelsBelowIt) {
  ASSERT_TRUE(port_);
  directory_.Add("1000", "Known-Before");  // a name the directory had from an earlier walk
  directory_.Add("FFFF", "Gone-Since");

  const NodePtr root = Walk().QueryNode("0000", kQueryDepth);

  ASSERT_TRUE(root);
  EXPECT_EQ(root->address, "0000");
  EXPECT_EQ(root->name, "Coordinator");
  EXPECT_EQ(root, FindNode(table_, "0000"));
  // Depth first in reply order; 3000 once although two parents list it; 2110 and 2111 never.
  EXPECT_EQ(Asked(),
            (Addresses{"0000", "1000", "2000", "2100", "3000", "0100", "0200", "0300", "0001"}));
  // Counted: the nodes above the last level that reported entries (the module lists a node's
  // parents too, so every one of them did), not 2100 and 0300 (last level).
  EXPECT_EQ(counter_, 7);
  // Ordered by key: the fourth character first, so 1000 before 0100 before 0001.
  EXPECT_EQ(TableOrder(),
            (Addresses{"0000", "1000", "2000", "3000", "0100", "2100", "0200", "0300", "0001"}));
  const NodePtr routerB = FindNode(table_, "0100");
  ASSERT_TRUE(routerB);
  ASSERT_EQ(routerB->children.size(), 2u);
  EXPECT_EQ(routerB->children[0].address, "3000");
  EXPECT_EQ(routerB->children[1].address, "0200");
  EXPECT_EQ(routerB->entryCount, 3);  // two children and its parent's entry
  EXPECT_EQ(FindNode(table_, "2100")->name, "Seventeen-chars-1");
  EXPECT_EQ(FindNode(table_, "0300")->name, "Node");         // 18 characters
  EXPECT_EQ(FindNode(table_, "2100")->children.size(), 1u);  // listed, never asked
  EXPECT_TRUE(messages_.empty());

  // The directory only grows: every node met is added, earlier entries stay as they were.
  std::vector<std::string> listed;
  for (const DeviceEntry& entry : directory_.Entries()) listed.push_back(entry.address);
  EXPECT_EQ(listed, (Addresses{"0000", "1000", "2000", "3000", "0100", "2100", "0200", "0300",
                               "0001", "FFFF"}));
  EXPECT_EQ(directory_.Find("1000")->name, "Known-Before");
  EXPECT_EQ(directory_.Find("0200")->name, "Router-F");
  EXPECT_EQ(directory_.Find("0200")->macAddress, "");
}

TEST_F(NetworkWalkTest, AReplyForANodeAlreadyInTheTableIsCountedAndDropped) {
  ASSERT_TRUE(port_);
  const auto earlier = std::make_shared<const NodeRecord>(NodeRecord{"0000", 0, {}, "Old"});
  table_.emplace(NodeKey("0000"), earlier);

  EXPECT_FALSE(Walk().QueryNode("0000", kQueryDepth));

  EXPECT_EQ(Asked(), Addresses{"0000"});  // its children are not followed
  EXPECT_EQ(counter_, 1);
  ASSERT_EQ(table_.size(), 1u);
  EXPECT_EQ(table_.begin()->second, earlier);
  EXPECT_EQ(directory_.Find("0000")->name, "Coordinator");  // the directory still learns it
}

TEST_F(NetworkWalkTest, ABadClosingCharacterIsAReadErrorAndLeavesTheNodeOut) {
  ASSERT_TRUE(port_);
  module_.Faults().SetNetInfoFault("0100", NetInfoFault::BadClose);

  ASSERT_TRUE(Walk().QueryNode("0000", kQueryDepth));

  EXPECT_EQ(messages_, Addresses{"read error!!"});
  EXPECT_EQ(Asked(), (Addresses{"0000", "1000", "2000", "2100", "3000", "0100", "0001"}));
  EXPECT_FALSE(FindNode(table_, "0100"));
  EXPECT_FALSE(directory_.Find("0100"));
  EXPECT_EQ(counter_, 5);  // 0000 1000 2000 3000 0001
}

TEST_F(NetworkWalkTest, ANonHexCharacterBreaksTheReplyOffWithALineNotABox) {
  ASSERT_TRUE(port_);
  module_.Faults().SetNetInfoFault("0100", NetInfoFault::NotHex);

  ASSERT_TRUE(Walk().QueryNode("0000", kQueryDepth));

  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(outputs_, Addresses{NotHexLine("0100")});
  EXPECT_FALSE(FindNode(table_, "0100"));
  EXPECT_FALSE(directory_.Find("0100"));
  EXPECT_TRUE(FindNode(table_, "0001"));  // the walk goes on after it
}

TEST_F(NetworkWalkTest, AReplyThatBreaksOffLeavesTheNodeOutSilently) {
  ASSERT_TRUE(port_);
  module_.Faults().SetNetInfoFault("1000", NetInfoFault::BreakOff);

  ASSERT_TRUE(Walk().QueryNode("0000", kQueryDepth));

  EXPECT_TRUE(messages_.empty());
  // 3000 is still reached through its second parent.
  EXPECT_EQ(Asked(), (Addresses{"0000", "1000", "0100", "3000", "0200", "0300", "0001"}));
  EXPECT_EQ(TableOrder(), (Addresses{"0000", "3000", "0100", "0200", "0300", "0001"}));
  EXPECT_FALSE(directory_.Find("1000"));
  EXPECT_EQ(counter_, 5);  // 0000 0100 3000 0200 0001
}

TEST_F(NetworkWalkTest, ASilentRootGivesNothing) {
  ASSERT_TRUE(port_);
  module_.Faults().SetSilent(true);
  const auto start = std::chrono::steady_clock::now();

  EXPECT_FALSE(Walk().QueryNode("0000", kQueryDepth));

  // Three empty reads for the first byte, then the walk gives up.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_TRUE(table_.empty());
  EXPECT_EQ(counter_, 0);
  EXPECT_EQ(directory_.Size(), 0u);
  EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace netloom::link
