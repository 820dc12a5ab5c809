#include "gui/model/quiet_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../network_fixture.h"
#include "core/network/network_memory.h"

namespace netloom::model {
namespace {

using namespace std::chrono_literals;
using testsupport::Snapshot;

// A memory that heard `first`, then `second` two minutes later; its nodes and the time.
struct Remembered {
  std::vector<network::NetworkNode> nodes;
  link::WallTime now;
};
Remembered AfterTwoWalks(const link::NetworkSnapshot& first, const link::NetworkSnapshot& second) {
  link::ManualWallClock clock;
  network::NetworkMemory memory(clock);
  memory.MergeWalk(first);
  clock.Advance(2min);
  memory.MergeWalk(second);
  return {memory.Nodes(), clock.Now()};
}

const NodePlacement* Find(const std::vector<NodePlacement>& placements, std::string_view address) {
  for (const auto& p : placements)
    if (p.address == address) return &p;
  return nullptr;
}

TEST(QuietLayout, AQuietNodeHangsUnderItsLastParentGreyedWithItsAge) {
  const auto first = Snapshot({{"0000", "Coordinator", {"1A01", "2B02"}},
                               {"1A01", "CCU-Hall", {"5E05"}},
                               {"2B02", "FCU-Office", {}},
                               {"5E05", "AC-Lobby", {"6F06"}},
                               {"6F06", "PC-Desk", {}}});
  // 5E05 and its child 6F06 drop off; the rest answers.
  const auto second = Snapshot({{"0000", "Coordinator", {"1A01", "2B02"}},
                                {"1A01", "CCU-Hall", {}},
                                {"2B02", "FCU-Office", {}}});
  const auto [nodes, now] = AfterTwoWalks(first, second);
  const auto merged = WithQuietNodes(second, nodes);
  ASSERT_EQ(merged.nodeTable.size(), 5u);
  // The walk's own records are left as they were.
  EXPECT_TRUE(second.nodeTable.at(link::NodeKey("1A01"))->children.empty());

  const auto placements = LayOutRemembered(second, nodes, now, LayoutMode::Tree, "NULL");
  const NodePlacement* quiet = Find(placements, "5E05");
  ASSERT_NE(quiet, nullptr);
  EXPECT_TRUE(quiet->quiet);
  EXPECT_EQ(quiet->quietText, "not heard for 2 min");
  EXPECT_EQ(quiet->label, "AC-Lobby\r\nID : 5E05\r\nnot heard for 2 min");
  EXPECT_EQ(placements[static_cast<std::size_t>(quiet->parent)].address, "1A01");
  EXPECT_FALSE(Find(placements, "2B02")->quiet);
  // Its quiet child hangs under it.
  ASSERT_NE(Find(placements, "6F06"), nullptr);
  EXPECT_TRUE(Find(placements, "6F06")->quiet);
}

TEST(QuietLayout, AHeardChildOfAQuietNodeHangsWhereTheWalkFoundIt) {
  const auto first = Snapshot({{"0000", "Coordinator", {"1A01", "2B02"}},
                               {"1A01", "CCU-Hall", {"5E05"}},
                               {"2B02", "FCU-Office", {}},
                               {"5E05", "AC-Lobby", {}}});
  // 1A01 drops off; its child now answers under 2B02.
  const auto second = Snapshot({{"0000", "Coordinator", {"2B02"}},
                                {"2B02", "FCU-Office", {"5E05"}},
                                {"5E05", "AC-Lobby", {}}});
  const auto [nodes, now] = AfterTwoWalks(first, second);
  const auto placements = LayOutRemembered(second, nodes, now, LayoutMode::Tree, "NULL");
  ASSERT_EQ(placements.size(), 4u);
  const NodePlacement* child = Find(placements, "5E05");
  EXPECT_FALSE(child->quiet);
  EXPECT_EQ(placements[static_cast<std::size_t>(child->parent)].address, "2B02");
  EXPECT_TRUE(Find(placements, "1A01")->quiet);
  // In a circle the quiet child of the root takes a place on it beside the heard one.
  const auto circle = LayOutRemembered(second, nodes, now, LayoutMode::Circle, "NULL");
  ASSERT_EQ(circle.size(), 3u);
  EXPECT_TRUE(Find(circle, "1A01")->quiet);
  EXPECT_NE(Find(circle, "1A01")->left, Find(circle, "2B02")->left);
}

TEST(QuietLayout, NothingQuietOrNoRootLeavesTheWalkAsItIs) {
  const auto walk = Snapshot({{"0000", "Coordinator", {"1A01"}}, {"1A01", "CCU-Hall", {}}});
  const auto [nodes, now] = AfterTwoWalks(walk, walk);
  EXPECT_EQ(WithQuietNodes(walk, nodes).rootNode, walk.rootNode);
  EXPECT_EQ(LayOutRemembered(walk, nodes, now, LayoutMode::Tree, "NULL").size(), 2u);
  EXPECT_TRUE(LayOutRemembered({}, nodes, now, LayoutMode::Tree, "NULL").empty());
}

}  // namespace
}  // namespace netloom::model
