#include "cli/bridge_service.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <ostream>

#include "cli/bridge/bridge_commands.h"
#include "cli/bridge/bridge_metrics.h"
#include "cli/bridge/bridge_publisher.h"
#include "cli/bridge/mqtt_client.h"
#include "cli/cli_link.h"
#include "cli/interrupt.h"
#include "cli/module_target.h"
#include "cli/walk_once.h"
#include "core/catalogue/config_profile.h"
#include "core/catalogue/value_tables.h"
#include "core/link/worker/connection.h"
#include "core/network/network_memory.h"

namespace netloom::cli {
namespace {

using namespace std::chrono_literals;

constexpr std::chrono::milliseconds kFirstRetry = 1s;
constexpr std::chrono::milliseconds kLastRetry = 32s;
// Requests beyond this many waiting are dropped, so a flood cannot grow the queue.
constexpr std::size_t kMaxWaitingRequests = 64;
// A console command's reply ends after this quiet time, and never lasts longer than the limit.
constexpr std::chrono::milliseconds kConsoleQuiet = 1s;
constexpr std::chrono::milliseconds kConsoleLimit = 10s;

class BridgeService {
 public:
  BridgeService(const BridgeOptions& options, CommandIo& io, const BridgeTime& time)
      : options_(options),
        io_(io),
        time_(time),
        link_("bridge", io, false),
        memory_(time.wall),
        metrics_(options.site),
        client_(options.mqtt, Will(options.site)),
        publisher_(client_, options.site, options.discoveryPrefix),
        metricsServer_(metrics_) {
    memory_.SetQuietLimit(options.quietLimit);
  }

  int Run();

 private:
  static bridge::MqttMessage Will(const std::string& site) {
    return {bridge::Topics(site).State(), bridge::kOffline, true};
  }

  // Walks once and publishes what it found; false when the port was lost or a signal came.
  bool WalkAndPublish();
  // Waits until `until` (by the period clock) serving requests; false when the port was lost
  // (with `endOnLoss`) or a signal came; true early when a request asked for a walk.
  bool Wait(std::chrono::steady_clock::time_point until, bool endOnLoss);
  bool HasRequests();
  // Serves the waiting requests; true when one asked for a walk now.
  bool ServeRequests(bool linkUp);
  void Serve(const bridge::BridgeCommand& command, bool linkUp);
  void Reply(const std::string& name, const std::string& payload);
  void SetLinkUp(bool up);
  // Notes the broker connection in the metrics, and tells a refusal once on standard error.
  void WatchBroker();

  const BridgeOptions& options_;
  CommandIo& io_;
  const BridgeTime time_;
  CliLink link_;
  network::NetworkMemory memory_;
  bridge::BridgeMetrics metrics_;
  bridge::MqttClient client_;
  bridge::BridgePublisher publisher_;
  bridge::MetricsServer metricsServer_;

