// Home Assistant MQTT discovery for the bridge's topics (bridge_topics.h).
//
// Per node a device ("<name> (<address>)", identified as netloom_<site>_<address>) with two
// entities: a connectivity binary sensor (on while the node answered the latest walk) and a
// last-heard timestamp sensor. The coordinator's device (its address is the walk's root, "0000")
// also carries a node-count sensor fed by the `network` topic. Every entity is available while
// the bridge's `state` reads "online" and, for a node's entities, while its record says
// "available": so a bridge or link that is down, or a node gone past the quiet limit, shows as
// unavailable in Home Assistant. Configurations are retained; removing a node publishes an empty
// retained configuration for each of its entities, which is how Home Assistant forgets them.
//
// Pure functions; callable from any thread.
#pragma once

#include <string>
#include <vector>

#include "cli/bridge/bridge_topics.h"
#include "cli/bridge/mqtt_client.h"
#include "core/network/network_node.h"

namespace netloom::bridge {

inline constexpr char kDefaultDiscoveryPrefix[] = "homeassistant";

// The retained configurations announcing `node`'s entities (and the node count for the root).
std::vector<MqttMessage> NodeDiscovery(const std::string& prefix, const std::string& site,
                                       const Topics& topics, const network::NetworkNode& node,
                                       bool root);
// The empty retained configurations that remove what NodeDiscovery announced.
std::vector<MqttMessage> NodeRemoval(const std::string& prefix, const std::string& site,
                                     const std::string& address, bool root);

}  // namespace netloom::bridge
