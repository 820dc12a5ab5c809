// What the bridge has told the broker, kept so that it can be told again.
//
// Every retained message (state, network, each node's record, the discovery configurations) is
// kept here as the broker should hold it; Republish sends them all again after every
// (re)connection, so a broker restarted without persistence is whole again at once. Events are
// not kept: one seen while the broker is away is not delivered.
//
// A node the memory drops (it left: quiet past the quiet limit) keeps its last record with
// "available": false; Forget removes a node's record and discovery configurations from the
// broker (empty retained messages) and from here.
//
// Threads: the bridge's loop calls everything but Republish, which the MQTT client's network
// thread calls; the retained messages are shared under a lock, the rest is the loop's.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/bridge/bridge_topics.h"
#include "cli/bridge/mqtt_client.h"
#include "core/network/change_event.h"
#include "core/network/network_memory.h"

namespace netloom::bridge {

class BridgePublisher {
 public:
  // `discoveryPrefix`: empty for no Home Assistant discovery.
  BridgePublisher(MqttClient& client, std::string site, std::string discoveryPrefix);

  const Topics& topics() const { return topics_; }

  // `state`: online while the serial link works.
  void SetLinkUp(bool up);
  // After a walk was merged into `memory`, making `events`: every remembered node (with the
  // discovery of nodes new to the bridge), the nodes that left, the events, and last the
  // network (after a complete walk).
  void PublishWalk(const network::NetworkMemory& memory,
                   const std::vector<network::ChangeEvent>& events);
  // Removes the node's record and its discovery; false when no record of it was published.
  bool Forget(const std::string& address);
  void Republish();

 private:
  void Retain(const std::string& topic, const std::string& payload);
  void RetainAll(const std::vector<MqttMessage>& messages);

  MqttClient& client_;
  const std::string site_;
  const std::string discoveryPrefix_;
  const Topics topics_;

  std::mutex mutex_;
  std::map<std::string, std::string> retained_;            // topic -> payload, under mutex_
  std::map<std::string, network::NetworkNode> published_;  // address -> its latest record
};

}  // namespace netloom::bridge
