// The life of one network document's serial connection, without widgets.
//
// One controller per network view. It owns the connection's line settings and port choice, the
// link worker and the state the worker shares with the UI (link::LinkSession), the last network
// snapshot, the refresh cycle and its period, and the reconnect policy for a pulled adapter.
// Widgets draw its state and forward the user's commands; the panes and dialogs call its
// requests and listen to it through ConnectionObserver.
//
// States (State):
//   Closed      no worker; the port is closed.
//   Opening     Connect is opening the port (the caller waits; show the wait cursor).
//   Open        the worker runs; no refresh cycle.
//   Refreshing  the worker runs and one network query starts every refresh period.
//   Waiting     the UI thread waits for the worker (a configuration transfer, or Wait()).
//   Closing     Disconnect (or a lost port) is stopping the worker.
//   Lost        the adapter was pulled: the worker is gone, the device is watched and the
//               connection reopens by itself (resuming the refresh cycle if it ran).
//
// Waits (Waiting, Closing) run on the UI thread: they keep serving paint events and the
// worker's reports but take no user input, and they end when the worker ends. A command or
// request that arrives during a wait is dropped, never replayed after it (RunIfIdle): the user
// acted on a state that no longer holds. What the worker reports during a wait that needs the
// user (its messages, a lost port) is handled after the wait, in order; a worker waiting for its
// message goes on only once the message was shown. The window may close during a wait (Close):
// the worker is stopped, the wait ends when it has ended, and the close is done afterwards.
//
// Requests (SendConsoleCommand, SendRawText, ReadConfig, ...) connect first when the port is
// closed, and are dropped when that fails (the user has been told). Each writes its fields into
// the session and then signals the worker. Console lines and typed text are never dropped in
// silence: one that arrives during a wait, or finds the worker's queue full, is refused with a
// line in the output pane, and the caller learns it was not sent.
//
// Threads: every member is UI-thread only. The worker's reports reach the controller as calls
// posted to the UI thread (UiThread::Post), in the order the worker made them. A reconnect to a
// network port opens on a thread of its own (a gateway may take seconds to accept or answer)
// and posts the opened port back the same way; the destructor waits for it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/catalogue/value_tables.h"
#include "core/link/identity/module_identity.h"
#include "core/link/serial/clock.h"
#include "core/link/serial/port_tap.h"
#include "core/link/serial/uart_settings.h"
#include "core/link/walk/node_table.h"
#include "core/link/worker/connection.h"
#include "core/link/worker/link_session.h"
#include "core/link/worker/link_worker.h"
#include "gui/model/connection_observer.h"
#include "gui/model/node_tables.h"
#include "gui/model/port_choice.h"
#include "gui/model/reconnect_watch.h"
#include "gui/model/refresh_periods.h"
#include "gui/model/ui_thread.h"
#include "gui/model/worker_bridge.h"

namespace netloom::testsupport {
class SessionAccess;
}

namespace netloom::model {

class ConnectionController {
 public:
  using State = ConnectionState;
  static constexpr std::chrono::milliseconds kReconnectPoll{1000};
  // A lost network port is tried again after kReconnectPoll, then after twice as long each time
  // the server cannot be reached, up to this.
  static constexpr std::chrono::milliseconds kMaxReconnectBackOff{32000};

  // `configValues` (not owned, outlives the controller) are the document's configuration
  // values: its workers decode reads into them and encode writes from them. `periods` (not
  // owned, outlives the controller) remembers each port's refresh period.
  ConnectionController(UiThread& ui, catalogue::ConfigValueTable& configValues,
                       RefreshPeriods& periods = ProcessRefreshPeriods());
  // Stops a running worker without waiting on the UI thread (the widgets around may be gone).
  ~ConnectionController();
  ConnectionController(const ConnectionController&) = delete;
  ConnectionController& operator=(const ConnectionController&) = delete;

  // Observers are not owned; one must be removed before it goes.
  void AddObserver(ConnectionObserver& observer);
  void RemoveObserver(ConnectionObserver& observer);

  // --- state ---
  State state() const { return state_; }
  bool portOpen() const { return worker_ != nullptr; }
  // The refresh cycle runs (also while a wait interrupts it).
  bool autoRefresh() const;
  bool lost() const { return state_ == State::Lost; }
  bool waiting() const { return state_ == State::Waiting || state_ == State::Closing; }
  // The refresh timer is armed: the next query starts when it fires.
  bool refreshTimerActive() const { return refreshTimer_->Active(); }
  // "9600 8-None-1 FLOW:None", or "Port lost: ..." while the port is lost; a network port's
  // line adds its round-trip time ("9600 8-None-1 FLOW:None  RTT 0.4 ms") while connected.
  std::string PortSettingsLine() const;

