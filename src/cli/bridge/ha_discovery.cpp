#include "cli/bridge/ha_discovery.h"

#include <nlohmann/json.hpp>

#include "core/link/worker/link_session.h"
#include "core/network/node_export.h"
#include "core/network/node_kind.h"

namespace netloom::bridge {
namespace {

struct Entity {
  const char* component;
  const char* object;
};
constexpr Entity kConnectivity{"binary_sensor", "connectivity"};
constexpr Entity kLastHeard{"sensor", "last_heard"};
constexpr Entity kNodeCount{"sensor", "node_count"};

// Discovery ids take letters, digits, '_' and '-' only.
std::string IdOf(const std::string& site, const std::string& address) {
  std::string id = "netloom_" + site + "_" + address;
  for (char& c : id) {
    if (c == '.') c = '_';
  }
  return id;
}

std::string ConfigTopic(const std::string& prefix, const std::string& deviceId, Entity entity) {
  return prefix + "/" + entity.component + "/" + deviceId + "/" + entity.object + "/config";
}

std::vector<Entity> EntitiesOf(bool root) {
  std::vector<Entity> entities{kConnectivity, kLastHeard};
  if (root) entities.push_back(kNodeCount);
  return entities;
}

}  // namespace

std::vector<MqttMessage> NodeDiscovery(const std::string& prefix, const std::string& site,
                                       const Topics& topics, const network::NetworkNode& node,
                                       bool root) {
  const std::string id = IdOf(site, node.address);
  nlohmann::ordered_json device{
      {"identifiers", {id}},
      {"name", node.name.empty() ? node.address : node.name + " (" + node.address + ")"},
      {"manufacturer", "Netloom"},
      {"model", std::string(network::KindStem(node.kind))}};
  // The nodes are reached through the coordinator.
  if (!root) device["via_device"] = IdOf(site, std::string(link::kRootAddress));
  const nlohmann::ordered_json bridgeUp{{"topic", topics.State()},
                                        {"payload_available", kOnline},
                                        {"payload_not_available", kOffline}};
  const nlohmann::ordered_json nodeUp{
      {"topic", topics.Node(node.address)},
      {"value_template", "{{ 'online' if value_json.available else 'offline' }}"}};
  std::vector<MqttMessage> messages;
  for (const Entity entity : EntitiesOf(root)) {
    nlohmann::ordered_json config{{"unique_id", id + "_" + entity.object},
                                  {"object_id", id + "_" + entity.object},
                                  {"device", device}};
    if (std::string_view(entity.object) == kNodeCount.object) {
      config["name"] = "Nodes";
      config["state_topic"] = topics.Network();
      config["value_template"] = "{{ value_json.nodes | length }}";
      config["state_class"] = "measurement";
      config["availability"] = {bridgeUp};
    } else {
      config["state_topic"] = topics.Node(node.address);
      config["availability"] = {bridgeUp, nodeUp};
      config["availability_mode"] = "all";
      if (std::string_view(entity.object) == kConnectivity.object) {
        config["name"] = "Connectivity";
        config["device_class"] = "connectivity";
        config["value_template"] = "{{ 'ON' if value_json.heard else 'OFF' }}";
      } else {
        config["name"] = "Last heard";
        config["device_class"] = "timestamp";
        config["value_template"] = "{{ value_json.lastHeard }}";
      }
    }
    messages.push_back({ConfigTopic(prefix, id, entity), network::JsonText(config), true});
  }
  return messages;
}

std::vector<MqttMessage> NodeRemoval(const std::string& prefix, const std::string& site,
                                     const std::string& address, bool root) {
  std::vector<MqttMessage> messages;
  for (const Entity entity : EntitiesOf(root)) {
    messages.push_back({ConfigTopic(prefix, IdOf(site, address), entity), "", true});
  }
  return messages;
}

}  // namespace netloom::bridge