  std::mutex requestsMutex_;
  std::deque<bridge::MqttMessage> requests_;  // from the MQTT client's thread
  std::vector<nlohmann::json> walkReplies_;   // ids of walk requests the next walk answers
  std::optional<bool> linkUp_;                // as `state` last told it
  std::string refusal_;                       // as last told
};

int BridgeService::Run() {
  std::string error;
  if (options_.metrics && !metricsServer_.Start(*options_.metrics, error)) {
    return FailureLine(io_, error);
  }
  if (options_.allowCommands) client_.Subscribe(publisher_.topics().Commands());
  client_.OnConnected([this] { publisher_.Republish(); });
  client_.OnMessage([this](const bridge::MqttMessage& message) {
    std::lock_guard lock(requestsMutex_);
    if (requests_.size() < kMaxWaitingRequests) requests_.push_back(message);
  });
  SetLinkUp(false);
  if (!client_.Start(error)) return FailureLine(io_, error);

  const auto opened = link_.Open(options_.line);
  if (opened && *opened != kExitFailed) return *opened;  // a usage error, written
  bool up = !opened;
  bool wasUp = up;  // a port that opens only after the start is no reconnection
  auto retry = kFirstRetry;
  while (InterruptGuard::Signal() == 0) {
    if (up) {
      SetLinkUp(true);
      // Periods run from walk start to walk start.
      const auto due = time_.period.Now() + options_.period;
      const bool walked = WalkAndPublish();  // a loss during the walk is told there
      up = walked && Wait(due, true);
      if (!up && InterruptGuard::Signal() == 0) {
        if (walked) link_.Fail(link_.LostText());
        SetLinkUp(false);
        retry = kFirstRetry;
      }
    } else if (Wait(time_.period.Now() + retry, false) && InterruptGuard::Signal() == 0) {
      up = link_.Reconnect();
      if (up && wasUp) metrics_.Reconnected();
      wasUp = wasUp || up;
      retry = up ? kFirstRetry : std::min(retry * 2, kLastRetry);
    }
    WatchBroker();
  }
  client_.Stop(Will(options_.site));
  link_.Close();
  metricsServer_.Stop();
  return InterruptGuard::ExitStatus();
}

void BridgeService::SetLinkUp(bool up) {
  if (linkUp_ == up) return;
  linkUp_ = up;
  metrics_.SetLinkUp(up);
  publisher_.SetLinkUp(up);
}

void BridgeService::WatchBroker() {
  metrics_.SetMqttConnected(client_.Connected());
  std::string refusal = client_.Refusal();
  if (refusal == refusal_) return;
  refusal_ = std::move(refusal);
  if (!refusal_.empty()) link_.Fail("the MQTT broker refused the bridge: " + refusal_);
}

bool BridgeService::WalkAndPublish() {
  const auto started = std::chrono::steady_clock::now();
  std::optional<link::NetworkSnapshot> network;
  std::string failure;
  if (WalkOnce(link_, io_, network, failure)) return false;
  link_.TakeEchoed();  // the walk's own bytes are nobody's reply
  if (!network) link_.Fail(failure);
  const auto events = memory_.MergeWalk(network.value_or(link::NetworkSnapshot{}));
  metrics_.WalkEnded(!network, std::chrono::steady_clock::now() - started, memory_.Nodes());
  publisher_.PublishWalk(memory_, events);
  for (const auto& event : events) io_.out << network::ChangeLine(event) << "\n";
  io_.out.flush();
  for (const auto& id : std::exchange(walkReplies_, {})) {
    Reply("walk", network ? bridge::ReplyOk(
                                id, nlohmann::ordered_json::parse(bridge::NetworkPayload(memory_)))
                          : bridge::ReplyError(id, failure));
  }
  return true;
}

bool BridgeService::Wait(std::chrono::steady_clock::time_point until, bool endOnLoss) {
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(until - time_.period.Now());
    if (left <= 0ms) return true;
    const auto wake = [this] {
      WatchBroker();
      return HasRequests();
    };
    if (!link_.Pause(left, time_.period, wake, endOnLoss)) return false;
    if (ServeRequests(endOnLoss)) return true;
    if (endOnLoss && !link_.LostText().empty()) return false;
  }
}

bool BridgeService::HasRequests() {
  std::lock_guard lock(requestsMutex_);
  return !requests_.empty();
}

bool BridgeService::ServeRequests(bool linkUp) {
  for (;;) {
    bridge::MqttMessage message;
    {
      std::lock_guard lock(requestsMutex_);
      if (requests_.empty()) break;
      message = std::move(requests_.front());
      requests_.pop_front();
    }
    const std::string prefix = publisher_.topics().Base() + "cmd/";
    if (message.topic.rfind(prefix, 0) != 0) continue;
    const std::string name = message.topic.substr(prefix.size());
    nlohmann::json id;
    std::string error;
    const auto command = bridge::ParseCommand(name, message.payload, id, error);
    if (!command) {
      Reply(name, bridge::ReplyError(id, error));
      continue;
    }
    Serve(*command, linkUp);
  }
  return !walkReplies_.empty();
}

void BridgeService::Serve(const bridge::BridgeCommand& command, bool linkUp) {
  using bridge::CommandKind;
  if (command.kind == CommandKind::Forget) {
    Reply(command.name,
          publisher_.Forget(command.address)
              ? bridge::ReplyOk(command.id, command.address)
              : bridge::ReplyError(command.id, "no node " + command.address + " was published"));
    return;
  }
  if (!linkUp) {
    Reply(command.name, bridge::ReplyError(command.id, "the serial link is down"));
    return;
  }
  if (command.kind == CommandKind::Walk) {
    walkReplies_.push_back(command.id);
    return;
  }
  std::string failure;
  if (command.kind == CommandKind::ConfigRead) {
    const bool failed =
        command.to.empty()
            ? (link::SetRemote(link_.Session(), link::RemoteSwitch::Parameters, false), false)
            : DirectTo(link_, command.to, io_, &failure).has_value();
    if (failed ||
        TransferConfig(link_, link::WorkerCommand::ReadConfig, command.to, io_, &failure)) {
      Reply(command.name, bridge::ReplyError(command.id, failure));
      return;
    }
    Reply(command.name,
          bridge::ReplyOk(command.id, nlohmann::ordered_json::parse(catalogue::ProfileJson(
                                          link_.ConfigValues().Snapshot()))));
    return;
  }
  link_.TakeEchoed();
  const std::string sent = command.text + "\r";
  const auto sendFailure = SendConsoleLine(link_, sent, false, command.to);
  if (!sendFailure || !sendFailure->empty()) {
    Reply(command.name,
          bridge::ReplyError(command.id, sendFailure ? OneLine(*sendFailure) : "interrupted"));
    return;
  }
  link_.WaitQuiet(kConsoleQuiet, std::chrono::steady_clock::now(), kConsoleLimit);
  const nlohmann::ordered_json result{{"sent", sent}, {"reply", link_.TakeEchoed()}};
  Reply(command.name, bridge::ReplyOk(command.id, result));
}

void BridgeService::Reply(const std::string& name, const std::string& payload) {
  client_.Publish(publisher_.topics().Reply(name), payload, false);
}

}  // namespace

int ServeBridge(const BridgeOptions& options, CommandIo& io, const BridgeTime& time) {
  BridgeService service(options, io, time);
  return service.Run();
}

}  // namespace netloom::cli
