#include "core/link/worker/connection.h"

#include <functional>

namespace netloom::link {
namespace {

void Request(CThread& worker, WorkerCommand code,
             const std::function<void(WorkerRequest&)>& fill = {}) {
  worker.session().Update([&](LinkState& state) {
    state.request.echoOn = true;
    state.request.remoteRefused = state.view.remoteRefused;
    state.request.targetAddress = state.view.selectedAddress;
    state.request.consoleToTarget = false;
    if (fill) fill(state.request);
  });
  worker.Signal(code);
}

std::string RefusedSettingsLine(const std::string& detail) {
  return "The port refused the line settings" + (detail.empty() ? "" : " (" + detail + ")") +
         "; going on with the port as it is";
}

}  // namespace

Connection Connect(const std::string& path, UartSettings& settings, WorkerListener& listener,
                   LinkSession& session, Clock& clock) {
  settings.readTimeoutMs = kConnectReadTimeoutMs;
  OpenResult opened = OpenPort(path);
  if (!opened.port) return {nullptr, std::move(opened.error), std::string()};
  std::string refused;
  if (!ConfigurePort(*opened.port, settings)) {
    refused = RefusedSettingsLine(opened.port->LastError().detail);
    ApplyReadTimeout(*opened.port, settings, settings.readTimeoutMs);
  }
  auto worker =
      std::make_unique<CThread>(std::move(opened.port), settings, listener, session, clock);
  worker->Start();
  worker->Signal(WorkerCommand::Wake);
  return {std::move(worker), {}, std::move(refused)};
}

void SendConsoleCommand(CThread& worker, std::string_view text) {
  Request(worker, WorkerCommand::ConsoleCommand,
          [&](WorkerRequest& request) { request.consoleText = std::string(text); });
}

void SendConsoleCommandTo(CThread& worker, std::string_view address, std::string_view text) {
  worker.session().Update([&](LinkState& state) {
    state.request.echoOn = true;
    state.request.remoteRefused = false;
    state.request.targetAddress = std::string(address);
    state.request.consoleToTarget = true;
    state.request.consoleText = std::string(text);
  });
  worker.Signal(WorkerCommand::ConsoleCommand);
}

void SendRawText(CThread& worker, std::string_view text) {
  Request(worker, WorkerCommand::RawText,
          [&](WorkerRequest& request) { request.rawText = std::string(text); });
}

void RequestConfigRead(CThread& worker) {
  Request(worker, WorkerCommand::ReadConfig);
}

void RequestConfigWrite(CThread& worker) {
  Request(worker, WorkerCommand::WriteConfig);
}

void RequestIdentityRead(CThread& worker) {
  worker.session().Update([](LinkState& state) { state.wizard.status = 0; });
  Request(worker, WorkerCommand::ReadIdentity);
}

void RequestIdentityWrite(CThread& worker) {
  worker.session().Update([](LinkState& state) { state.wizard.status = 0; });
  Request(worker, WorkerCommand::WriteIdentity);
}

void StartRefresh(CThread& worker) {
  Request(worker, WorkerCommand::QueryNetwork, [](WorkerRequest& request) {
    request.autoRefresh = true;
    request.emptyNodeTable = true;
  });
}

void StopRefresh(CThread& worker) {
  worker.session().Update([](LinkState& state) { state.request.autoRefresh = false; });
}

}  // namespace netloom::link
