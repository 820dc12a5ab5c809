#include "gui/model/circle_positions.h"

#include <gtest/gtest.h>

#include <limits>

namespace netloom::model {
namespace {

constexpr CirclePoint kCentre = kCircleCentre;

TEST(CirclePositionsTest, FiveNodesGiveTheCompassPoints) {
  const CircleTable table = ComputeCirclePositions(5, kCentre);
  ASSERT_EQ(table.size(), 5u);
  const CirclePoint expected[] = {
      kCentre, {19000, 8250}, {16500, 10750}, {14000, 8250}, {16500, 5750}};
  for (std::size_t k = 0; k < table.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_NEAR(table[k].x, expected[k].x, 0.01);
    EXPECT_NEAR(table[k].y, expected[k].y, 0.01);
  }
  EXPECT_FLOAT_EQ(table[1].x, 19000.0f);  // the first position lies exactly on the x axis
  EXPECT_FLOAT_EQ(table[1].y, 8250.0f);
}

TEST(CirclePositionsTest, PositionCounts) {
  const struct {
    std::int32_t nodeCounter;
    std::size_t positions;
  } cases[] = {
      {std::numeric_limits<std::int32_t>::min(), 0},
      {-1, 0},
      {0, 0},
      {1, 0},
      {2, 1},      // step 360
      {5, 4},      // step 90
      {8, 8},      // step 51: 0, 51, ... 357
      {19, 18},    // step 20
      {20, 20},    // step 18 does not divide evenly: 19 nodes, 20 positions
      {21, 20},    // step 18
      {40, 40},    // step 9
      {181, 180},  // step 2
      {182, 360},  // step 1
      {361, 360},  // step 1
      {362, 0},    // step 0: nothing instead of turning for ever
      {std::numeric_limits<std::int32_t>::max(), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nodeCounter);
    const CircleTable table = ComputeCirclePositions(c.nodeCounter, kCentre);
    ASSERT_EQ(table.size(), c.positions + 1);
    EXPECT_EQ(table[0].x, kCentre.x);
    EXPECT_EQ(table[0].y, kCentre.y);
  }
}

TEST(CirclePositionsTest, EveryPositionLiesOnTheCircle) {
  const CircleTable table = ComputeCirclePositions(20, kCentre);
  ASSERT_EQ(table.size(), 21u);
  for (std::size_t k = 1; k < table.size(); ++k) {
    SCOPED_TRACE(k);
    const double dx = table[k].x - kCentre.x;
    const double dy = table[k].y - kCentre.y;
    EXPECT_NEAR(dx * dx + dy * dy, kCircleRadius * kCircleRadius, 20.0);
  }
  // The twentieth position (angle 342) is the one a fixed table of 19 could not hold.
  EXPECT_LT(table[20].y, kCentre.y);
  EXPECT_GT(table[20].x, kCentre.x);
}

}  // namespace
}  // namespace netloom::model
