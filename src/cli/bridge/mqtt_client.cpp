#include "cli/bridge/mqtt_client.h"

#include <mosquitto.h>

#include <chrono>

namespace netloom::bridge {
namespace {

constexpr int kKeepAliveSeconds = 30;
constexpr unsigned kFirstRetrySeconds = 1;
constexpr unsigned kLastRetrySeconds = 30;
constexpr int kQos = 1;
// How long Stop waits for the broker to take the goodbye.
constexpr std::chrono::seconds kGoodbyeWait{2};

// libmosquitto's own set-up, once per process.
void InitLibrary() {
  static const int once = mosquitto_lib_init();
  (void)once;
}

}  // namespace

MqttClient::MqttClient(MqttSettings settings, MqttMessage will)
    : settings_(std::move(settings)), will_(std::move(will)) {
  InitLibrary();
}

MqttClient::~MqttClient() {
  Stop({});
}

bool MqttClient::Start(std::string& error) {
  client_ =
      mosquitto_new(settings_.clientId.empty() ? nullptr : settings_.clientId.c_str(), true, this);
  if (!client_) {
    error = "cannot make an MQTT client";
    return false;
  }
  mosquitto_connect_callback_set(client_, ConnectCallback);
  mosquitto_disconnect_callback_set(client_, DisconnectCallback);
  mosquitto_publish_callback_set(client_, PublishCallback);
  mosquitto_message_callback_set(client_, MessageCallback);
  mosquitto_reconnect_delay_set(client_, kFirstRetrySeconds, kLastRetrySeconds, true);
  int rc = mosquitto_will_set(client_, will_.topic.c_str(), static_cast<int>(will_.payload.size()),
                              will_.payload.data(), kQos, will_.retain);
  if (rc == MOSQ_ERR_SUCCESS && !settings_.user.empty()) {
    rc = mosquitto_username_pw_set(
        client_, settings_.user.c_str(),
        settings_.password.empty() ? nullptr : settings_.password.c_str());
  }
  if (rc == MOSQ_ERR_SUCCESS && settings_.tls) {
    rc =
        mosquitto_tls_set(client_, settings_.caFile.c_str(), nullptr,
                          settings_.certFile.empty() ? nullptr : settings_.certFile.c_str(),
                          settings_.keyFile.empty() ? nullptr : settings_.keyFile.c_str(), nullptr);
  }
  if (rc != MOSQ_ERR_SUCCESS) {
    error = std::string("MQTT settings refused: ") + mosquitto_strerror(rc);
    return false;
  }
  // A broker that refuses the connection now is tried again by the network thread.
  rc = mosquitto_connect_async(client_, settings_.host.c_str(), settings_.port, kKeepAliveSeconds);
  if (rc == MOSQ_ERR_INVAL) {
    error = "bad broker address '" + settings_.host + "'";
    return false;
  }
  rc = mosquitto_loop_start(client_);
  if (rc != MOSQ_ERR_SUCCESS) {
    error = std::string("cannot start the MQTT client: ") + mosquitto_strerror(rc);
    return false;
  }
  running_ = true;
  return true;
}

bool MqttClient::Publish(std::string_view topic, std::string_view payload, bool retain) {
  std::unique_lock lock(mutex_);
  if (!connected_ || !client_) return false;
  int mid = 0;
  // The id is noted before the acknowledgement can come (it is handled under the same lock).
  const std::string name(topic);
  const int rc = mosquitto_publish(client_, &mid, name.c_str(), static_cast<int>(payload.size()),
                                   payload.data(), kQos, retain);
  if (rc != MOSQ_ERR_SUCCESS) return false;
  unacknowledged_.insert(mid);
  return true;
}

bool MqttClient::Connected() const {
  std::lock_guard lock(mutex_);
  return connected_;
}

std::string MqttClient::Refusal() const {
  std::lock_guard lock(mutex_);
  return refusal_;
}

void MqttClient::Stop(const MqttMessage& goodbye) {
  if (!client_) return;
  if (running_ && !goodbye.topic.empty() &&
      Publish(goodbye.topic, goodbye.payload, goodbye.retain)) {
    std::unique_lock lock(mutex_);
    published_.wait_for(lock, kGoodbyeWait, [&] { return unacknowledged_.empty() || !connected_; });
  }
  if (running_) {
    mosquitto_disconnect(client_);
    mosquitto_loop_stop(client_, false);
    running_ = false;
  }
  mosquitto_destroy(client_);
  client_ = nullptr;
}

void MqttClient::ConnectCallback(mosquitto*, void* self, int rc) {
  auto& client = *static_cast<MqttClient*>(self);
  if (rc != 0) {  // refused (bad credentials, ...): the network thread tries again
    std::lock_guard lock(client.mutex_);
    client.refusal_ = mosquitto_connack_string(rc);
    return;
  }
  for (const auto& pattern : client.subscriptions_) {
    mosquitto_subscribe(client.client_, nullptr, pattern.c_str(), kQos);
  }
  {
    std::lock_guard lock(client.mutex_);
    client.connected_ = true;
    client.refusal_.clear();
    client.unacknowledged_.clear();
  }
  if (client.onConnected_) client.onConnected_();
}

void MqttClient::DisconnectCallback(mosquitto*, void* self, int) {
  auto& client = *static_cast<MqttClient*>(self);
  std::lock_guard lock(client.mutex_);
  client.connected_ = false;
  client.published_.notify_all();
}

void MqttClient::PublishCallback(mosquitto*, void* self, int mid) {
  auto& client = *static_cast<MqttClient*>(self);
  std::lock_guard lock(client.mutex_);
  client.unacknowledged_.erase(mid);
  client.published_.notify_all();
}

void MqttClient::MessageCallback(mosquitto*, void* self, const mosquitto_message* message) {
  auto& client = *static_cast<MqttClient*>(self);
  if (!client.onMessage_ || !message->topic) return;
  const auto* bytes = static_cast<const char*>(message->payload);
  client.onMessage_({message->topic,
                     bytes ? std::string(bytes, static_cast<std::size_t>(message->payloadlen)) : "",
                     message->retain});
}

}  // namespace netloom::bridge
