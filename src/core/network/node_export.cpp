#include "core/network/node_export.h"

#include <algorithm>
#include <cctype>

namespace netloom::network {
namespace {

constexpr std::array<std::string_view, kNodeColumnCount> kTitles{
    "Address", "Name", "Kind", "MAC", "Parents", "Depth", "First heard", "Last heard", "State"};

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const auto& word : words) text += (text.empty() ? "" : " ") + word;
  return text;
}

std::string CsvField(std::string_view text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return std::string(text);
  std::string field = "\"";
  for (const char c : text) field += c == '"' ? std::string("\"\"") : std::string(1, c);
  return field + "\"";
}

bool IsAddress(const std::string& text) {
  return text.size() == 4 && std::all_of(text.begin(), text.end(),
                                         [](unsigned char c) { return std::isxdigit(c) != 0; });
}

// Readers of one field of a node's JSON; false and `error` set when it is missing or wrong.
struct FieldReader {
  const nlohmann::json& json;
  std::string& error;

  const nlohmann::json* Field(const char* name, nlohmann::json::value_t type) {
    const auto found = json.find(name);
    const bool numberOk = type == nlohmann::json::value_t::number_integer && found != json.end() &&
                          found->is_number_integer();
    if (found == json.end() || (found->type() != type && !numberOk)) {
      error = std::string("field '") + name + "' missing or of the wrong type";
      return nullptr;
    }
    return &*found;
  }
  bool Text(const char* name, std::string& out) {
    const auto* field = Field(name, nlohmann::json::value_t::string);
    if (field) out = field->get<std::string>();
    return field != nullptr;
  }
  bool Address(const char* name, std::string& out) {
    if (!Text(name, out)) return false;
    if (IsAddress(out)) return true;
    error = std::string("field '") + name + "' is not four hex digits";
    return false;
  }
  bool Addresses(const char* name, std::vector<std::string>& out) {
    const auto* field = Field(name, nlohmann::json::value_t::array);
    if (!field) return false;
    for (const auto& item : *field) {
      if (!item.is_string() || !IsAddress(item.get<std::string>())) {
        error = std::string("field '") + name + "' holds something other than addresses";
        return false;
      }
      out.push_back(item.get<std::string>());
    }
    return true;
  }
  bool Time(const char* name, link::WallTime& out) {
    std::string text;
    if (!Text(name, text)) return false;
    const auto time = link::ParseUtcText(text);
    if (!time) error = std::string("field '") + name + "' is not a UTC time";
    if (time) out = *time;
    return time.has_value();
  }
};

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
      return Joined(node.parents);
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
  FieldReader read{json, error};
  if (!read.Address("address", node.address)) return std::nullopt;
  const auto fail = [&]() -> std::optional<NetworkNode> {
    error = "node " + node.address + ": " + error;
    return std::nullopt;
  };
  if (!read.Text("name", node.name) || !read.Text("mac", node.mac) ||
      !read.Addresses("parents", node.parents) || !read.Addresses("children", node.children) ||
      !read.Time("firstHeard", node.firstHeard) || !read.Time("lastHeard", node.lastHeard)) {
    return fail();
  }
  const auto* depth = read.Field("depth", nlohmann::json::value_t::number_integer);
  const auto* heard = depth ? read.Field("heard", nlohmann::json::value_t::boolean) : nullptr;
  if (!heard) return fail();
  const auto value = depth->get<std::int64_t>();
  if (value < -1 || value > 0xFFFF) {
    error = "field 'depth' out of range";
    return fail();
  }
  node.depth = static_cast<int>(value);
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
