// Geometry of the gadget pane: columns, rows, scroll height and icon size.
#include "gui/model/gadget_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace netloom::model {
namespace {

TEST(GadgetLayoutTest, ItemsPerRowFollowTheClientWidth) {
  const struct {
    int width;
    int perRow;
  } cases[] = {{239, 1}, {240, 2}, {360, 3}, {50, 1}};
  for (const auto& c : cases) {
    const GadgetLayout layout = LayOutGadgets(6, c.width, 100);
    int firstRow = 0;
    for (const GadgetPlace& place : layout.places) firstRow += place.item.y == 10 ? 1 : 0;
    EXPECT_EQ(firstRow, c.perRow) << "width " << c.width;
    EXPECT_EQ(layout.places[static_cast<std::size_t>(c.perRow)].item.y, 110);
  }
}

TEST(GadgetLayoutTest, ThreeItemsIn240Pixels) {
  for (const int clientHeight : {150, 400}) {
    const GadgetLayout layout = LayOutGadgets(3, 240, clientHeight);
    ASSERT_EQ(layout.places.size(), 3u);
    EXPECT_EQ(layout.places[0].item, (GadgetRect{20, 10, 70, 70}));
    EXPECT_EQ(layout.places[0].label, (GadgetRect{0, 80, 110, 20}));
    EXPECT_EQ(layout.places[1].item, (GadgetRect{140, 10, 70, 70}));
    EXPECT_EQ(layout.places[1].label, (GadgetRect{120, 80, 110, 20}));
    EXPECT_EQ(layout.places[2].item, (GadgetRect{20, 110, 70, 70}));
    EXPECT_EQ(layout.scrollHeight, std::max(210, clientHeight));
    EXPECT_EQ(layout.scrollWidth, 100);
  }
}

TEST(GadgetLayoutTest, IconsAreLimitedTo70PixelsPerDimension) {
  const struct {
    IconSize icon;
    IconSize drawn;
  } cases[] = {
      {{100, 50}, {70, 50}}, {{40, 40}, {40, 40}}, {{30, 90}, {30, 70}}, {{70, 70}, {70, 70}}};
  for (const auto& c : cases)
    EXPECT_EQ(IconDrawSize(c.icon.width, c.icon.height), c.drawn)
        << c.icon.width << "x" << c.icon.height;
}

}  // namespace
}  // namespace netloom::model