  // --- the connection's settings ---
  const link::UartSettings& uartSettings() const { return uartSettings_; }
  const PortChoice& port() const { return port_; }
  // The UART dialog's choice. Refused (false, nothing changes) while the port is open or a wait
  // runs: the settings change only while Closed or Lost. Taken: a lost port stops waiting for
  // its device, the port's refresh period applies, and the observers hear the new state.
  // `banner`: the output pane says which port is chosen now.
  bool ApplySettings(const link::UartSettings& settings, const PortChoice& port, bool banner);
  // Another port with the settings as they are; as ApplySettings.
  bool SelectPort(const PortChoice& port) { return ApplySettings(uartSettings_, port, false); }
  // A new document: default settings on `port`, nothing selected, the port's refresh period.
  void Reset(const PortChoice& port);

  // --- commands ---
  // Opens the port and starts the worker; false (after telling the user) when it cannot, or
  // when a wait runs (the call is dropped).
  bool Connect();
  void Disconnect();
  // Run: connects if needed, empties the node tables and starts the refresh cycle.
  void StartRefresh();
  // Stop: no more queries; the port stays open.
  void StopRefresh();
  int refreshSeconds() const { return refreshSeconds_; }
  // The refresh period (RefreshPeriods' range; remembered for the port): the cycle starts one
  // walk every period. An armed refresh timer starts over with it.
  void SetRefreshSeconds(int seconds);
  // The clock of the protocol pauses of the workers started from now on (tests compress time);
  // not owned, it must outlive them. Real time by default.
  void SetClock(link::Clock& clock) { clock_ = &clock; }
  // Hands `tap` every byte written to and read from the ports opened from now on (the
  // document's session log); null: none.
  void SetPortTap(std::shared_ptr<link::PortTap> tap) { tap_ = std::move(tap); }
  // Runs `call` now and returns true, or drops it and returns false while a wait runs.
  // Commands that open windows of their own (the UART dialog, the wizard) go through it, as
  // every command here does.
  bool RunIfIdle(const std::function<void()>& call);
  // The window showing this connection closes: the worker is stopped. Outside a wait that is
  // done at once and true is returned. During a wait the worker is told to stop (an exchange
  // in progress ends first), the wait ends once the worker has ended, what it reported for
  // after the wait is dropped, and `closeAgain` is posted once the connection is closed; false
  // is returned, and the caller keeps its window until `closeAgain` runs.
  bool Close(std::function<void()> closeAgain);

  // --- requests of the panes and dialogs (connect first when the port is closed) ---
  // A console command line ("ATINFO\r"), to the selected node while the console is remote.
  // True when it was handed to the worker (it waits there in turn). False when it was not sent:
  // the port did not open (the user has been told), or a wait runs, or too many texts wait for
  // the module; the output pane then says so ("(Not sent) ...").
  bool SendConsoleCommand(std::string_view text);
  // Typed text, sent unchanged to the local module or the remote console; as above.
  bool SendRawText(std::string_view text);
  // Configuration transfers, for the selected node while the Parameters pane is remote. The
  // UI thread waits (Waiting) while the image travels; ConfigValuesChanged follows a read.
  void ReadConfig();
  void WriteConfig();
  // The setup wizard's exchanges with the node at `target` (link::kNoAddress: the local module),
  // whatever is selected meanwhile: identity().status goes to 0, then 1 or -1.
  void ReadIdentity(const std::string& target);
  void WriteIdentity(const std::string& target, const link::ModuleIdentity& requested);
  // Asks the node at `address` for one of its tables; the answer shows in the output pane.
  void ShowNodeTable(const std::string& address, NodeTableKind table);
  // A line of the program's own for the output pane (CR LF is added).
  void Announce(std::string_view line);

  // --- what the panes read and set ---
  PaneTarget consoleTarget() const;
  PaneTarget parametersTarget() const;
  void SetConsoleRemote(bool remote);
  void SetParametersRemote(bool remote);
  std::string selectedAddress() const;
  link::IdentityExchangeState identity() const;
  // The last finished query's tables (empty after Run until the first query ends).
  const link::NetworkSnapshot& snapshot() const { return snapshot_; }
  // Shows a network that no query of this connection found (a saved one, opened offline) as
  // the last query's tables: the observers hear ClearDiagram, then NetworkChanged. Nodes of it
  // can be picked.
  void ShowSnapshot(const link::NetworkSnapshot& snapshot);
  // A diagram click on the node with `key` (link::NodeKey): it becomes the panes' target and true
  // is returned; a key that is not in the snapshot clears the selection, tells nobody and returns
  // false.
  bool PickNode(std::int32_t key);
  // A click on empty diagram space: no node is selected, and the panes are told.
  void ClearSelection();

