// Geometry of the topology diagram, as pure functions of plain inputs: which records are drawn,
// where, with which label and picture, which links join them, where the view scrolls to and which
// node lies under a point. No Qt: the widget only applies what these functions return.
//
// Units are twips (15 per screen pixel at zoom 1). A node is a 1500 x 1500 twips square whose
// top-left corner the layout gives.
//
// Threads: plain functions of their arguments; callable from any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/link/walk/node_table.h"
#include "core/network/node_kind.h"
#include "gui/model/circle_positions.h"

namespace netloom::model {

inline constexpr float kTwipsPerPixel = 15;
inline constexpr float kNodeSize = 1500;
inline constexpr float kTreeRootLeft = 15000;
inline constexpr float kTreeRowPitch = kNodeSize + 700;
// Places on the circle the walk's positions serve; beyond them the children spread wider.
inline constexpr int kCirclePlaces = 19;
// Depth limits of the drawing pass: the root and its children in a circle, three levels below
// the root in a tree.
inline constexpr int kCircleDepth = 2;
inline constexpr int kTreeDepth = 4;
// Label font: the diagram's font size times 0.7.
inline constexpr double kLabelFontScale = 0.7;

enum class LayoutMode { Tree = 0, Circle = 1 };

// Picture kinds live with the node records in the core; the diagram adds their sizes.
using network::KindOfName;
using network::KindStem;
using network::kNodeKindCount;
using network::NodeKind;

struct PixelSize {
  int width = 0;
  int height = 0;
};

// Size of a kind's picture in screen pixels at zoom 1.
PixelSize PictureSize(NodeKind kind);

// "name\r\nID : address".
std::string NodeLabel(const link::NodeRecord& record);
// The label's font size for a diagram font of `points`: scaled by 0.7 on the font's fixed-point
// value (four decimals), truncated toward zero.
double LabelFontSize(double points);

struct NodePlacement {
  std::int32_t key = 0;
  std::string address;
  std::string label;
  NodeKind kind = NodeKind::Other;
  bool selected = false;  // address equals the selected address, ignoring case
  float left = 0;
  float top = 0;
  int parent = -1;        // index of the parent placement (the link's source), -1 for the root
  bool quiet = false;     // not heard in the latest walk (quiet_layout.h): drawn greyed
  std::string quietText;  // for a quiet node: "not heard for 2 min"
};

// The drawing pass of one network snapshot, in drawing order: a node comes after its parent,
// each child subtree is complete before the next sibling starts, and a record reachable twice is
// placed once, at its first place in the walk.
//
// Tree: the root at (15000, 0); the k-th drawn child of a parent at (pl, pt) alternates right and
// left: pl + 1500, pl - 1500, pl + 3000, pl - 3000 ..., clamped at x = 0, one row (2200) below.
// Where a node drawn under another parent already sits on that place, the child takes the free
// place of the row nearest below its parent instead, so no node hides another.
// Circle: the root at the circle's centre, its k-th drawn child at entry k of the circle table
// of the walk's node counter (ComputeCirclePositions). When that counter gives fewer circle
// positions than the root has
// drawn children, or there are more than 19 of them, every child gets an even place on one
// circle instead (wider when they would overlap), so no child piles up on a position the walk
// did not write.
// An empty snapshot (no root) gives no placements.
std::vector<NodePlacement> LayOutNetwork(const link::NetworkSnapshot& snapshot, LayoutMode mode,
                                         std::string_view selectedAddress);

struct DiagramPoint {
  float x = 0;
  float y = 0;
  bool operator==(const DiagramPoint&) const = default;
};

// A node's key and square, as the scroll and the hit test see it.
struct NodeSpot {
  std::int32_t key = 0;
  float left = 0;
  float top = 0;
  float width = kNodeSize;
  float height = kNodeSize;
};

// Scroll offsets that centre the first node whose key is `rootKey` in a client area of
// `clientWidth` x `clientHeight` pixels: left - (w / 2) * twipsPerPixel + 750 (halves in whole
// pixels), likewise for y, each at least 0. Without such a node: (10000, 0).
DiagramPoint ScrollToCoordinator(std::span<const NodeSpot> nodes, std::int32_t rootKey,
                                 int clientWidth, int clientHeight,
                                 float twipsPerPixel = kTwipsPerPixel);

// Index of the topmost (last placed) node whose square contains `point`, if any.
std::optional<std::size_t> NodeIndexAt(std::span<const NodeSpot> nodes, DiagramPoint point);

}  // namespace netloom::model
