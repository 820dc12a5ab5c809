// The bridge's connection to its MQTT broker (libmosquitto, the broker's own client library).
//
// Start connects in the background and keeps the connection: a lost broker is tried again every
// second, then after twice as long each time, up to 30 s. The last will `will` is registered
// with the broker at every connection, so the broker publishes it (retained) when the bridge
// dies without saying goodbye. At every (re)connection the client first subscribes to its
// subscriptions (so a request answered to anything published afterwards is not missed), then
// runs `onConnected`: there the owner publishes again what the broker must hold. Stop publishes
// `goodbye` (the will's topic and retain flag), waits a bounded time for the broker to take it,
// and disconnects.
//
// Publishing while the broker is away drops the message (false): the owner republishes what
// must be retained in `onConnected`, and nothing queues up without bound while the broker is
// down.
//
// Threads: Publish, Subscribe and Connected may be called from any thread. The callbacks run on
// the client's network thread; they must not call Stop.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/bridge/mqtt_settings.h"

struct mosquitto;
struct mosquitto_message;

namespace netloom::bridge {

struct MqttMessage {
  std::string topic;
  std::string payload;
  bool retain = false;
};

class MqttClient {
 public:
  using ConnectedCall = std::function<void()>;
  using MessageCall = std::function<void(const MqttMessage&)>;

  MqttClient(MqttSettings settings, MqttMessage will);
  // Stops (without the goodbye) if still running.
  ~MqttClient();
  MqttClient(const MqttClient&) = delete;
  MqttClient& operator=(const MqttClient&) = delete;

  // Set these before Start.
  void OnConnected(ConnectedCall call) { onConnected_ = std::move(call); }
  void OnMessage(MessageCall call) { onMessage_ = std::move(call); }
  void Subscribe(std::string pattern) { subscriptions_.push_back(std::move(pattern)); }

  // Starts the network thread; false with `error` set when the settings cannot be used (a CA
  // file that does not load, ...). A broker that cannot be reached yet is no error: it is tried
  // again until it answers.
  bool Start(std::string& error);
  // Publishes at QoS 1; false when the broker is away (the message is dropped).
  bool Publish(std::string_view topic, std::string_view payload, bool retain);
  bool Connected() const;
  // Why the broker refused the latest connection ("Connection Refused: not authorised."), empty
  // while connected or before any refusal: the owner tells it, as the client retries in silence.
  std::string Refusal() const;
  // The goodbye, then disconnect and join the network thread. `goodbye` with an empty topic:
  // none.
  void Stop(const MqttMessage& goodbye);

 private:
  static void ConnectCallback(mosquitto*, void* self, int rc);
  static void DisconnectCallback(mosquitto*, void* self, int rc);
  static void PublishCallback(mosquitto*, void* self, int mid);
  static void MessageCallback(mosquitto*, void* self, const mosquitto_message* message);

  MqttSettings settings_;
  MqttMessage will_;
  ConnectedCall onConnected_;
  MessageCall onMessage_;
  std::vector<std::string> subscriptions_;
  mosquitto* client_ = nullptr;
  bool running_ = false;

  mutable std::mutex mutex_;
  std::condition_variable published_;
  bool connected_ = false;
  std::string refusal_;
  std::set<int> unacknowledged_;  // message ids the broker has not taken yet
};

}  // namespace netloom::bridge
