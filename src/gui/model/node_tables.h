// The node menu's tables: what a node can be asked to list, and the console line that asks.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace netloom::model {

enum class NodeTableKind { Routing, Neighbor, Binding };

struct NodeTableItem {
  NodeTableKind kind;
  std::string_view menuText;    // "Routing Table", "Neighbor Table", "Binding Table"
  std::string_view optionText;  // the option of the catalogue's "Table Type"
};

inline constexpr std::array<NodeTableItem, 3> kNodeTables{{
    {NodeTableKind::Routing, "Routing Table", "Routing"},
    {NodeTableKind::Neighbor, "Neighbor Table", "Neighbor"},
    {NodeTableKind::Binding, "Binding Table", "Bind Table"},
}};

const NodeTableItem& ItemOf(NodeTableKind kind);

// The catalogue's DUMP command line for the table, as the console would compose it
// ("ATDUMP 3\r" for the routing table).
std::string NodeTableCommand(NodeTableKind kind);

}  // namespace netloom::model
