// What the bridge counts, and the Prometheus text format of it (version 0.0.4).
//
//   netloom_link_up                 1 while the serial link to the coordinator works
//   netloom_mqtt_connected          1 while the broker is connected
//   netloom_walks_total             walks run (counter)
//   netloom_walks_failed_total      walks that broke off: no usable answer from the coordinator
//   netloom_walk_duration_seconds   how long the latest walk took
//   netloom_nodes_seen              nodes that answered the latest complete walk
//   netloom_node_up{address,name}   per remembered node: 1 heard in the latest walk, 0 quiet
//   netloom_reconnects_total        serial link reconnections after a loss (counter)
// Every sample carries the site label.
//
// Threads: the bridge's loop writes, the metrics server reads; every member locks.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "core/network/network_node.h"

namespace netloom::bridge {

class BridgeMetrics {
 public:
  explicit BridgeMetrics(std::string site) : site_(std::move(site)) {}

  void SetLinkUp(bool up);
  void SetMqttConnected(bool connected);
  // A walk ended after `duration`; `nodes` what the memory holds after merging it (a broken
  // off walk leaves them as they were).
  void WalkEnded(bool failed, std::chrono::duration<double> duration,
                 const std::vector<network::NetworkNode>& nodes);
  void Reconnected();

  // The whole exposition, as the metrics endpoint serves it.
  std::string Text() const;

 private:
  struct NodeUp {
    std::string address;
    std::string name;
    bool up = false;
  };

  const std::string site_;
  mutable std::mutex mutex_;
  bool linkUp_ = false;
  bool mqttConnected_ = false;
  std::uint64_t walks_ = 0;
  std::uint64_t walksFailed_ = 0;
  double walkSeconds_ = 0;
  std::uint64_t reconnects_ = 0;
  std::vector<NodeUp> nodes_;
};

// `text` as a label value: backslash, double quote and line feed escaped.
std::string LabelValue(const std::string& text);

}  // namespace netloom::bridge
