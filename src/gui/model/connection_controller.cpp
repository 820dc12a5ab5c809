#include "gui/model/connection_controller.h"

#include <algorithm>
#include <utility>

#include "core/link/serial/line_names.h"
#include "core/link/serial/network_port_name.h"
#include "core/link/worker/connection.h"
#include "gui/model/demo_network.h"

namespace netloom::model {
namespace {

// How long a UI-thread wait blocks before it serves the UI thread's events again.
constexpr auto kWaitStep = std::chrono::milliseconds(15);

std::string Banner(const std::string& text) {
  return "//////////" + text + "//////////\r\n";
}

// The output line for a text that was not sent: its start, without its line end, then why.
std::string NotSentLine(std::string_view text, std::string_view why) {
  constexpr std::size_t kShown = 40;
  std::string shown;
  for (const char c : text.substr(0, kShown)) {
    shown += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
  }
  while (!shown.empty() && shown.back() == ' ') shown.pop_back();
  if (text.size() > kShown) shown += "...";
  return "(Not sent) \"" + shown + "\": " + std::string(why) + "\r\n";
}

}  // namespace

ConnectionController::ConnectionController(UiThread& ui, catalogue::ConfigValueTable& configValues,
                                           RefreshPeriods& periods)
    : ui_(ui),
      configValues_(configValues),
      bridge_(*this, ui),
      refreshTimer_(ui.MakeTimer([this] {
        if (worker_) worker_->Signal(link::WorkerCommand::QueryNetwork);
      })),
      reconnectTimer_(ui.MakeTimer([this] { CheckReconnect(); })),
      periods_(periods) {}

ConnectionController::~ConnectionController() {
  reconnectTimer_->Stop();
  alive_.reset();  // an attempt's posted end finds no controller
  if (reconnectAttempt_.joinable()) reconnectAttempt_.join();
  if (!worker_) return;
  // The released bridge lets the worker end alone; its last reports are dropped with the poster.
  bridge_.Release(true);
  worker_->Stop();
}

void ConnectionController::AddObserver(ConnectionObserver& observer) {
  observers_.push_back(&observer);
}

void ConnectionController::RemoveObserver(ConnectionObserver& observer) {
  std::erase(observers_, &observer);
}

template <typename Call>
void ConnectionController::Tell(Call&& call) {
  const auto observers = observers_;  // an observer may leave while it is told
  for (ConnectionObserver* observer : observers) call(*observer);
}

void ConnectionController::SetState(State state) {
  state_ = state;
  Tell([state](ConnectionObserver& o) { o.StateChanged(state); });
}

bool ConnectionController::autoRefresh() const {
  return state_ == State::Refreshing ||
         (state_ == State::Waiting && resumeState_ == State::Refreshing);
}

std::string ConnectionController::PortSettingsLine() const {
  const std::string settings = link::LineSettingsText(uartSettings_);
  if (lost()) return "Port lost: " + settings;
  const std::string health = worker_ && health_ ? link::LinkHealthText(*health_) : std::string();
  return health.empty() ? settings : settings + "  " + health;
}

bool ConnectionController::ApplySettings(const link::UartSettings& settings, const PortChoice& port,
                                         bool banner) {
  if (worker_ || waiting()) return false;
  uartSettings_ = settings;
  port_ = port;
  reconnectTimer_->Stop();
  refreshSeconds_ = periods_.For(port_.path);
  SetState(state_ == State::Lost ? State::Closed : state_);
  if (banner) Tell([&](ConnectionObserver& o) { o.AppendOutput(Banner(port_.name)); });
  return true;
}

void ConnectionController::Reset(const PortChoice& port) {
  uartSettings_ = link::UartSettings{};
  port_ = port;
  session_.Update([](link::LinkState& s) {
    s.targeting = link::Targeting{};
    s.config = link::ConfigTransferState{};
  });
  snapshot_ = {};
  refreshSeconds_ = periods_.For(port_.path);
  SetState(state_);
}

bool ConnectionController::RunIfIdle(const std::function<void()>& call) {
  if (waiting()) return false;
  call();
  return true;
}

void ConnectionController::RunAfterWait(std::function<void()> call) {
  if (waiting())
    kept_.push_back(std::move(call));
  else
    call();
}

bool ConnectionController::Connect() {
  return !waiting() && OpenConnection(false);
}

bool ConnectionController::OpenConnection(bool quiet) {
  if (worker_) return true;
  const State before = state_;
  SetState(State::Opening);
  std::string path = port_.path;
  link::OpenedPort opened;
  opened.settings = uartSettings_;
  if (port_.demo) {
    std::string error;
    if (auto demo = DemoNetworkPath(error))
      path = *demo;
    else
      opened.error = {link::ErrorKind::System, error};
  }
  if (!opened.error) {
    TapPath(path);
    opened = link::OpenForConnection(path, uartSettings_);
  }
  return TakeOpened(std::move(opened), path, before, quiet);
}

bool ConnectionController::TakeOpened(link::OpenedPort opened, const std::string& path,
                                      State before, bool quiet) {
  uartSettings_ = opened.settings;
  link::Connection connection =
      link::StartConnection(std::move(opened), bridge_, session_, configValues_, *clock_);
  if (!connection.worker) {
    SetState(before);
    if (!quiet) {
      Tell([&](ConnectionObserver& o) {
        o.ShowMessage(link::kCantOpenPortMessage, connection.error.detail);
      });
    }
    return false;
  }
  worker_ = std::move(connection.worker);
  health_ = std::move(connection.health);
  if (!connection.refused.empty()) {
    Tell([&](ConnectionObserver& o) { o.AppendOutput(connection.refused + "\r\n"); });
  }
  reconnectTimer_->Stop();
  reconnectWatch_ = ReconnectWatch(path);
  reconnectDelay_ = kReconnectPoll;
  SetState(State::Open);
  return true;
}

void ConnectionController::Disconnect() {
  RunIfIdle([this] {
    reconnectTimer_->Stop();
    if (!worker_) {
      if (lost()) SetState(State::Closed);  // a lost port gives up waiting for its device
      return;
    }
    refreshTimer_->Stop();
    StopWorker();
    SetState(State::Closed);
  });
}

bool ConnectionController::Close(std::function<void()> closeAgain) {
  if (!waiting()) {
    Disconnect();
    return true;
  }
  closeAgain_ = std::move(closeAgain);
  if (state_ == State::Waiting) {
    // The wait goes on as the close's: it ends when the worker has ended (WaitIn).
    refreshTimer_->Stop();
    reconnectTimer_->Stop();
    SignalStop();
    SetState(State::Closing);
  }
  return false;
}

void ConnectionController::SignalStop() {
  session_.Update([](link::LinkState& s) { s.request.autoRefresh = false; });
  bridge_.Release(true);  // a worker waiting for its message box goes on
  worker_->Signal(link::WorkerCommand::Stop);
}

void ConnectionController::EndWorker() {
  worker_->Stop();  // the loop has ended: this joins at once
  worker_.reset();
  bridge_.Release(false);
}

void ConnectionController::StopWorker() {
  SignalStop();
  WaitIn(State::Closing, [](const link::LinkState&) { return false; });
  EndWorker();
}

bool ConnectionController::Wait(const std::function<bool(const link::LinkState&)>& done) {
  return WaitIn(State::Waiting, done);
}

bool ConnectionController::WaitIn(State during,
                                  const std::function<bool(const link::LinkState&)>& done) {
  if (!worker_) return false;
  const bool outermost = !waiting();
  if (outermost) {
    if (during == State::Waiting) resumeState_ = state_;
    SetState(during);
  }
  // A close during the wait turns it into the close's: only the worker's end ends it then.
  auto finished = [&](const link::LinkState& s) { return state_ != State::Closing && done(s); };
  link::LinkSession::WaitResult result;
  while ((result = session_.WaitUntil(finished, kWaitStep)) ==
         link::LinkSession::WaitResult::TimedOut)
    ui_.ServeEventsButInput();  // paint and take the worker's reports; input is dropped
  ui_.ServeEventsButInput();    // input of the last step is dropped too, not left for later
  if (outermost) AfterWait(during);
  return result == link::LinkSession::WaitResult::Done;
}

void ConnectionController::AfterWait(State during) {
  auto kept = std::exchange(kept_, {});
  if (closeAgain_) {
    // The window closes: what the worker left for the user goes with it.
    if (during == State::Waiting) {
      EndWorker();
      SetState(State::Closed);
    }
    ui_.Post(std::exchange(closeAgain_, {}));
    return;
  }
  if (during == State::Waiting) SetState(resumeState_);  // Closing ends in its caller
  for (auto& call : kept) ui_.Post([this, call = std::move(call)] { RunAfterWait(call); });
}

void ConnectionController::StartRefresh() {
  RunIfIdle([this] {
    if (!worker_ && !OpenConnection(false)) return;
    snapshot_ = {};
    link::StartRefresh(*worker_);
    SetState(State::Refreshing);
  });
}

void ConnectionController::StopRefresh() {
  RunIfIdle([this] {
    if (!worker_) return;
    link::StopRefresh(*worker_);
    refreshTimer_->Stop();
    SetState(State::Open);
  });
}

void ConnectionController::SetRefreshSeconds(int seconds) {
  refreshSeconds_ = periods_.Remember(port_.path, seconds);
  if (refreshTimer_->Active()) refreshTimer_->Start(std::chrono::seconds(refreshSeconds_));
}

void ConnectionController::Request(std::function<void(link::CThread&)> handOver) {
  RunIfIdle([this, handOver = std::move(handOver)] {
    if (!worker_ && !OpenConnection(false)) return;
    handOver(*worker_);
  });
}

bool ConnectionController::SendText(std::string_view text,
                                    bool (*send)(link::CThread&, std::string_view)) {
  if (waiting()) {
    Tell([&](ConnectionObserver& o) {
      o.AppendOutput(NotSentLine(text, "the link is busy with an exchange, please try again"));
    });
    return false;
  }
  if (!worker_ && !OpenConnection(false)) return false;  // the user has been told why
  if (send(*worker_, text)) return true;
  Tell([&](ConnectionObserver& o) {
    o.AppendOutput(NotSentLine(text, "too many texts wait for the module, please try again"));
  });
  return false;
}

bool ConnectionController::SendConsoleCommand(std::string_view text) {
  return SendText(text, &link::SendConsoleCommand);
}

bool ConnectionController::SendRawText(std::string_view text) {
  return SendText(text, &link::SendRawText);
}

void ConnectionController::ReadConfig() {
  Request([](link::CThread& w) { link::RequestConfigRead(w); });
}

void ConnectionController::WriteConfig() {
  Request([](link::CThread& w) { link::RequestConfigWrite(w); });
}

void ConnectionController::ReadIdentity(const std::string& target) {
  StartIdentityExchange();
  Request([target](link::CThread& w) { link::RequestIdentityRead(w, target); });
}

void ConnectionController::WriteIdentity(const std::string& target,
                                         const link::ModuleIdentity& requested) {
  StartIdentityExchange();
  Request(
      [target, requested](link::CThread& w) { link::RequestIdentityWrite(w, target, requested); });
}

void ConnectionController::StartIdentityExchange() {
  // Pending before the request: a request dropped because the port did not open leaves no
  // earlier result behind to be taken for its own.
  session_.Update([](link::LinkState& s) {
    s.identity.status = 0;
    s.identity.message.clear();
  });
}

void ConnectionController::ShowNodeTable(const std::string& address, NodeTableKind table) {
  Request([this, address, table](link::CThread& w) {
    const std::string heading =
        "\r\n[" + std::string(ItemOf(table).menuText) + " of " + address + "]\r\n";
    Tell([&](ConnectionObserver& o) { o.AppendOutput(heading); });
    // Through the remote set-up even for the coordinator: its escape ends a remote console
    // that an earlier request left open, so the answer comes from the node asked.
    link::SendConsoleCommandTo(w, address, NodeTableCommand(table));
  });
}

void ConnectionController::Announce(std::string_view line) {
  const std::string text = std::string(line) + "\r\n";
  Tell([&](ConnectionObserver& o) { o.AppendOutput(text); });
}

PaneTarget ConnectionController::consoleTarget() const {
  return session_.Read([](const link::LinkState& s) {
    return PaneTarget{s.targeting.consoleRemote, s.targeting.node, s.targeting.refused()};
  });
}

PaneTarget ConnectionController::parametersTarget() const {
  return session_.Read([](const link::LinkState& s) {
    return PaneTarget{s.targeting.parametersRemote, s.targeting.node, s.targeting.refused()};
  });
}

void ConnectionController::SetConsoleRemote(bool remote) {
  link::SetRemote(session_, link::RemoteSwitch::Console, remote);
}

void ConnectionController::SetParametersRemote(bool remote) {
  link::SetRemote(session_, link::RemoteSwitch::Parameters, remote);
}

std::string ConnectionController::selectedAddress() const {
  return session_.Read([](const link::LinkState& s) { return s.targeting.node; });
}

link::IdentityExchangeState ConnectionController::identity() const {
  return session_.Read([](const link::LinkState& s) { return s.identity; });
}

bool ConnectionController::PickNode(std::int32_t key) {
  const auto record = snapshot_.nodeTable.find(key);
  if (record == snapshot_.nodeTable.end()) {
    link::SelectNode(session_, link::kNoAddress);
    return false;
  }
  const std::string address = record->second->address;
  link::SelectNode(session_, address);
  TellTargets();
  if (!consoleTarget().remote)
    Tell([&](ConnectionObserver& o) { o.NodePicked(TargetAddress(address)); });
  return true;
}

void ConnectionController::ClearSelection() {
  link::SelectNode(session_, link::kNoAddress);
  TellTargets();
}

void ConnectionController::TellTargets() {
  const PaneTarget console = consoleTarget();
  const PaneTarget parameters = parametersTarget();
  Tell([&](ConnectionObserver& o) {
    o.ConsoleTargetChanged(console);
    o.ParametersTargetChanged(parameters);
  });
}

void ConnectionController::OnQueryStarted() {
  if (worker_) refreshTimer_->Start(std::chrono::seconds(refreshSeconds_));
}

void ConnectionController::OnClearDiagram() {
  Tell([](ConnectionObserver& o) { o.ClearDiagram(); });
}

void ConnectionController::OnNetworkReady(const link::NetworkSnapshot& snapshot) {
  snapshot_ = snapshot;
  Tell([](ConnectionObserver& o) { o.NetworkChanged(); });
}

void ConnectionController::ShowSnapshot(const link::NetworkSnapshot& snapshot) {
  // As a query's result comes: the diagram empties, then the new tables follow.
  Tell([](ConnectionObserver& o) { o.ClearDiagram(); });
  OnNetworkReady(snapshot);
}

void ConnectionController::OnConfigTransferStarted() {
  Wait([](const link::LinkState& s) { return !s.config.busy; });
}

void ConnectionController::OnConfigValuesChanged() {
  Tell([](ConnectionObserver& o) { o.ConfigValuesChanged(); });
}

void ConnectionController::OnCommandFinished(const link::CommandReport& report) {
  // A request that asked the coordinator for the node: the targets show its answer (a refusal
  // until the next attempt).
  if (report.code == link::WorkerCommand::ConsoleCommand) TellTargets();
  const bool write = report.code == link::WorkerCommand::WriteConfig;
  if (!write && report.code != link::WorkerCommand::ReadConfig) return;
  // After the transfer's wait, as its message is: what follows may start another transfer.
  RunAfterWait([this, write, ok = report.delivered] {
    Tell([&](ConnectionObserver& o) { o.ConfigTransferEnded(write, ok); });
  });
}

void ConnectionController::OnAppendOutput(const std::string& text) {
  Tell([&](ConnectionObserver& o) { o.AppendOutput(text); });
}

void ConnectionController::OnWorkerMessage(const std::string& text,
                                           const std::function<void()>& shown) {
  if (state_ == State::Closing) return shown();  // the connection is going: nobody waits for it
  RunAfterWait([this, text, shown] {
    Tell([&](ConnectionObserver& o) { o.ShowMessage(text, {}); });
    shown();
  });
}

void ConnectionController::OnPortLost(const std::string& text) {
  if (!worker_ || state_ == State::Closing) return;
  RunAfterWait([this, text] {
    if (!worker_) return;
    Tell([&](ConnectionObserver& o) { o.AppendOutput(text); });
    resumeState_ = autoRefresh() ? State::Refreshing : State::Open;
    refreshTimer_->Stop();
    StopWorker();
    SetState(State::Lost);
    reconnectTimer_->Start(kReconnectPoll);
  });
}

void ConnectionController::CheckReconnect() {
  if (!lost() || worker_) return;
  if (reconnectAttempt_.joinable()) {  // one given up earlier has not ended yet: look again later
    reconnectTimer_->Start(reconnectDelay_);
    return;
  }
  const auto path = reconnectWatch_.Returned();
  if (path && !port_.demo && *path != port_.path) {
    // Back under another device name (its stable name led here): title and list follow it.
    port_.path = *path;
    port_.name = path->substr(path->find_last_of('/') + 1);
  }
  if (path && link::IsNetworkPortName(port_.path)) {
    StartReconnectAttempt();
    return;
  }
  const bool resume = resumeState_ == State::Refreshing;
  if (!path || !OpenConnection(true)) {
    RetryReconnectLater();  // not back, or not ready yet
    return;
  }
  Reconnected(resume);
}

void ConnectionController::TapPath(const std::string& path) {
  tapping_ = tap_ ? link::TapPort(path, tap_) : link::PortTapping{};
}

void ConnectionController::StartReconnectAttempt() {
  TapPath(port_.path);
  reconnectAttempt_ = std::thread(
      [this, alive = std::weak_ptr<int>(alive_), path = port_.path, settings = uartSettings_] {
        auto opened = std::make_shared<link::OpenedPort>(link::OpenForConnection(path, settings));
        ui_.Post([this, alive, opened] {
          if (!alive.expired()) ReconnectAttemptEnded(std::move(*opened));
        });
      });
}

void ConnectionController::ReconnectAttemptEnded(link::OpenedPort opened) {
  reconnectAttempt_.join();
  // Given up (closed, new settings) or connected by the user meanwhile: the port closes here.
  if (!lost() || worker_) return;
  const bool resume = resumeState_ == State::Refreshing;
  if (!TakeOpened(std::move(opened), port_.path, state_, true)) {
    RetryReconnectLater();
    return;
  }
  Reconnected(resume);
}

void ConnectionController::RetryReconnectLater() {
  // A server is asked less and less often; a device's return is looked for at a steady pace.
  if (link::IsNetworkPortName(port_.path)) {
    reconnectDelay_ = std::min(reconnectDelay_ * 2, kMaxReconnectBackOff);
  }
  reconnectTimer_->Start(reconnectDelay_);
}

void ConnectionController::Reconnected(bool resume) {
  Tell([&](ConnectionObserver& o) { o.AppendOutput(Banner(port_.name + " reconnected")); });
  if (resume) StartRefresh();
}

}  // namespace netloom::model
