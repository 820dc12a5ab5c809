// The node table's columns and the two exports of it: CSV (the table as shown) and JSON (the
// node-record shape that `netloom-cli walk --json` prints and saved networks hold).
//
// Times are UTC texts (wall_clock.h). A quiet node's state reads QuietText of the time since it
// was last heard, measured at `now`. Pure functions; callable from any thread.
#pragma once

#include <array>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/network/network_node.h"

namespace netloom::network {

enum class NodeColumn { Address, Name, Kind, Mac, Parents, Depth, FirstHeard, LastHeard, State };
inline constexpr int kNodeColumnCount = 9;

// The column titles, in column order: "Address", "Name", "Kind", "MAC", "Parents", "Depth",
// "First heard", "Last heard", "State".
std::string_view ColumnTitle(NodeColumn column);
// What a cell of the table shows: parents separated by blanks, "heard" or QuietText for the
// state, the kind's stem for the kind.
std::string CellText(const NetworkNode& node, NodeColumn column, link::WallTime now);

// The header and one row per node, fields separated by commas and lines by LF; a field with a
// comma, a quote, a line break or a blank at either end is quoted, its quotes doubled.
std::string NodesCsv(std::span<const NetworkNode> nodes, link::WallTime now);

// One node: {"address","name","kind","mac","parents","children","depth","firstHeard",
// "lastHeard","heard","quietSince"}; quietSince is null for a node that was heard.
nlohmann::ordered_json NodeJson(const NetworkNode& node);
// The node back from NodeJson's shape; nothing and `error` set (naming the field) when a field
// is missing or of the wrong type, an address is not four hex digits or a time is not a UTC text.
std::optional<NetworkNode> NodeFromJson(const nlohmann::json& json, std::string& error);

// A walk as `netloom-cli walk --json` prints it: {"count","root","time","nodes":[NodeJson...]}.
nlohmann::ordered_json WalkJson(std::int32_t count, std::string_view root, link::WallTime time,
                                std::span<const NetworkNode> nodes);

// `json` as one line; bytes that are not UTF-8 (a module's name need not be) are replaced.
std::string JsonText(const nlohmann::ordered_json& json, int indent = -1);

}  // namespace netloom::network
