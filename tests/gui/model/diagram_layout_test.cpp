#include "gui/model/diagram_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../network_fixture.h"
#include "gui/model/circle_positions.h"

namespace netloom::model {
namespace {

using ::testing::ElementsAre;

using testsupport::NodeSpec;
using testsupport::Snapshot;

std::vector<std::string> Addresses(const std::vector<NodePlacement>& placements) {
  std::vector<std::string> out;
  for (const auto& p : placements) out.push_back(p.address);
  return out;
}

std::vector<DiagramPoint> Corners(const std::vector<NodePlacement>& placements) {
  std::vector<DiagramPoint> out;
  for (const auto& p : placements) out.push_back({p.left, p.top});
  return out;
}

std::vector<NodeSpot> Spots(const std::vector<NodePlacement>& placements) {
  std::vector<NodeSpot> out;
  for (const auto& p : placements) out.push_back({p.key, p.left, p.top});
  return out;
}

TEST(DiagramLayout, CoordinatorAloneSitsAtTheModesHome) {
  const auto snapshot = Snapshot({{"0000", "Coordinator", {}}});
  const auto tree = LayOutNetwork(snapshot, LayoutMode::Tree, "NULL");
  const auto circle = LayOutNetwork(snapshot, LayoutMode::Circle, "NULL");
  EXPECT_THAT(Corners(tree), ElementsAre(DiagramPoint{15000, 0}));
  EXPECT_THAT(Corners(circle), ElementsAre(DiagramPoint{16500, 8250}));
  // Scrolled into the middle of an 800 x 600 pixel view.
  const auto root = link::NodeKey("0000");
  EXPECT_EQ(ScrollToCoordinator(Spots(tree), root, 800, 600), (DiagramPoint{9750, 0}));
  EXPECT_EQ(ScrollToCoordinator(Spots(circle), root, 800, 600), (DiagramPoint{11250, 4500}));
}

TEST(DiagramLayout, EmptySnapshotDrawsNothing) {
  EXPECT_TRUE(LayOutNetwork(link::NetworkSnapshot{}, LayoutMode::Tree, "NULL").empty());
}

TEST(DiagramLayout, TreeChildrenAlternateRightAndLeftOneRowDown) {
  const auto snapshot = Snapshot({{"0000", "Coordinator", {"0001", "0002", "0003", "0004", "0005"}},
                                  {"0001", "A", {}},
                                  {"0002", "B", {}},
                                  {"0003", "C", {}},
                                  {"0004", "D", {}},
                                  {"0005", "E", {}}});
  const auto placements = LayOutNetwork(snapshot, LayoutMode::Tree, "NULL");
  EXPECT_THAT(
      Corners(placements),
      ElementsAre(DiagramPoint{15000, 0}, DiagramPoint{16500, 2200}, DiagramPoint{13500, 2200},
                  DiagramPoint{18000, 2200}, DiagramPoint{12000, 2200}, DiagramPoint{19500, 2200}));
  for (std::size_t i = 1; i < placements.size(); ++i) EXPECT_EQ(placements[i].parent, 0);
  EXPECT_EQ(placements[0].parent, -1);
}

TEST(DiagramLayout, TreeClampsNegativeXToZero) {
  // The even children of a wide family step left 1500 at a time, past the left edge.
  std::vector<NodeSpec> wide{{"0000", "Coordinator", {}}};
  for (int i = 1; i <= 22; ++i) {
    const std::string address = "1" + std::string(i < 10 ? "00" : "0") + std::to_string(i);
    wide[0].children.push_back(address);
    wide.push_back({address, "N", {}});
  }
  const auto spread = LayOutNetwork(Snapshot(wide), LayoutMode::Tree, "NULL");
  ASSERT_EQ(spread.size(), 23u);
  EXPECT_EQ(spread[20].left, 0);  // k = 20: 15000 - 10 * 1500 = 0
  EXPECT_EQ(spread[22].left, 0);  // k = 22: -1500 clamped
  EXPECT_EQ(spread[21].left, 31500);
}

TEST(DiagramLayout, NodeUnderTwoParentsIsDrawnOnceUnderTheFirst) {
  const auto snapshot = Snapshot({{"0000", "Coordinator", {"0001", "0002"}},
                                  {"0001", "A", {"0003"}},
                                  {"0002", "B", {"0003", "0004"}},
                                  {"0003", "Shared", {}},
                                  {"0004", "D", {}}});
  const auto placements = LayOutNetwork(snapshot, LayoutMode::Tree, "NULL");
  EXPECT_THAT(Addresses(placements), ElementsAre("0000", "0001", "0003", "0002", "0004"));
  EXPECT_EQ(placements[2].parent, 1);
  // 0004 is the first drawn child of 0002 (the shared node did not count): right of its parent.
  EXPECT_EQ(placements[4].parent, 3);
  EXPECT_EQ(placements[4].left, placements[3].left + 1500);
}

TEST(DiagramLayout, TreeMovesACousinOffATakenPlace) {
  // The demo's shape: 5E05 sits under 1A01 at 15000, where 6F06, the first child of 2B02
  // (13500), would go too. It moves below its parent instead; its own child follows it.
  const auto snapshot = Snapshot({{"0000", "Coordinator", {"1A01", "2B02", "3C03"}},
                                  {"1A01", "CCU-Hall", {"4D04", "5E05"}},
                                  {"2B02", "FCU-Office", {"5E05", "6F06"}},
                                  {"3C03", "Meter-Main", {"7A07"}},
                                  {"4D04", "LCU-Corridor", {"8B08"}},
                                  {"5E05", "AC-Lobby", {}},
                                  {"6F06", "PC-Desk", {"BE0B"}},
                                  {"7A07", "Lumanode-Yard", {}},
                                  {"8B08", "Quaybox-Pier", {}},
                                  {"BE0B", "Sensor-Shelf", {}}});
  const auto placements = LayOutNetwork(snapshot, LayoutMode::Tree, "NULL");
  EXPECT_THAT(Addresses(placements), ElementsAre("0000", "1A01", "4D04", "8B08", "5E05", "2B02",
                                                 "6F06", "BE0B", "3C03", "7A07"));
  EXPECT_THAT(
      Corners(placements),
      ElementsAre(DiagramPoint{15000, 0}, DiagramPoint{16500, 2200}, DiagramPoint{18000, 4400},
                  DiagramPoint{19500, 6600}, DiagramPoint{15000, 4400}, DiagramPoint{13500, 2200},
                  DiagramPoint{13500, 4400}, DiagramPoint{15000, 6600}, DiagramPoint{18000, 2200},
                  DiagramPoint{19500, 4400}));
  std::set<std::pair<float, float>> places;
  for (const auto& p : placements) places.insert({p.left, p.top});
  EXPECT_EQ(places.size(), placements.size());
}

TEST(DiagramLayout, TreeCousinTakesTheNearestFreePlaceOnItsSide) {
  const auto snapshot = Snapshot({{"0000", "Coordinator", {"0001", "0002"}},
                                  {"0001", "A", {"0003", "0004"}},
                                  {"0002", "B", {"0005", "0006"}},
                                  {"0003", "C", {}},
                                  {"0004", "D", {}},
                                  {"0005", "E", {}},
                                  {"0006", "F", {}}});
  const auto placements = LayOutNetwork(snapshot, LayoutMode::Tree, "NULL");
  EXPECT_THAT(Addresses(placements),
              ElementsAre("0000", "0001", "0003", "0004", "0002", "0005", "0006"));
  // 0001 at 16500: 0003 18000, 0004 15000. 0002 at 13500: 0005 wants 15000 (taken), below its
  // parent 13500 is free; 0006 wants 12000, free.
  EXPECT_THAT(Corners(placements), ElementsAre(DiagramPoint{15000, 0}, DiagramPoint{16500, 2200},
                                               DiagramPoint{18000, 4400}, DiagramPoint{15000, 4400},
                                               DiagramPoint{13500, 2200}, DiagramPoint{13500, 4400},
                                               DiagramPoint{12000, 4400}));
}

TEST(DiagramLayout, DepthLimitsPerMode) {
  const auto snapshot = Snapshot({{"0000", "Coordinator", {"0001"}},
                                  {"0001", "A", {"0002"}},
                                  {"0002", "B", {"0003"}},
                                  {"0003", "C", {"0004"}},
                                  {"0004", "D", {}}});
  EXPECT_THAT(Addresses(LayOutNetwork(snapshot, LayoutMode::Circle, "NULL")),
              ElementsAre("0000", "0001"));
  EXPECT_THAT(Addresses(LayOutNetwork(snapshot, LayoutMode::Tree, "NULL")),
              ElementsAre("0000", "0001", "0002", "0003"));
}

TEST(DiagramLayout, MissingAndCyclicChildrenAreSkipped) {
  const auto snapshot =
      Snapshot({{"0000", "Coordinator", {"0000", "9999", "0001"}}, {"0001", "A", {"0000"}}});
  const auto placements = LayOutNetwork(snapshot, LayoutMode::Tree, "NULL");
  EXPECT_THAT(Addresses(placements), ElementsAre("0000", "0001"));
  EXPECT_EQ(placements[1].left, 16500);  // counted as the first drawn child
}

TEST(DiagramLayout, CircleChildrenTakeTheWalksPositions) {
  const auto snapshot = Snapshot({{"0000", "Coordinator", {"0001", "0002", "0003", "0004"}},
                                  {"0001", "A", {}},
                                  {"0002", "B", {}},
                                  {"0003", "C", {}},
                                  {"0004", "D", {}}},
                                 5);
  const auto placements = LayOutNetwork(snapshot, LayoutMode::Circle, "NULL");
  ASSERT_EQ(placements.size(), 5u);
  const CircleTable table = ComputeCirclePositions(snapshot.nodeCount);
  for (std::size_t k = 1; k < 5; ++k) {
    EXPECT_EQ(placements[k].left, table[k].x);
    EXPECT_EQ(placements[k].top, table[k].y);
  }
  EXPECT_NEAR(placements[1].left, 19000, 0.01);
  EXPECT_NEAR(placements[2].top, 10750, 0.01);
}

TEST(DiagramLayout, CircleGivesEveryChildAPlaceWhenTheCounterFallsShort) {
  // Six children but a counter of 3: the walk wrote two positions only.
  std::vector<NodeSpec> nodes{{"0000", "Coordinator", {}}};
  for (int i = 1; i <= 6; ++i) {
    const std::string address = "000" + std::to_string(i);
    nodes[0].children.push_back(address);
    nodes.push_back({address, "N", {}});
  }
  const auto placements = LayOutNetwork(Snapshot(nodes, 3), LayoutMode::Circle, "NULL");
  ASSERT_EQ(placements.size(), 7u);
  std::set<std::pair<int, int>> distinct;
  for (std::size_t k = 1; k < placements.size(); ++k) {
    const double dx = placements[k].left - 16500;
    const double dy = placements[k].top - 8250;
    EXPECT_NEAR(std::hypot(dx, dy), 2500, 1);
    distinct.insert({static_cast<int>(placements[k].left), static_cast<int>(placements[k].top)});
  }
  EXPECT_EQ(distinct.size(), 6u);
  EXPECT_NEAR(placements[4].left, 14000, 1);  // the fourth of six: half way round
}

TEST(DiagramLayout, CircleWidensForManyChildren) {
  std::vector<NodeSpec> nodes{{"0000", "Coordinator", {}}};
  for (int i = 10; i < 40; ++i) {
    const std::string address = "00" + std::to_string(i);
    nodes[0].children.push_back(address);
    nodes.push_back({address, "N", {}});
  }
  const auto placements = LayOutNetwork(Snapshot(nodes), LayoutMode::Circle, "NULL");
  ASSERT_EQ(placements.size(), 31u);
  // Neighbours on the circle do not overlap.
  for (std::size_t k = 1; k + 1 < placements.size(); ++k) {
    const double gap = std::hypot(placements[k + 1].left - placements[k].left,
                                  placements[k + 1].top - placements[k].top);
    EXPECT_GT(gap, kNodeSize);
  }
}

TEST(DiagramLayout, CircleIgnoresGrandchildren) {
  const auto snapshot = Snapshot(
      {{"0000", "Coordinator", {"0001"}}, {"0001", "A", {"0002"}}, {"0002", "Grandchild", {}}});
  EXPECT_THAT(Addresses(LayOutNetwork(snapshot, LayoutMode::Circle, "NULL")),
              ElementsAre("0000", "0001"));
}

TEST(DiagramLayout, LabelsKindsAndSelection) {
  const auto snapshot = Snapshot(
      {{"0000", "Coordinator", {"00ab", "1234"}}, {"00ab", "ACME", {}}, {"1234", "Node", {}}});
  const auto placements = LayOutNetwork(snapshot, LayoutMode::Tree, "00AB");
  ASSERT_EQ(placements.size(), 3u);
  EXPECT_EQ(placements[0].label, "Coordinator\r\nID : 0000");
  EXPECT_EQ(placements[1].label, "ACME\r\nID : 00ab");
  EXPECT_EQ(placements[1].kind, NodeKind::Ac);
  EXPECT_EQ(placements[2].kind, NodeKind::Other);
  EXPECT_THAT(
      std::vector<bool>({placements[0].selected, placements[1].selected, placements[2].selected}),
      ElementsAre(false, true, false));
  EXPECT_EQ(placements[1].key, link::NodeKey("00ab"));
}

TEST(DiagramLayout, KindByNamePrefix) {
  const std::vector<std::pair<std::string, NodeKind>> cases{
      {"Coordinator", NodeKind::Coordinator},
      {"IHD-2", NodeKind::Coordinator},
      {"coordinator", NodeKind::Other},
      {"Coord", NodeKind::Coordinator},
      {"CCU1", NodeKind::Ccu},
      {"FCU", NodeKind::Fcu},
      {"LCU-7", NodeKind::Lcu},
      {"ACME", NodeKind::Ac},
      {"AC", NodeKind::Ac},
      {"PC-Office", NodeKind::Pc},
      {"Meter 3", NodeKind::Meter},
      {"Lumanode", NodeKind::Lumanode},
      {"Quaybox9", NodeKind::Quaybox},
      {"StreeLight-1", NodeKind::StreeLight},
      {"StreetLight", NodeKind::Other},
      {"Node", NodeKind::Other},
      {"", NodeKind::Other},
      {"pc", NodeKind::Other},
  };
  for (const auto& [name, kind] : cases) EXPECT_EQ(KindOfName(name), kind) << name;
}

TEST(DiagramLayout, PictureSizesFollowTheKinds) {
  EXPECT_EQ(PictureSize(NodeKind::Coordinator).width, 53);
  EXPECT_EQ(PictureSize(NodeKind::Coordinator).height, 37);
  EXPECT_EQ(PictureSize(NodeKind::Fcu).width, 38);
  EXPECT_EQ(PictureSize(NodeKind::Other).height, 56);
  EXPECT_EQ(KindStem(NodeKind::StreeLight), "streetlight");
}

TEST(DiagramLayout, LabelFontIsSevenTenthsTruncated) {
  EXPECT_DOUBLE_EQ(LabelFontSize(10), 7);
  EXPECT_DOUBLE_EQ(LabelFontSize(9), 6.2999);  // 90000 * 0.7 falls just short of 63000
  EXPECT_DOUBLE_EQ(LabelFontSize(8.25), 5.7749);
  EXPECT_DOUBLE_EQ(LabelFontSize(0.0001), 0);  // 1 * 0.7 truncates to 0
}

TEST(DiagramLayout, ScrollCentresTheCoordinator) {
  const std::vector<NodeSpot> nodes{{link::NodeKey("0001"), 0, 0},
                                    {link::NodeKey("0000"), 15000, 0},
                                    {link::NodeKey("0000"), 99999, 99999}};
  const auto root = link::NodeKey("0000");
  // 15000 - (801 / 2) * 15 + 750 = 9750; y would be negative: 0.
  EXPECT_EQ(ScrollToCoordinator(nodes, root, 801, 400), (DiagramPoint{9750, 0}));
  EXPECT_EQ(ScrollToCoordinator(std::span(nodes).first(1), root, 801, 400),
            (DiagramPoint{10000, 0}));
  EXPECT_EQ(ScrollToCoordinator({}, root, 801, 400), (DiagramPoint{10000, 0}));
  // Circle home at zoom 2 (7.5 twips per pixel): 16500 - 300 * 7.5 + 750, 8250 - 200 * 7.5 + 750.
  const std::vector<NodeSpot> circle{{root, 16500, 8250}};
  EXPECT_EQ(ScrollToCoordinator(circle, root, 600, 400, 7.5f), (DiagramPoint{15000, 7500}));
}

TEST(DiagramLayout, HitTestFindsTheTopmostSquare) {
  const std::vector<NodeSpot> nodes{{1, 0, 0}, {2, 1000, 0}, {3, 5000, 5000}};
  const std::vector<std::pair<DiagramPoint, std::optional<std::size_t>>> cases{
      {{10, 10}, 0},   {{1200, 100}, 1},   {{1499, 1499}, 1}, {{2499, 0}, 1},
      {{2500, 0}, {}}, {{4999, 5000}, {}}, {{5000, 5000}, 2}, {{-1, 0}, {}},
  };
  for (const auto& [point, expected] : cases) {
    EXPECT_EQ(NodeIndexAt(nodes, point), expected) << point.x << "," << point.y;
  }
}

}  // namespace
}  // namespace netloom::model
