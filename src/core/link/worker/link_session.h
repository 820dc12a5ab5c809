// State one connection shares between the UI thread and its link worker.
//
// The request fields are written by the UI side and then signalled ("write, then signal": the
// worker reads them only after it took the code, so a request still waiting in its event uses
// the fields as they are when it starts). The result fields are written by the worker before it
// reports to its listener. Every access goes through the session's lock, so no field is ever
// read half-written; the waits end when their predicate holds or when the worker has ended, so
// no wait outlives the worker.
//
// Ownership: the view (or the CLI) owns the session for the life of the connection's document;
// it must outlive every worker built on it. One worker uses a session at a time.
// Thread safety: every member may be called from any thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

#include "core/link/identity/module_identity.h"
#include "core/link/walk/circle_positions.h"
#include "core/link/walk/node_table.h"

namespace netloom::link {

// Address text of "no node selected".
inline constexpr std::string_view kNoAddress = "NULL";
// Address at which every network query starts: the coordinator.
inline constexpr std::string_view kRootAddress = "0000";

// What the UI side hands the worker with a command.
struct WorkerRequest {
  bool echoOn = true;           // bytes read while idle go to AppendOutput
  bool autoRefresh = false;     // network query requests are served
  bool remoteRefused = true;    // skip the remote set-up: the request goes to the local module
  bool emptyNodeTable = false;  // Run: empty the worker's node table and counter before the query
  std::string targetAddress{kNoAddress};  // node a request is for
  std::string rootAddress{kRootAddress};  // where the network query starts
  std::string consoleText;                // console command to send, sent unchanged
  // The console command goes to targetAddress whatever the console pane's remote flag says
  // (a table asked for from the diagram's node menu); every pane request clears it.
  bool consoleToTarget = false;
  std::string rawText;  // typed text to send, sent unchanged
};

// The view's side of the link: flags the panes set and results the worker writes back.
struct ViewLinkState {
  bool busy = false;              // a configuration transfer runs
  bool remoteRefused = true;      // a node click clears it; the remote set-up rewrites it
  bool consoleRemote = false;     // console commands go to the selected node
  bool parametersRemote = false;  // configuration transfers go to the selected node
  std::string selectedAddress{kNoAddress};
  ConfigImage configImage{};                 // the local module's image as last transferred
  CirclePoint circleCentre = kCircleCentre;  // centre of the circle layout
};

// The setup wizard's side: written by the identity exchanges, status last.
struct WizardLinkState {
  std::int32_t status = 0;   // 0 pending, 1 done, -1 failed
  std::string message;       // failure text the wizard page shows
  ModuleIdentity current;    // what the module reported
  ModuleIdentity requested;  // what is to be written
};

// How far the running exchange has got, for progress displays that poll it. The worker resets
// it when a configuration transfer or an identity exchange starts.
struct ExchangeProgress {
  std::int32_t framesDone = 0;   // configuration frames received or acknowledged
  bool awaitingRestart = false;  // an identity write waits for the module's restart
};

struct LinkState {
  WorkerRequest request;
  ViewLinkState view;
  WizardLinkState wizard;
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
