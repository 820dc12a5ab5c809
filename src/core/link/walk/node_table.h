// Node records, node keys and the node table the network walk builds.
//
// Ownership and threads: records are shared between the worker's table and every snapshot handed
// to its owner (std::shared_ptr), and are immutable once inserted into a table: a change (a
// node's configuration image after a read) makes a new record that replaces the old one in the
// worker's table, and a new snapshot is published. So the owner may hold and read a snapshot on
// its own thread while the worker goes on, without locks, and emptying the worker's table never
// frees a record someone still holds. Per-draw marks ("already drawn") belong to the drawing
// code, not to the shared records.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/link/config/config_image.h"

namespace netloom::link {

// Key of an address text: its first four characters as a little-endian 32-bit integer (first
// character in the lowest byte). Tables order by it as a signed integer, so 1000 sorts before
// 0100 before 0001.
std::int32_t NodeKey(std::string_view address);

// Name of a node that gave no usable name.
inline constexpr std::string_view kDefaultNodeName = "Node";

struct ChildEntry {
  std::string address;  // four hex characters, most significant digit first
};

struct NodeRecord {
  std::string address;                 // four hex characters, most significant digit first
  std::int32_t entryCount = 0;         // entries announced by the reply's length field
  std::vector<ChildEntry> children;    // entries of kind 1, in reply order
  std::string name{kDefaultNodeName};  // from the name request, at most 17 characters
  ConfigImage image{};                 // Channel byte 0 until a configuration read fills it
};

using NodePtr = std::shared_ptr<const NodeRecord>;
using NodeTable = std::map<std::int32_t, NodePtr>;

// What one network query hands to its owner, as one consistent whole.
struct NetworkSnapshot {
  std::int32_t nodeCount = 0;  // the walk's node counter
  NodeTable nodeTable;
  NodePtr rootNode;
};

// The record with `address` in `table`, or null.
NodePtr FindNode(const NodeTable& table, std::string_view address);

}  // namespace netloom::link
