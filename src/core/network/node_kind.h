// The picture kind of a node: which artwork the diagram draws for it, and the kind the node
// table and the exports name. A node's kind follows from its name alone.
//
// Pure functions over constant tables; callable from any thread.
#pragma once

#include <string_view>

namespace netloom::network {

// Picture kinds, in the order the name prefixes are tried.
enum class NodeKind {
  Coordinator,
  Ccu,
  Fcu,
  Lcu,
  Ac,
  Pc,
  Meter,
  Lumanode,
  Quaybox,
  StreeLight,
  Other
};
inline constexpr int kNodeKindCount = 11;

// Picture kind of a node name: the first kind whose prefix begins the name (case-sensitive:
// "Coord" or "IHD", "CCU", "FCU", "LCU", "AC", "PC", "Meter", "Lumanode", "Quaybox",
// "StreeLight"), else Other.
NodeKind KindOfName(std::string_view name);
// File stem of a kind's artwork and the kind's name in exports ("coordinator", "ccu", ...
// "streetlight", "node").
std::string_view KindStem(NodeKind kind);

}  // namespace netloom::network
