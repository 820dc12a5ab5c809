#include "cli/bridge/bridge_commands.h"

#include <algorithm>
#include <cctype>

#include "core/network/node_export.h"

namespace netloom::bridge {
namespace {

constexpr std::size_t kMaxConsoleText = 254;  // the worker's text field, with the CR

bool IsAddress(const std::string& text) {
  return text.size() == 4 && std::all_of(text.begin(), text.end(), [](char c) {
           return std::isxdigit(static_cast<unsigned char>(c)) != 0;
         });
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Whether a console line starts the firmware upgrade or writes the module's identity.
bool Forbidden(const std::string& text) {
  std::string words = Upper(text);
  words.erase(0, words.find_first_not_of(' '));
  const std::string first = words.substr(0, words.find(' '));
  const bool hasArguments = words.find_first_not_of(' ', first.size()) != std::string::npos;
  return first == "ATUPGRADE" || (first == "ATINFOI" && hasArguments);
}

// A string field of `json`: its text, "" when absent; nothing when present but not a string.
std::optional<std::string> TextField(const nlohmann::json& json, const char* field) {
  if (!json.contains(field)) return std::string();
  if (!json[field].is_string()) return std::nullopt;
  return json[field].get<std::string>();
}

}  // namespace

std::optional<BridgeCommand> ParseCommand(std::string_view name, std::string_view payload,
                                          nlohmann::json& id, std::string& error) {
  nlohmann::json json = nlohmann::json::object();
  if (!payload.empty()) {
    json = nlohmann::json::parse(payload, nullptr, false);
    if (!json.is_object()) {
      error = "the request is not a JSON object";
      return std::nullopt;
    }
  }
  if (json.contains("id")) id = json["id"];
  BridgeCommand command;
  command.name = name;
  command.id = id;
  const auto to = TextField(json, "to");
  const auto text = TextField(json, "command");
  const auto address = TextField(json, "address");
  if (!to || !text || !address) {
    error = "\"to\", \"command\" and \"address\" are texts";
    return std::nullopt;
  }
  if (!to->empty() && !IsAddress(*to)) {
    error = "bad address '" + *to + "' (four hex digits)";
    return std::nullopt;
  }
  command.to = Upper(*to);
  if (name == "walk") {
    command.kind = CommandKind::Walk;
  } else if (name == "config-read") {
    command.kind = CommandKind::ConfigRead;
  } else if (name == "console") {
    command.kind = CommandKind::Console;
    command.text = *text;
    if (command.text.empty() || command.text.size() > kMaxConsoleText ||
        command.text.find_first_of("\r\n") != std::string::npos) {
      error = "\"command\" is one console line of 1 to " + std::to_string(kMaxConsoleText) +
              " characters";
      return std::nullopt;
    }
    if (Forbidden(command.text)) {
      error = "firmware upload and identity write are not offered over MQTT";
      return std::nullopt;
    }
  } else if (name == "forget") {
    command.kind = CommandKind::Forget;
    if (!IsAddress(*address)) {
      error = "bad address '" + *address + "' (four hex digits)";
      return std::nullopt;
    }
    command.address = Upper(*address);
  } else {
    error = "unknown command '" + std::string(name) + "' (walk, config-read, console, forget)";
    return std::nullopt;
  }
  return command;
}

std::string ReplyOk(const nlohmann::json& id, const nlohmann::ordered_json& result) {
  nlohmann::ordered_json reply{{"id", id}, {"ok", true}, {"result", result}};
  return network::JsonText(reply);
}

std::string ReplyError(const nlohmann::json& id, std::string_view error) {
  nlohmann::ordered_json reply{{"id", id}, {"ok", false}, {"error", error}};
  return network::JsonText(reply);
}

}  // namespace netloom::bridge
