// Command handlers of the virtual module: one per command word, grouped in families.
//
// How a line is served: the serving thread reads a line (up to CR), echoes it followed by CR LF
// (as the module does; the host counts on the echo's length), takes its command word and calls
// the handler registered for that word. A line that starts with "AT" (either case) has the
// word that follows, up to the first blank, in upper case ("ATNETINFO 1234 0" -> "NETINFO");
// any other line is its own word ("+++"). A word nobody handles is answered "Error ATcommand".
//
// Adding a handler (for example a new family "identity"):
//   1. Write handlers_identity.cpp with `void AddIdentityHandlers(HandlerRegistry& registry)`
//      that calls registry.Add("INFOI", ...) for each word it serves.
//   2. Declare that function in handlers.h and call it in DefaultHandlers() (handlers.cpp).
//   3. Per-node state goes into SimNode (sim_network.h), per-connection state into SimSession,
//      new faults into SimFaults.
// A handler is plain sequential code on the serving thread: it may write, read further bytes
// or lines (frames, handshakes) through ctx.link for as long as its exchange lasts, and
// returns when the module is back in command mode. It lets `Interrupted` pass.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/sim/sim_faults.h"
#include "core/sim/sim_link.h"
#include "core/sim/sim_network.h"

namespace netloom::sim {

struct SimCommand {
  std::string line;               // as received, without CR
  std::string word;               // "NETINFO", "+++"
  std::vector<std::string> args;  // blank-separated words after the command word
};

// Splits a received line into word and arguments (see above).
SimCommand ParseCommand(std::string_view line);

// State of the conversation with the host, kept between lines.
struct SimSession {
  SimNode* consoleNode = nullptr;  // node of an open remote console; null: the local module
};

struct SimContext {
  SimLink& link;
  SimNetwork& network;
  SimSession& session;
  const SimFaults& faults;

  // The node that answers now: the remote console's node, else the local module.
  SimNode& Node() { return session.consoleNode ? *session.consoleNode : network.Local(); }
};

using SimHandler = std::function<void(SimContext& ctx, const SimCommand& command)>;

class HandlerRegistry {
 public:
  // Registers `handler` for `word`; a later Add of the same word replaces the earlier one.
  void Add(std::string word, SimHandler handler);
  // The handler of `word`, or null.
  const SimHandler* Find(const std::string& word) const;

 private:
  std::map<std::string, SimHandler> handlers_;
};

}  // namespace netloom::sim
