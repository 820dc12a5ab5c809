// The link worker as the CLI drives it: the same Connect, worker and requests as the desktop
// view, with a listener that prints instead of drawing, and waits that give way to Ctrl-C.
//
// Threads: the command's thread opens, requests, waits and closes; the listener calls come on
// the worker thread. Echoed module bytes go to standard output as they arrive (or are kept for
// a JSON document); messages and a lost port go to standard error as one line each.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/interrupt.h"
#include "cli/options.h"
#include "cli/session_log_file.h"
#include "core/catalogue/value_tables.h"
#include "core/link/serial/clock.h"
#include "core/link/worker/link_session.h"
#include "core/link/worker/link_worker.h"
#include "core/link/worker/worker_listener.h"

namespace netloom::cli {

// The usage-error reason for a --port that names no port.
std::string UnknownPortReason(const std::string& port);

class CliLink final : public link::WorkerListener {
 public:
  // `printEcho`: echoed bytes go to io.out as they arrive; otherwise they are only kept.
  CliLink(std::string commandName, CommandIo& io, bool printEcho);
  ~CliLink() override;

  // Resolves --port and connects with the line flags (recording the port for --log). Nothing on
  // success; otherwise the exit status, with the message written (2 for an unknown port name or a
  // bad line flag, 1 when the port does not open). Line settings the port refuses are named on
  // standard error; the command goes on with the port as it is.
  std::optional<int> Open(const ParsedArgs& args);
  // After a loss: closes what is left of the connection and opens the port of Open again with
  // the same settings, as the desktop program reconnects a pulled adapter (the session, and so
  // the node the requests target, is kept). False, the port closed, when it does not open yet.
  bool Reconnect();

  link::CThread& Worker() { return *worker_; }
  link::LinkSession& Session() { return session_; }
  // The command's configuration values: a read decodes into them, a write encodes them.
  catalogue::ConfigValueTable& ConfigValues() { return configValues_; }

  // Waits for the end of the next `code` command; `onPoll`, if given, runs on this thread every
  // few tens of milliseconds meanwhile (progress). Nothing when interrupted.
  std::optional<link::CommandReport> WaitFinished(link::WorkerCommand code,
                                                  const std::function<void()>& onPoll = {});
  // One network query from the root, as one refresh of the topology view runs it, and its
  // report (failure "no answer from the coordinator" when the root gave no usable reply).
  // Nothing when interrupted. `onPoll` as for WaitFinished.
  std::optional<link::CommandReport> QueryNetwork(const std::function<void()>& onPoll = {});
  // The tables of the last query that found the root.
  std::optional<link::NetworkSnapshot> Network() const;
  // Waits until no byte has arrived for `quiet` since `since` or the last byte, whichever is
  // later, and never longer than `limit` after `since` (a module that keeps talking). False
  // when interrupted.
  bool WaitQuiet(std::chrono::milliseconds quiet, std::chrono::steady_clock::time_point since,
                 std::chrono::milliseconds limit);
  // Waits `time` as `clock` tells it (tests move a clock of their own) or until `wake`, if
  // given, holds. False when a signal came first or, with `endOnLoss`, the port was lost.
  bool Pause(std::chrono::milliseconds time, const link::Clock& clock = link::DefaultClock(),
             const std::function<bool()>& wake = {}, bool endOnLoss = true);
  // The lost-port line, empty while the port works.
  std::string LostText() const;
  // Everything echoed so far.
  std::string Echoed() const;
  // Everything echoed since the last take, which is forgotten (a long-running command keeps
  // no growing echo).
  std::string TakeEchoed();
  // Stops the worker (the running command ends first) and closes the port.
  void Close();
  // Writes "<error>" to standard error as the command's one-line failure.
  void Fail(std::string_view message) const;

  void QueryStarted() override {}
  void ClearDiagram() override {}
  void NetworkReady(const link::NetworkSnapshot& snapshot) override;
  void ConfigTransferStarted() override {}
  void ConfigValuesChanged() override {}
  void AppendOutput(std::string_view text) override;
  void ShowMessage(std::string_view text) override;
  void PortLost(std::string_view text) override;
  void CommandFinished(const link::CommandReport& report) override;

 private:
  // Waits in short steps until `done` holds, running `onPoll` between steps; false when a
  // signal came first.
  bool WaitInterruptible(const std::function<bool()>& done,
                         const std::function<void()>& onPoll = {});

  const std::string commandName_;
  CommandIo& io_;
  const bool printEcho_;
  InterruptGuard interrupt_;
  SessionLogFile logFile_;  // before the worker: written once the port is closed
  std::string path_;        // of Open, for Reconnect
  link::UartSettings settings_;
  link::LinkSession session_;
  catalogue::ConfigValueTable configValues_;
  std::unique_ptr<link::CThread> worker_;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::string echoed_;
  std::chrono::steady_clock::time_point lastByte_{};
  std::string lost_;
  std::vector<link::CommandReport> reports_;  // finished, not yet waited for
  std::optional<link::NetworkSnapshot> network_;
};

}  // namespace netloom::cli
