#include "core/network/node_kind.h"

#include <array>

namespace netloom::network {
namespace {

struct KindRow {
  NodeKind kind;
  std::array<std::string_view, 2> prefixes;  // an empty second prefix is unused
  std::string_view stem;
};

constexpr std::array<KindRow, kNodeKindCount> kKinds{{
    {NodeKind::Coordinator, {"Coord", "IHD"}, "coordinator"},
    {NodeKind::Ccu, {"CCU", ""}, "ccu"},
    {NodeKind::Fcu, {"FCU", ""}, "fcu"},
    {NodeKind::Lcu, {"LCU", ""}, "lcu"},
    {NodeKind::Ac, {"AC", ""}, "ac"},
    {NodeKind::Pc, {"PC", ""}, "pc"},
    {NodeKind::Meter, {"Meter", ""}, "meter"},
    {NodeKind::Lumanode, {"Lumanode", ""}, "lumanode"},
    {NodeKind::Quaybox, {"Quaybox", ""}, "quaybox"},
    {NodeKind::StreeLight, {"StreeLight", ""}, "streetlight"},
    {NodeKind::Other, {"", ""}, "node"},
}};

}  // namespace

NodeKind KindOfName(std::string_view name) {
  for (const auto& row : kKinds) {
    for (const auto prefix : row.prefixes) {
      if (!prefix.empty() && name.starts_with(prefix)) return row.kind;
    }
  }
  return NodeKind::Other;
}

std::string_view KindStem(NodeKind kind) {
  return kKinds[static_cast<std::size_t>(kind)].stem;
}

}  // namespace netloom::network
