// Geometry of the gadget pane as plain functions: where each item and its label go, how tall the
// scrollable area is, and how large an icon is drawn.
#pragma once

#include <vector>

namespace netloom::model {

inline constexpr int kIconSide = 70;     // an item is 70 x 70; icons are limited to it
inline constexpr int kIconInset = 20;    // the item sits 20 px right of its column's left edge
inline constexpr int kLabelWidth = 110;  // the label spans the column under the item
inline constexpr int kLabelHeight = 20;
inline constexpr int kColumnWidth = 120;
inline constexpr int kRowHeight = 100;
inline constexpr int kFirstRowTop = 10;
inline constexpr int kScrollWidth = 100;  // the scrollable width never changes

struct GadgetRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const GadgetRect&, const GadgetRect&) = default;
};

struct GadgetPlace {
  GadgetRect item;
  GadgetRect label;
};

struct GadgetLayout {
  std::vector<GadgetPlace> places;  // in list order
  int scrollWidth = kScrollWidth;
  int scrollHeight = 0;
};

// Places `count` items in a client area of `clientWidth` x `clientHeight`: rows from y = 10,
// 100 px apart, max(1, clientWidth / 120) items per row; the scrollable height is the greater of
// the last row's y + 100 and the client height.
GadgetLayout LayOutGadgets(int count, int clientWidth, int clientHeight);

struct IconSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const IconSize&, const IconSize&) = default;
};

// The size an icon is drawn at: each dimension limited to 70 on its own (so an icon too large in
// one dimension only is squeezed in that one).
IconSize IconDrawSize(int width, int height);

}  // namespace netloom::model
