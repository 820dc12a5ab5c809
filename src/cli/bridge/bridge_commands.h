// The requests the bridge serves on netloom/<site>/cmd/<command> with --allow-commands, each
// answered on netloom/<site>/reply/<command>.
//
// Request payloads are JSON objects (an empty payload counts as {}); "id", if given, is copied
// into the reply so a caller can pair them:
//   cmd/walk         {}                                 walk now; reply: the `network` document
//   cmd/config-read  {"to":"1234"}  (no "to": the coordinator)
//                                                       reply: {"items":[...]} as config read
//                                                       --json
//   cmd/console      {"to":"1234","command":"ATINFO"}   reply: {"sent":"ATINFO\r","reply":"..."}
//   cmd/forget       {"address":"1234"}                 drops the node's retained record and its
//                                                       Home Assistant discovery
// Replies: {"id":...,"ok":true,"result":...} or {"id":...,"ok":false,"error":"..."}.
// A console command for a node goes through the coordinator's remote set-up as `netloom-cli at
// --to` sends it: a coordinator that refuses gets nothing to run in the node's place. Firmware
// upload and identity write are never served: there is no command for them, and a console line
// that starts the firmware upgrade (ATUPGRADE) or writes the identity (ATINFOI with values) is
// refused.
//
// Pure functions; callable from any thread.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace netloom::bridge {

enum class CommandKind { Walk, ConfigRead, Console, Forget };

struct BridgeCommand {
  CommandKind kind = CommandKind::Walk;
  std::string name;     // the topic's last level, for the reply topic
  nlohmann::json id;    // null when the request had none
  std::string to;       // ConfigRead, Console: the node, empty for the coordinator
  std::string text;     // Console: the command line as typed (a CR is appended when sent)
  std::string address;  // Forget
};

// The command a request on cmd/`name` asks for; nothing with `error` (the reply's text) set for
// an unknown or refused command or a bad payload. `id` is filled whenever the payload has one.
std::optional<BridgeCommand> ParseCommand(std::string_view name, std::string_view payload,
                                          nlohmann::json& id, std::string& error);

// The reply payloads.
std::string ReplyOk(const nlohmann::json& id, const nlohmann::ordered_json& result);
std::string ReplyError(const nlohmann::json& id, std::string_view error);

}  // namespace netloom::bridge
