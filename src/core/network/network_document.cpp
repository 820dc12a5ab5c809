#include "core/network/network_document.h"

#include <algorithm>
#include <map>

#include "core/catalogue/digits.h"
#include "core/link/serial/line_names.h"
#include "core/link/serial/text_file.h"
#include "core/network/json_fields.h"
#include "core/network/node_export.h"

namespace netloom::network {
namespace {

using detail::FieldReader;
using nlohmann::json;
using nlohmann::ordered_json;

constexpr std::string_view kFormat = "netloom network";
constexpr std::array<link::StopBits, 3> kStopBitCodes{
    link::StopBits::One, link::StopBits::OneAndHalf, link::StopBits::Two};

std::string HexOf(const link::ConfigImage& image) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (const std::uint8_t byte : image) {
    text += kHex[byte >> 4];
    text += kHex[byte & 0x0F];
  }
  return text;
}

std::optional<link::ConfigImage> ImageOf(const std::string& hex) {
  if (hex.size() != 2 * link::kConfigImageSize) return std::nullopt;
  link::ConfigImage image{};
  for (std::size_t i = 0; i < image.size(); ++i) {
    const auto byte = catalogue::ParseHexDigits(std::string_view(hex).substr(2 * i), 2);
    if (!byte) return std::nullopt;
    image[i] = static_cast<std::uint8_t>(*byte);
  }
  return image;
}

// The code whose name is `text`, if any.
template <typename Code, std::size_t N>
std::optional<Code> CodeNamed(const std::array<link::LineName<Code>, N>& names,
                              std::string_view text) {
  for (const auto& name : names) {
    if (name.text == text) return name.code;
  }
  return std::nullopt;
}

ordered_json PortJson(const NetworkDocument& document) {
  const auto& s = document.settings;
  return {{"path", document.portPath},
          {"baud", s.baudRate},
          {"bits", s.byteSize},
          {"parity", link::ParityText(s.parity)},
          {"stop", link::StopBitsText(s.stopBits)},
          {"flow", link::FlowText(s.flowControl)}};
}

ordered_json WalkRecordsJson(const MemoryState& memory) {
  const auto& walk = memory.latestWalk;
  if (!walk.rootNode) return nullptr;
  ordered_json nodes = ordered_json::array();
  for (const auto& [key, record] : walk.nodeTable) {
    ordered_json children = ordered_json::array();
    for (const auto& child : record->children) children.push_back(child.address);
    ordered_json node{{"address", record->address},
                      {"name", record->name},
                      {"entryCount", record->entryCount},
                      {"children", children}};
    if (record->image[link::kImageChannelOffset] != 0) node["image"] = HexOf(record->image);
    nodes.push_back(std::move(node));
  }
  return {{"time", link::UtcText(memory.latestWalkTime)},
          {"count", walk.nodeCount},
          {"root", walk.rootNode->address},
          {"nodes", nodes}};
}

ordered_json EventJson(const ChangeEvent& event) {
  ordered_json json{{"time", link::UtcText(event.time)},
                    {"event", ChangeKindText(event.kind)},
                    {"address", event.address},
                    {"name", event.name}};
  switch (event.kind) {
    case ChangeKind::Renamed:
      json["oldName"] = event.oldName;
      break;
    case ChangeKind::Moved:
      json["fromParents"] = event.fromParents;
      json["parents"] = event.parents;
      break;
    case ChangeKind::Joined:
      json["parents"] = event.parents;
      break;
    case ChangeKind::Left:
      json["lastHeard"] = link::UtcText(event.lastHeard);
      break;
  }
  return json;
}

// Each reader returns false with `error` set (without the place; the caller adds it).
bool ReadPort(const json& port, NetworkDocument& document, std::string& error) {
  FieldReader read(port, error);
  std::int64_t baud = 0, bits = 0;
  std::string parity, stop, flow;
  if (!read.Text("path", document.portPath) || !read.Integer("baud", 1, 0xFFFFFFFF, baud) ||
      !read.Integer("bits", 5, 8, bits) || !read.Text("parity", parity) ||
      !read.Text("stop", stop) || !read.Text("flow", flow)) {
    return false;
  }
  auto& s = document.settings;
  s.baudRate = static_cast<std::uint32_t>(baud);
  s.byteSize = static_cast<std::uint8_t>(bits);
  const auto parityCode = CodeNamed(link::kParityNames, parity);
  const auto flowCode = CodeNamed(link::kFlowNames, flow);
  const auto stopCode =
      std::find_if(kStopBitCodes.begin(), kStopBitCodes.end(),
                   [&](link::StopBits c) { return link::StopBitsText(c) == stop; });
  if (!parityCode || !flowCode || stopCode == kStopBitCodes.end()) {
    error = "unknown parity, stop bits or flow control";
    return false;
  }
  s.parity = *parityCode;
  s.flowControl = *flowCode;
  s.stopBits = *stopCode;
  return true;
}

bool ReadWalkNode(const json& item, link::NetworkSnapshot& walk, std::string& error) {
  FieldReader read(item, error);
  auto record = std::make_shared<link::NodeRecord>();
  std::int64_t entries = 0;
  std::vector<std::string> children;
  if (!read.Address("address", record->address) || !read.Text("name", record->name) ||
      !read.Integer("entryCount", 0, 255, entries) || !read.Addresses("children", children)) {
    return false;
  }
  record->entryCount = static_cast<std::int32_t>(entries);
  for (auto& child : children) record->children.push_back({std::move(child)});
  if (item.contains("image")) {
    std::string hex;
    if (!read.Text("image", hex)) return false;
    const auto image = ImageOf(hex);
    if (!image) {
      error = "field 'image' is not 512 hex digits";
      return false;
    }
    record->image = *image;
  }
  if (!walk.nodeTable.emplace(link::NodeKey(record->address), record).second) {
    error = "node " + record->address + " given twice";
    return false;
  }
  return true;
}

bool ReadWalk(const json& walkJson, MemoryState& memory, std::string& error) {
  if (walkJson.is_null()) return true;
  FieldReader read(walkJson, error);
  auto& walk = memory.latestWalk;
  std::int64_t count = 0;
  std::string root;
  const json* nodes = nullptr;
  if (!read.Time("time", memory.latestWalkTime) || !read.Integer("count", 0, 0x7FFFFFFF, count) ||
      !read.Address("root", root) ||
      (nodes = read.Field("nodes", json::value_t::array)) == nullptr) {
    return false;
  }
  walk.nodeCount = static_cast<std::int32_t>(count);
  for (std::size_t i = 0; i < nodes->size(); ++i) {
    if (!ReadWalkNode((*nodes)[i], walk, error)) {
      error = "node " + std::to_string(i + 1) + ": " + error;
      return false;
    }
  }
  walk.rootNode = link::FindNode(walk.nodeTable, root);
  if (!walk.rootNode) {
    error = "the root " + root + " is none of its nodes";
    return false;
  }
  return true;
}

std::optional<ChangeEvent> ReadEvent(const json& item, std::string& error) {
  FieldReader read(item, error);
  ChangeEvent event;
  std::string kind;
  if (!read.Time("time", event.time) || !read.Text("event", kind) ||
      !read.Address("address", event.address) || !read.Text("name", event.name)) {
    return std::nullopt;
  }
  const auto code = ChangeKindOf(kind);
  if (!code) {
    error = "unknown event '" + kind + "'";
    return std::nullopt;
  }
  event.kind = *code;
  bool ok = true;
  switch (event.kind) {
    case ChangeKind::Renamed:
      ok = read.Text("oldName", event.oldName);
      break;
    case ChangeKind::Moved:
      ok = read.Addresses("fromParents", event.fromParents) &&
           read.Addresses("parents", event.parents);
      break;
    case ChangeKind::Joined:
      ok = read.Addresses("parents", event.parents);
      break;
    case ChangeKind::Left:
      ok = read.Time("lastHeard", event.lastHeard);
      break;
  }
  if (!ok) return std::nullopt;
  return event;
}

// Reads the array `name` of `root` item by item; false with "name item N: reason".
template <typename ReadItem>
bool ReadList(const json& root, const char* name, std::string& error, ReadItem readItem) {
  FieldReader read(root, error);
  const json* list = read.Field(name, json::value_t::array);
  if (!list) return false;
  for (std::size_t i = 0; i < list->size(); ++i) {
    if (!readItem((*list)[i])) {
      error = std::string(name) + " item " + std::to_string(i + 1) + ": " + error;
      return false;
    }
  }
  return true;
}

std::string ReadDocument(const json& root, NetworkDocument& document) {
  std::string error;
  FieldReader read(root, error);
  std::string format;
  std::int64_t version = 0;
  if (!read.Text("format", format) || format != kFormat) return "not a saved Netloom network";
  if (!read.Integer("version", 0, 0x7FFFFFFF, version)) return error;
  if (version != kNetworkFileVersion) {
    return "version " + std::to_string(version) + " of saved networks is not known here";
  }
  const json* port = read.Field("port", json::value_t::object);
  if (!port) return error;
  if (!ReadPort(*port, document, error)) return "port: " + error;
  auto& memory = document.memory;
  std::int64_t limit = 0;
  if (!read.Integer("quietLimitSeconds", 0, 0x7FFFFFFF, limit)) return error;
  memory.quietLimit = std::chrono::seconds(limit);
  if (!root.contains("walk")) return "field 'walk' missing";
  if (!ReadWalk(root["walk"], memory, error)) return "walk: " + error;
  std::map<std::int32_t, bool> seen;
  const bool nodesOk = ReadList(root, "nodes", error, [&](const json& item) {
    auto node = NodeFromJson(item, error);
    if (!node) return false;
    if (!seen.emplace(link::NodeKey(node->address), true).second) {
      error = "node " + node->address + " given twice";
      return false;
    }
    memory.nodes.push_back(std::move(*node));
    return true;
  });
  if (!nodesOk) return error;
  std::sort(memory.nodes.begin(), memory.nodes.end(), [](const auto& a, const auto& b) {
    return link::NodeKey(a.address) < link::NodeKey(b.address);
  });
  const bool historyOk = ReadList(root, "history", error, [&](const json& item) {
    auto event = ReadEvent(item, error);
    if (event) memory.events.push_back(std::move(*event));
    return event.has_value();
  });
  return historyOk ? std::string() : error;
}

}  // namespace

