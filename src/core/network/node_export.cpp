#include "core/network/node_export.h"

#include "core/network/json_fields.h"

namespace netloom::network {
namespace {

constexpr std::array<std::string_view, kNodeColumnCount> kTitles{
    "Address", "Name", "Kind", "MAC", "Parents", "Depth", "First heard", "Last heard", "State"};

std::string CsvField(std::string_view text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return std::string(text);
  std::string field = "\"";
  for (const char c : text) field += c == '"' ? std::string("\"\"") : std::string(1, c);
  return field + "\"";
}

}  // namespace

std::string_view ColumnTitle(NodeColumn column) {
  return kTitles[static_cast<std::size_t>(column)];
}

std::string CellText(const NetworkNode& node, NodeColumn column, link::WallTime now) {
  switch (column) {
    case NodeColumn::Address:
      return node.address;
    case NodeColumn::Name:
      return node.name;
    case NodeColumn::Kind:
      return std::string(KindStem(node.kind));
    case NodeColumn::Mac:
      return node.mac;
    case NodeColumn::Parents:
      return AddressList(node.parents);
    case NodeColumn::Depth:
      return std::to_string(node.depth);
    case NodeColumn::FirstHeard:
      return link::UtcText(node.firstHeard);
    case NodeColumn::LastHeard:
      return link::UtcText(node.lastHeard);
    case NodeColumn::State:
      return node.heard ? "heard"
                        : QuietText(std::chrono::duration_cast<std::chrono::seconds>(
                              now - node.lastHeard));
  }
  return {};
}

std::string NodesCsv(std::span<const NetworkNode> nodes, link::WallTime now) {
  std::string csv;
  for (int c = 0; c < kNodeColumnCount; ++c) {
    csv += (c > 0 ? "," : "") + CsvField(kTitles[static_cast<std::size_t>(c)]);
  }
  csv += "\n";
  for (const auto& node : nodes) {
    for (int c = 0; c < kNodeColumnCount; ++c) {
      csv += (c > 0 ? "," : "") + CsvField(CellText(node, static_cast<NodeColumn>(c), now));
    }
    csv += "\n";
  }
  return csv;
}

nlohmann::ordered_json NodeJson(const NetworkNode& node) {
  return {{"address", node.address},
          {"name", node.name},
          {"kind", KindStem(node.kind)},
          {"mac", node.mac},
          {"parents", node.parents},
          {"children", node.children},
          {"depth", node.depth},
          {"firstHeard", link::UtcText(node.firstHeard)},
          {"lastHeard", link::UtcText(node.lastHeard)},
          {"heard", node.heard},
          {"quietSince", node.quietSince ? nlohmann::ordered_json(link::UtcText(*node.quietSince))
                                         : nlohmann::ordered_json(nullptr)}};
}

std::optional<NetworkNode> NodeFromJson(const nlohmann::json& json, std::string& error) {
  if (!json.is_object()) {
    error = "a node is not an object";
    return std::nullopt;
  }
  NetworkNode node;
  detail::FieldReader read{json, error};
  if (!read.Address("address", node.address)) return std::nullopt;
  const auto fail = [&]() -> std::optional<NetworkNode> {
    error = "node " + node.address + ": " + error;
    return std::nullopt;
  };
  std::int64_t depth = 0;
  const nlohmann::json* heard = nullptr;
  if (!read.Text("name", node.name) || !read.Text("mac", node.mac) ||
      !read.Addresses("parents", node.parents) || !read.Addresses("children", node.children) ||
      !read.Time("firstHeard", node.firstHeard) || !read.Time("lastHeard", node.lastHeard) ||
      !read.Integer("depth", -1, 0xFFFF, depth) ||
      (heard = read.Field("heard", nlohmann::json::value_t::boolean)) == nullptr) {
    return fail();
  }
  node.depth = static_cast<int>(depth);
  node.heard = heard->get<bool>();
  node.kind = KindOfName(node.name);
  if (const auto quiet = json.find("quietSince"); quiet != json.end() && !quiet->is_null()) {
    link::WallTime since{};
    if (!read.Time("quietSince", since)) return fail();
    node.quietSince = since;
  }
  return node;
}

nlohmann::ordered_json WalkJson(std::int32_t count, std::string_view root, link::WallTime time,
                                std::span<const NetworkNode> nodes) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const auto& node : nodes) list.push_back(NodeJson(node));
  return {{"count", count}, {"root", root}, {"time", link::UtcText(time)}, {"nodes", list}};
}

std::string JsonText(const nlohmann::ordered_json& json, int indent) {
  return json.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace netloom::network
