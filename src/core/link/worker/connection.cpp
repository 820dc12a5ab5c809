#include "core/link/worker/connection.h"

#include <functional>

namespace netloom::link {
namespace {

void Request(CThread& worker, WorkerCommand code,
             const std::function<void(LinkState&)>& fill = {}) {
  worker.session().Update([&](LinkState& state) {
    state.request.echoOn = true;
    if (fill) fill(state);
  });
  worker.Signal(code);
}

// Queues a text for `code` when its queue has room, then signals; false (nothing queued,
// nothing signalled) when it is full.
bool Enqueue(CThread& worker, WorkerCommand code, const std::function<bool(WorkerRequest&)>& add) {
  const bool queued = worker.session().Update([&](LinkState& state) {
    if (!add(state.request)) return false;
    state.request.echoOn = true;
    return true;
  });
  if (queued) worker.Signal(code);
  return queued;
}

template <typename Entry>
bool PushBounded(std::deque<Entry>& queue, Entry entry) {
  if (queue.size() >= kQueuedTextLimit) return false;
  queue.push_back(std::move(entry));
  return true;
}

std::string RefusedSettingsLine(const std::string& detail) {
  return "The port refused the line settings" + (detail.empty() ? "" : " (" + detail + ")") +
         "; going on with the port as it is";
}

}  // namespace

Connection Connect(const std::string& path, UartSettings& settings, WorkerListener& listener,
                   LinkSession& session, catalogue::ConfigValueTable& configValues, Clock& clock) {
  OpenedPort opened = OpenForConnection(path, settings);
  settings = opened.settings;
  return StartConnection(std::move(opened), listener, session, configValues, clock);
}

OpenedPort OpenForConnection(const std::string& path, UartSettings settings) {
  settings.readTimeoutMs = kConnectReadTimeoutMs;
  OpenResult opened = OpenPort(path);
  if (!opened.port) return {nullptr, std::move(opened.error), std::string(), settings};
  std::string refused;
  if (!ConfigurePort(*opened.port, settings)) {
    refused = RefusedSettingsLine(opened.port->LastError().detail);
    ApplyReadTimeout(*opened.port, settings, settings.readTimeoutMs);
  }
  return {std::move(opened.port), {}, std::move(refused), settings};
}

Connection StartConnection(OpenedPort opened, WorkerListener& listener, LinkSession& session,
                           catalogue::ConfigValueTable& configValues, Clock& clock) {
  if (!opened.port) return {nullptr, std::move(opened.error), std::string(), nullptr};
  auto health = opened.port->Health();
  auto worker = std::make_unique<CThread>(std::move(opened.port), opened.settings, listener,
                                          session, configValues, clock);
  worker->Start();
  worker->Signal(WorkerCommand::Wake);
  return {std::move(worker), {}, std::move(opened.refused), std::move(health)};
}

void SelectNode(LinkSession& session, std::string_view address) {
  session.Update([&](LinkState& state) { state.targeting.node = std::string(address); });
}

void SetRemote(LinkSession& session, RemoteSwitch which, bool on) {
  session.Update([&](LinkState& state) {
    (which == RemoteSwitch::Console ? state.targeting.consoleRemote
                                    : state.targeting.parametersRemote) = on;
  });
}

bool SendConsoleCommand(CThread& worker, std::string_view text) {
  return Enqueue(worker, WorkerCommand::ConsoleCommand, [&](WorkerRequest& request) {
    return PushBounded(request.consoleLines, ConsoleLine{std::string(text), std::nullopt});
  });
}

bool SendConsoleCommandTo(CThread& worker, std::string_view address, std::string_view text) {
  return Enqueue(worker, WorkerCommand::ConsoleCommand, [&](WorkerRequest& request) {
    return PushBounded(request.consoleLines, ConsoleLine{std::string(text), std::string(address)});
  });
}

bool SendRawText(CThread& worker, std::string_view text) {
  return Enqueue(worker, WorkerCommand::RawText, [&](WorkerRequest& request) {
    return PushBounded(request.rawTexts, std::string(text));
  });
}

void RequestConfigRead(CThread& worker) {
  Request(worker, WorkerCommand::ReadConfig);
}

void RequestConfigWrite(CThread& worker) {
  Request(worker, WorkerCommand::WriteConfig);
}

void RequestIdentityRead(CThread& worker, std::string_view target) {
  Request(worker, WorkerCommand::ReadIdentity, [&](LinkState& state) {
    state.identity.target = std::string(target);
    state.identity.status = 0;
  });
}

void RequestIdentityWrite(CThread& worker, std::string_view target,
                          const ModuleIdentity& requested) {
  Request(worker, WorkerCommand::WriteIdentity, [&](LinkState& state) {
    state.identity.target = std::string(target);
    state.identity.requested = requested;
    state.identity.status = 0;
  });
}

void StartRefresh(CThread& worker) {
  Request(worker, WorkerCommand::QueryNetwork, [](LinkState& state) {
    state.request.autoRefresh = true;
    state.request.emptyNodeTable = true;
  });
}

void StopRefresh(CThread& worker) {
  worker.session().Update([](LinkState& state) { state.request.autoRefresh = false; });
}

}  // namespace netloom::link
