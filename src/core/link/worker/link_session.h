// State one connection shares between its owner's (UI) thread and its link worker.
//
// The request fields are written by the owner and then signalled ("write, then signal": the
// worker reads them only after it took the code, so a request still waiting in its event uses
// the fields as they are when it starts). The result fields are written by the worker before it
// reports to its listener. Every access goes through the session's lock, so no field is ever
// read half-written; the waits end when their predicate holds or when the worker has ended, so
// no wait outlives the worker.
//
// Ownership: the owner (a network document, the CLI) owns the session for the life of the
// connection; it must outlive every worker built on it. One worker uses a session at a time.
// Thread safety: every member may be called from any thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/link/config/config_image.h"
#include "core/link/identity/module_identity.h"

namespace netloom::link {

// Address text of "no node selected".
inline constexpr std::string_view kNoAddress = "NULL";
// Address at which every network query starts: the coordinator.
inline constexpr std::string_view kRootAddress = "0000";

// Whether `address` names no node ("NULL" in either case).
bool IsNoAddress(std::string_view address);

// A console command waiting for the worker.
struct ConsoleLine {
  std::string text;  // sent unchanged
  // Unset: for the selected node while the console's remote switch is on. Set: for this node
  // only, whatever the switch says (kNoAddress: the local module).
  std::optional<std::string> forNode;
};

// How many console commands, and how many pieces of typed text, may wait for the worker; a
// request beyond is refused (connection.h), never dropped in silence.
inline constexpr std::size_t kQueuedTextLimit = 64;

// What the owner hands the worker with a command.
struct WorkerRequest {
  bool echoOn = true;           // bytes read while idle go to AppendOutput
  bool autoRefresh = false;     // network query requests are served
  bool emptyNodeTable = false;  // Run: empty the worker's node table and counter before the query
  std::string rootAddress{kRootAddress};  // where the network query starts
  // Texts to send, oldest first. Each ConsoleCommand the worker takes sends the oldest line, and
  // the worker signals the code again while more wait; each RawText sends every piece waiting.
  std::deque<ConsoleLine> consoleLines;
  std::deque<std::string> rawTexts;  // typed text, sent unchanged
};

// Which node the requests are for. One writer per field: the owner picks the node and flips the
// switches (SelectNode, SetRemote in connection.h); the worker's remote set-up records the node
// the coordinator refused.
struct Targeting {
  std::string node{kNoAddress};   // the selected node; kNoAddress when none
  bool consoleRemote = false;     // console commands go to `node`
  bool parametersRemote = false;  // configuration transfers go to `node`
  // The node the coordinator refused at its last answer ("FAIL"); kNoAddress when it took the
  // last one asked. The panes show it; it holds no request back.
  std::string refusedNode{kNoAddress};

  // The coordinator refused the selected node at its last answer for it.
  bool refused() const;
};

// A configuration transfer's state: busy while one runs; the image last transferred.
struct ConfigTransferState {
  bool busy = false;
  ConfigImage image{};  // the last image read or written, from the local module or a node
};

// The identity exchanges' state. The owner sets `target` and `requested` and the status to 0
// (pending) before it signals; the worker writes the identities and the message, status last.
struct IdentityExchangeState {
  std::string target{kNoAddress};  // the node both exchanges address; kNoAddress: local module
  std::int32_t status = 0;         // 0 pending, 1 done, -1 failed
  std::string message;             // failure text
  ModuleIdentity current;          // what the module reported
  ModuleIdentity requested;        // what is to be written
};

// How far the running exchange has got, for progress displays that poll it. The worker resets
// it when a configuration transfer or an identity exchange starts.
struct ExchangeProgress {
  std::int32_t framesDone = 0;   // configuration frames received or acknowledged
  bool awaitingRestart = false;  // an identity write waits for the module's restart
};

struct LinkState {
  WorkerRequest request;
  Targeting targeting;
  ConfigTransferState config;
  IdentityExchangeState identity;
  ExchangeProgress progress;
  bool workerEnded = true;  // no worker loop is running on this session
};

class LinkSession {
 public:
  // Runs `change` on the state under the lock, then wakes every waiter. Returns what it returns.
  template <typename Change>
  auto Update(Change&& change) {
    std::lock_guard lock(mutex_);
    changed_.notify_all();  // waiters look again only once the lock is released
    return std::forward<Change>(change)(state_);
  }

  // Runs `look` on the state under the lock and returns what it returns.
  template <typename Look>
  auto Read(Look&& look) const {
    std::lock_guard lock(mutex_);
    return std::forward<Look>(look)(std::as_const(state_));
  }

  // A copy of the whole state.
  LinkState Snapshot() const;

  enum class WaitResult { Done, TimedOut, WorkerEnded };
  // Waits at most `limit` until `done` holds. WorkerEnded when the worker ended with `done`
  // still false (a wait never outlives the worker). A UI thread waits in short limits and
  // repaints in between.
  WaitResult WaitUntil(const std::function<bool(const LinkState&)>& done,
                       std::chrono::milliseconds limit) const;

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  LinkState state_;
};

}  // namespace netloom::link
