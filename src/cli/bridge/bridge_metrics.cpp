#include "cli/bridge/bridge_metrics.h"

#include <algorithm>
#include <sstream>

namespace netloom::bridge {
namespace {

void Family(std::ostringstream& out, const char* name, const char* type, const char* help) {
  out << "# HELP " << name << " " << help << "\n# TYPE " << name << " " << type << "\n";
}

}  // namespace

std::string LabelValue(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\' || c == '"') escaped += '\\';
    if (c == '\n') {
      escaped += "\\n";
    } else {
      // Other control characters (a module's name may hold any byte) are shown as '?'.
      escaped += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    }
  }
  return escaped;
}

void BridgeMetrics::SetLinkUp(bool up) {
  std::lock_guard lock(mutex_);
  linkUp_ = up;
}

void BridgeMetrics::SetMqttConnected(bool connected) {
  std::lock_guard lock(mutex_);
  mqttConnected_ = connected;
}

void BridgeMetrics::WalkEnded(bool failed, std::chrono::duration<double> duration,
                              const std::vector<network::NetworkNode>& nodes) {
  std::lock_guard lock(mutex_);
  ++walks_;
  if (failed) ++walksFailed_;
  walkSeconds_ = duration.count();
  nodes_.clear();
  for (const auto& node : nodes) nodes_.push_back({node.address, node.name, node.heard});
}

void BridgeMetrics::Reconnected() {
  std::lock_guard lock(mutex_);
  ++reconnects_;
}

std::string BridgeMetrics::Text() const {
  std::lock_guard lock(mutex_);
  const std::string site = "{site=\"" + LabelValue(site_) + "\"}";
  std::ostringstream out;
  Family(out, "netloom_link_up", "gauge", "Whether the serial link to the coordinator works.");
  out << "netloom_link_up" << site << " " << linkUp_ << "\n";
  Family(out, "netloom_mqtt_connected", "gauge", "Whether the MQTT broker is connected.");
  out << "netloom_mqtt_connected" << site << " " << mqttConnected_ << "\n";
  Family(out, "netloom_walks_total", "counter", "Network walks run.");
  out << "netloom_walks_total" << site << " " << walks_ << "\n";
  Family(out, "netloom_walks_failed_total", "counter",
         "Network walks that broke off without a usable answer from the coordinator.");
  out << "netloom_walks_failed_total" << site << " " << walksFailed_ << "\n";
  Family(out, "netloom_walk_duration_seconds", "gauge", "How long the latest walk took.");
  out << "netloom_walk_duration_seconds" << site << " " << walkSeconds_ << "\n";
  Family(out, "netloom_nodes_seen", "gauge", "Nodes that answered the latest complete walk.");
  out << "netloom_nodes_seen" << site << " "
      << std::count_if(nodes_.begin(), nodes_.end(), [](const NodeUp& n) { return n.up; }) << "\n";
  Family(out, "netloom_node_up", "gauge",
         "Per remembered node: 1 when it answered the latest complete walk, 0 while quiet.");
  for (const auto& node : nodes_) {
    out << "netloom_node_up{site=\"" << LabelValue(site_) << "\",address=\"" << node.address
        << "\",name=\"" << LabelValue(node.name) << "\"} " << node.up << "\n";
  }
  Family(out, "netloom_reconnects_total", "counter",
         "Reconnections of the serial link after it was lost.");
  out << "netloom_reconnects_total" << site << " " << reconnects_ << "\n";
  return out.str();
}

}  // namespace netloom::bridge
