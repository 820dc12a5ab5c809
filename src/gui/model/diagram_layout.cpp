#include "gui/model/diagram_layout.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <numbers>
#include <set>

namespace netloom::model {

namespace detail {

// Picture sizes in NodeKind order.
constexpr std::array<PixelSize, kNodeKindCount> kPictureSizes{{
    {53, 37},
    {53, 43},
    {38, 56},
    {53, 55},
    {56, 53},
    {56, 42},
    {53, 53},
    {55, 55},
    {52, 55},
    {40, 55},
    {53, 56},
}};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// One step of the drawing pass: which record is drawn, under which placement, as which child.
struct Visit {
  link::NodePtr record;
  int parent = -1;
  int index = 0;  // 1-based among the parent's drawn children, 0 for the root
};

// The drawing pass without geometry: depth-first, each record once, children in reply order.
class Walk {
 public:
  explicit Walk(const link::NodeTable& table) : table_(table) {}

  std::vector<Visit> From(const link::NodePtr& root, int depth) {
    Draw(root, -1, 0, depth);
    return std::move(visits_);
  }

 private:
  void Draw(const link::NodePtr& record, int parent, int index, int depth) {
    drawn_.insert(link::NodeKey(record->address));
    const int self = static_cast<int>(visits_.size());
    visits_.push_back({record, parent, index});
    if (--depth == 0 || record->entryCount == 0) return;
    int counter = 0;
    for (const auto& entry : record->children) {
      const auto child = link::FindNode(table_, entry.address);
      if (child && !drawn_.contains(link::NodeKey(child->address))) {
        Draw(child, self, ++counter, depth);
      }
    }
  }

  const link::NodeTable& table_;
  std::set<std::int32_t> drawn_;
  std::vector<Visit> visits_;
};

// Places of the tree layout. The k-th drawn child of a parent alternates right and left of it,
// one row down; a child whose place a node of another parent already took moves to the free
// place of its row nearest below its parent (its own side first), so no node hides another.
// Children of one parent share a place only where the left edge stops them.
class TreeRows {
 public:
  CirclePoint Root() {
    taken_.emplace(std::pair{0.0f, kTreeRootLeft}, -1);
    return {kTreeRootLeft, 0};
  }

  CirclePoint Child(const NodePlacement& parent, int parentIndex, int index) {
    const int half = index / 2;
    const bool right = index % 2 == 1;
    const float x = right ? parent.left + static_cast<float>(half + 1) * kNodeSize
                          : parent.left + kNodeSize - static_cast<float>(half + 1) * kNodeSize;
    CirclePoint place{std::max(x, 0.0f), parent.top + kTreeRowPitch};
    const auto occupant = taken_.find({place.y, place.x});
    if (occupant != taken_.end() && occupant->second != parentIndex) {
      place.x = NearestFree(place.y, parent.left, right);
    }
    taken_.emplace(std::pair{place.y, place.x}, parentIndex);
    return place;
  }

 private:
  float NearestFree(float top, float below, bool rightFirst) const {
    for (int step = 0;; ++step) {
      for (const int side : {rightFirst ? 1 : -1, rightFirst ? -1 : 1}) {
        const float x = below + static_cast<float>(side * step) * kNodeSize;
        if (x >= 0 && !taken_.contains({top, x})) return x;
      }
    }
  }

  std::map<std::pair<float, float>, int> taken_;  // (top, left) -> parent of its first node
};

// Places of the root's drawn children 1..count in circle mode.
std::vector<CirclePoint> CirclePlaces(const link::NetworkSnapshot& snapshot, CirclePoint centre,
                                      int count) {
  const CircleTable table = ComputeCirclePositions(snapshot.nodeCount, centre);
  const int written = std::max(static_cast<int>(table.size()) - 1, 0);
  std::vector<CirclePoint> places;
  if (count <= written && count <= kCirclePlaces) {
    places.assign(table.begin() + 1, table.begin() + 1 + count);
    return places;
  }
  // Even places on a circle whose arc leaves a little room between neighbours.
  const double radius = std::max(kCircleRadius, count * kNodeSize * 1.1 / (2 * std::numbers::pi));
  for (int k = 0; k < count; ++k) places.push_back(OnCircle(centre, radius, 360.0 * k / count));
  return places;
}

}  // namespace detail

PixelSize PictureSize(NodeKind kind) {
  return detail::kPictureSizes[static_cast<std::size_t>(kind)];
}

std::string NodeLabel(const link::NodeRecord& record) {
  return record.name + "\r\nID : " + record.address;
}

double LabelFontSize(double points) {
  // The font size is a fixed-point value with four decimals; the scaling truncates it.
  const auto fixed = static_cast<std::int64_t>(std::llround(points * 10000));
  return static_cast<double>(static_cast<std::int64_t>(fixed * kLabelFontScale)) / 10000;
}

std::vector<NodePlacement> LayOutNetwork(const link::NetworkSnapshot& snapshot, LayoutMode mode,
                                         std::string_view selectedAddress) {
  if (!snapshot.rootNode) return {};
  const auto visits =
      detail::Walk(snapshot.nodeTable)
          .From(snapshot.rootNode, mode == LayoutMode::Circle ? kCircleDepth : kTreeDepth);

  const CirclePoint centre = kCircleCentre;
  std::vector<CirclePoint> circle;
  if (mode == LayoutMode::Circle) {
    circle = detail::CirclePlaces(snapshot, centre, static_cast<int>(visits.size()) - 1);
  }

  detail::TreeRows rows;
  std::vector<NodePlacement> placements;
  placements.reserve(visits.size());
  for (const auto& visit : visits) {
    const auto& record = *visit.record;
    NodePlacement placement{.key = link::NodeKey(record.address),
                            .address = record.address,
                            .label = NodeLabel(record),
                            .kind = KindOfName(record.name),
                            .selected = detail::EqualsIgnoringCase(record.address, selectedAddress),
                            .parent = visit.parent,
                            .quiet = false,
                            .quietText = {}};
    CirclePoint place;
    if (mode == LayoutMode::Circle) {
      place = visit.parent < 0 ? centre : circle[static_cast<std::size_t>(visit.index - 1)];
    } else {
      place = visit.parent < 0 ? rows.Root()
                               : rows.Child(placements[static_cast<std::size_t>(visit.parent)],
                                            visit.parent, visit.index);
    }
    placement.left = place.x;
    placement.top = place.y;
    placements.push_back(std::move(placement));
  }
  return placements;
}

DiagramPoint ScrollToCoordinator(std::span<const NodeSpot> nodes, std::int32_t rootKey,
                                 int clientWidth, int clientHeight, float twipsPerPixel) {
  const auto root = std::ranges::find(nodes, rootKey, &NodeSpot::key);
  if (root == nodes.end()) return {10000, 0};
  const auto centred = [twipsPerPixel](float corner, int client) {
    return std::max(corner - static_cast<float>(client / 2) * twipsPerPixel + kNodeSize / 2, 0.0f);
  };
  return {centred(root->left, clientWidth), centred(root->top, clientHeight)};
}

std::optional<std::size_t> NodeIndexAt(std::span<const NodeSpot> nodes, DiagramPoint point) {
  for (std::size_t i = nodes.size(); i-- > 0;) {
    const auto& node = nodes[i];
    if (point.x >= node.left && point.x < node.left + node.width && point.y >= node.top &&
        point.y < node.top + node.height) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace netloom::model
