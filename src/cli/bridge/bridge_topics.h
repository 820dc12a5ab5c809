// The bridge's topics and what it publishes on them, under netloom/<site>/:
//
//   state            "online" while the bridge runs and its serial link works, else "offline";
//                    retained; also the last will, so a dead bridge reads "offline"
//   network          the latest complete walk as `netloom-cli walk --json` prints it; retained
//   nodes/<address>  a node's record (NodeJson) plus "available": false once the node has been
//                    quiet past the quiet limit (it is kept, not deleted); retained
//   events           one change (joined, left, moved, renamed) per message, as it is seen:
//                    {"time","event","address","name",...,"line"}; not retained
//   cmd/<command>    requests, served only with --allow-commands (bridge_commands.h)
//   reply/<command>  their answers
//
// Pure functions; callable from any thread.
#pragma once

#include <string>
#include <string_view>

#include "core/network/change_event.h"
#include "core/network/network_memory.h"
#include "core/network/network_node.h"

namespace netloom::bridge {

inline constexpr char kOnline[] = "online";
inline constexpr char kOffline[] = "offline";

class Topics {
 public:
  explicit Topics(std::string site) : base_("netloom/" + std::move(site) + "/") {}
  std::string State() const { return base_ + "state"; }
  std::string Network() const { return base_ + "network"; }
  std::string Node(std::string_view address) const {
    return base_ + "nodes/" + std::string(address);
  }
  std::string Events() const { return base_ + "events"; }
  // Every command (a single-level wildcard) and one command's request and reply topics.
  std::string Commands() const { return base_ + "cmd/+"; }
  std::string Command(std::string_view name) const { return base_ + "cmd/" + std::string(name); }
  std::string Reply(std::string_view name) const { return base_ + "reply/" + std::string(name); }
  const std::string& Base() const { return base_; }

 private:
  std::string base_;
};

// Whether `site` may stand in a topic: letters, digits, '-', '_' and '.', 1 to 64 of them.
bool IsSiteName(std::string_view site);

// The `network` payload: the memory's latest walk.
std::string NetworkPayload(const network::NetworkMemory& memory);
// A `nodes/<address>` payload.
std::string NodePayload(const network::NetworkNode& node, bool available);
// An `events` payload.
std::string EventPayload(const network::ChangeEvent& event);

}  // namespace netloom::bridge