  // Waits on the UI thread (Waiting) until `done` holds or the worker ends; serves paint events
  // and the worker's reports meanwhile, takes no user input; commands that arrive meanwhile are
  // dropped. A Close meanwhile stops the worker and ends the wait once it has ended. False when
  // `done` does not hold.
  bool Wait(const std::function<bool(const link::LinkState&)>& done);

  // The shared state, read-only: only the controller's own requests and the worker write it.
  const link::LinkSession& session() const { return session_; }
  link::CThread* worker() const { return worker_.get(); }
  // What the worker reports to (any thread): a test plays the worker through it.
  link::WorkerListener& listener() { return bridge_; }

 private:
  friend class WorkerBridge;                // hands the worker's reports over on the UI thread
  friend class testsupport::SessionAccess;  // tests play the worker's side of the session

  // The worker's reports.
  void OnQueryStarted();
  void OnClearDiagram();
  void OnNetworkReady(const link::NetworkSnapshot& snapshot);
  void OnConfigTransferStarted();
  void OnConfigValuesChanged();
  void OnAppendOutput(const std::string& text);
  // `shown` runs once the user has seen the message (or it was dropped with the connection).
  void OnWorkerMessage(const std::string& text, const std::function<void()>& shown);
  void OnPortLost(const std::string& text);
  void OnCommandFinished(const link::CommandReport& report);

  // An identity exchange is pending, with no message, before its request (which may be dropped).
  void StartIdentityExchange();
  // Connects when needed, then hands the request to the worker; dropped during a wait.
  void Request(std::function<void(link::CThread&)> handOver);
  // Connects when needed, then queues `text` with `send`; false, and said in the output pane
  // unless the port did not open, when it was not sent.
  bool SendText(std::string_view text, bool (*send)(link::CThread&, std::string_view));
  void TellTargets();
  // Opens the port; `quiet`: no message box (a reconnect attempt).
  bool OpenConnection(bool quiet);
  // The end of every open: a worker on `opened`, or (not quiet) the message why not; the state
  // goes back to `before` when the port did not open.
  bool TakeOpened(link::OpenedPort opened, const std::string& path, State before, bool quiet);
  // Stops the worker and waits for it (Closing); the port is closed afterwards.
  void StopWorker();
  // Tells the worker to stop without waiting; EndWorker joins it once its loop has ended.
  void SignalStop();
  void EndWorker();
  // Waits in state `during` (Waiting or Closing); the reports kept meanwhile run afterwards.
  bool WaitIn(State during, const std::function<bool(const link::LinkState&)>& done);
  // After the outermost wait: a requested close ends the connection, else the kept reports run.
  void AfterWait(State during);
  // Runs `call` now, or after the current wait when one runs (the worker's reports).
  void RunAfterWait(std::function<void()> call);
  void CheckReconnect();
  // A reconnect attempt to a network port, off the UI thread; ReconnectAttemptEnded takes it.
  void StartReconnectAttempt();
  void ReconnectAttemptEnded(link::OpenedPort opened);
  void RetryReconnectLater();
  void Reconnected(bool resume);
  void SetState(State state);
  // Before a port at `path` opens: its first bytes are the session's too.
  void TapPath(const std::string& path);
  template <typename Call>
  void Tell(Call&& call);

  UiThread& ui_;
  catalogue::ConfigValueTable& configValues_;
  std::vector<ConnectionObserver*> observers_;
  link::UartSettings uartSettings_;
  PortChoice port_;
  link::LinkSession session_;
  WorkerBridge bridge_;
  std::unique_ptr<link::CThread> worker_;
  link::NetworkSnapshot snapshot_;
  std::unique_ptr<Timer> refreshTimer_;
  std::unique_ptr<Timer> reconnectTimer_;
  ReconnectWatch reconnectWatch_;
  std::chrono::milliseconds reconnectDelay_ = kReconnectPoll;
  std::shared_ptr<const link::LinkHealth> health_;  // of the open connection, if it has one
  std::vector<std::function<void()>> kept_;         // reports that arrived during a wait
  std::function<void()> closeAgain_;                // set while a close waits for the worker
  State state_ = State::Closed;
  // Where a wait returns to; for a lost port, the state its reconnect resumes (Open or
  // Refreshing).
  State resumeState_ = State::Closed;
  RefreshPeriods& periods_;
  int refreshSeconds_ = RefreshPeriods::kDefaultSeconds;
  link::Clock* clock_ = &link::DefaultClock();
  std::thread reconnectAttempt_;                           // joinable from start to its end
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);  // expired: posted ends are dropped
  std::shared_ptr<link::PortTap> tap_;
  link::PortTapping tapping_;  // of the port opened last, while tap_ is set
};

}  // namespace netloom::model
