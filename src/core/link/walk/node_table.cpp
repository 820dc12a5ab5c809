#include "core/link/walk/node_table.h"

namespace netloom::link {

std::int32_t NodeKey(std::string_view address) {
  std::uint32_t key = 0;
  for (std::size_t i = 0; i < 4 && i < address.size(); ++i) {
    key |= std::uint32_t{static_cast<unsigned char>(address[i])} << (8 * i);
  }
  return static_cast<std::int32_t>(key);
}

NodePtr FindNode(const NodeTable& table, std::string_view address) {
  const auto found = table.find(NodeKey(address));
  return found == table.end() ? nullptr : found->second;
}

}  // namespace netloom::link