std::string WriteNetworkDocument(const NetworkDocument& document) {
  const MemoryState& memory = document.memory;
  ordered_json nodes = ordered_json::array();
  for (const auto& node : memory.nodes) nodes.push_back(NodeJson(node));
  ordered_json history = ordered_json::array();
  for (const auto& event : memory.events) history.push_back(EventJson(event));
  const ordered_json root{{"format", kFormat},
                          {"version", kNetworkFileVersion},
                          {"port", PortJson(document)},
                          {"quietLimitSeconds", memory.quietLimit.count()},
                          {"walk", WalkRecordsJson(memory)},
                          {"nodes", nodes},
                          {"history", history}};
  return JsonText(root, 1) + "\n";
}

DocumentResult ReadNetworkDocument(std::string_view text) {
  const json root = json::parse(text, nullptr, false);
  if (root.is_discarded()) return {std::nullopt, "not a saved Netloom network (no JSON)"};
  if (!root.is_object()) return {std::nullopt, "not a saved Netloom network"};
  NetworkDocument document;
  std::string error = ReadDocument(root, document);
  if (!error.empty()) return {std::nullopt, std::move(error)};
  return {std::move(document), {}};
}

std::string SaveNetworkFile(const std::string& path, const NetworkDocument& document) {
  const std::string error = link::WriteTextFile(path, WriteNetworkDocument(document));
  return error.empty() ? error : "cannot write " + path + ": " + error;
}

DocumentResult LoadNetworkFile(const std::string& path) {
  std::string error;
  const auto text = link::ReadTextFile(path, error);
  if (!text) return {std::nullopt, path + ": " + error};
  DocumentResult result = ReadNetworkDocument(*text);
  if (!result.document) result.error = path + ": " + result.error;
  return result;
}

}  // namespace netloom::network
