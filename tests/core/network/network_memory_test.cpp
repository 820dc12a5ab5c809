// Network memory across walks of a virtual module whose topology changes between them, and
// the rules that need no port.
#include "core/network/network_memory.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/network/node_export.h"
#include "module_walker.h"
#include "support/edited_network.h"
#include "walk_snapshots.h"

namespace netloom::network {
namespace {

using std::chrono::minutes;
using std::chrono::seconds;

std::vector<std::string> Lines(const std::vector<ChangeEvent>& events) {
  std::vector<std::string> lines;
  for (const auto& event : events) lines.push_back(ChangeLine(event));
  return lines;
}

const NetworkNode* Find(const std::vector<NetworkNode>& nodes, const std::string& address) {
  const auto found = std::find_if(nodes.begin(), nodes.end(),
                                  [&](const NetworkNode& n) { return n.address == address; });
  return found == nodes.end() ? nullptr : &*found;
}

class NetworkMemoryWalkTest : public ::testing::Test {
 protected:
  std::string At() const { return link::UtcText(clock_.Now()); }

  link::ManualWallClock clock_;
  NetworkMemory memory_{clock_};
  ModuleWalker walker_;
};

TEST_F(NetworkMemoryWalkTest, ARemovedNodeStaysQuietWithItsAgeThenLeaves) {
  const auto joined = memory_.MergeWalk(walker_.Walk());
  ASSERT_EQ(joined.size(), 10u);
  EXPECT_EQ(ChangeLine(joined[0]), At() + " joined 0000 \"Coordinator\"");
  EXPECT_EQ(ChangeLine(joined[5]), At() + " joined 5E05 \"AC-Lobby\" under 1A01 2B02");
  const std::string firstHeard = At();

  walker_.Module().Module().ChangeNetwork(testsupport::EditedDemoNetwork(
      [](std::vector<sim::SimNode>& nodes) { testsupport::RemoveNode(nodes, "7A07"); }));
  clock_.Advance(minutes(2));
  EXPECT_TRUE(memory_.MergeWalk(walker_.Walk()).empty());
  const auto nodes = memory_.Nodes();
  ASSERT_EQ(nodes.size(), 10u);
  const NetworkNode* quiet = Find(nodes, "7A07");
  ASSERT_NE(quiet, nullptr);
  EXPECT_FALSE(quiet->heard);
  EXPECT_EQ(link::UtcText(quiet->lastHeard), firstHeard);
  clock_.Advance(seconds(30));
  EXPECT_EQ(CellText(*quiet, NodeColumn::State, clock_.Now()), "not heard for 2 min");
  EXPECT_EQ(memory_.LatestWalk().nodeTable.size(), 9u);  // the diagram's walk lacks it

  // The coordinator stops answering long past the limit: no evidence, nothing leaves.
  walker_.Module().Faults().SetSilent(true);
  clock_.Advance(minutes(15));
  EXPECT_TRUE(memory_.MergeWalk(walker_.Walk()).empty());
  EXPECT_NE(Find(memory_.Nodes(), "7A07"), nullptr);

  walker_.Module().Faults().SetSilent(false);
  EXPECT_EQ(Lines(memory_.MergeWalk(walker_.Walk())),
            std::vector<std::string>{At() + " left 7A07 \"Lumanode-Yard\" not heard for 17 min"});
  EXPECT_EQ(Find(memory_.Nodes(), "7A07"), nullptr);
}

TEST_F(NetworkMemoryWalkTest, AReparentedNodeMoves) {
  memory_.MergeWalk(walker_.Walk());
  walker_.Module().Module().ChangeNetwork(testsupport::EditedDemoNetwork(
      [](std::vector<sim::SimNode>& nodes) { testsupport::Reparent(nodes, "BE0B", "4D04"); }));
  clock_.Advance(seconds(5));
  EXPECT_EQ(Lines(memory_.MergeWalk(walker_.Walk())),
            std::vector<std::string>{At() + " moved BE0B \"Sensor-Shelf\" from 6F06 to 4D04"});
}

TEST(NetworkMemory, RenamesRejoinsAndKeepsFirstHeard) {
  link::ManualWallClock clock;
  NetworkMemory memory(clock, 1000);
  memory.SetQuietLimit(seconds(60));
  const link::WallTime t0 = clock.Now();
  memory.MergeWalk(Snapshot({{"0000", "Coordinator", {"1A01"}}, {"1A01", "CCU-Hall", {}}}));
  clock.Advance(seconds(5));
  const auto renamed =
      memory.MergeWalk(Snapshot({{"0000", "Coordinator", {"1A01"}}, {"1A01", "CCU-\x01Lab", {}}}));
  EXPECT_EQ(Lines(renamed),
            std::vector<std::string>{link::UtcText(clock.Now()) +
                                     " renamed 1A01 from \"CCU-Hall\" to \"CCU-?Lab\""});
  EXPECT_EQ(memory.Nodes()[1].firstHeard, t0);

  memory.MergeWalk(Snapshot({{"0000", "Coordinator", {}}}));
  clock.Advance(seconds(61));
  EXPECT_EQ(memory.MergeWalk(Snapshot({{"0000", "Coordinator", {}}})).at(0).kind, ChangeKind::Left);
  EXPECT_EQ(
      memory.MergeWalk(Snapshot({{"0000", "Coordinator", {"1A01"}}, {"1A01", "X", {}}})).at(0).kind,
      ChangeKind::Joined);
}

TEST(NetworkMemory, TheHistoryKeepsTheNewestEventsOnly) {
  link::ManualWallClock clock;
  NetworkMemory memory(clock, 50);
  for (int walk = 0; walk < 200; ++walk) {
    clock.Advance(seconds(5));
    const std::vector<std::string> child{"5E05"};
    const bool first = walk % 2 == 0;
    memory.MergeWalk(Snapshot({{"0000", "Coordinator", {"1A01", "2B02"}},
                               {"1A01", "CCU", first ? child : std::vector<std::string>{}},
                               {"2B02", "FCU", first ? std::vector<std::string>{} : child},
                               {"5E05", "AC", {}}}));
  }
  ASSERT_EQ(memory.Events().size(), 50u);
  EXPECT_EQ(memory.Events().back().time, clock.Now());
  EXPECT_EQ(memory.Events().back().kind, ChangeKind::Moved);
}

}  // namespace
}  // namespace netloom::network
