#include "cli/bridge/bridge_publisher.h"

#include "cli/bridge/ha_discovery.h"
#include "core/link/worker/link_session.h"

namespace netloom::bridge {
BridgePublisher::BridgePublisher(MqttClient& client, std::string site, std::string discoveryPrefix)
    : client_(client),
      site_(std::move(site)),
      discoveryPrefix_(std::move(discoveryPrefix)),
      topics_(site_) {}

// Published under the lock, so a republish running meanwhile cannot send an older payload
// after this one.
void BridgePublisher::Retain(const std::string& topic, const std::string& payload) {
  std::lock_guard lock(mutex_);
  if (payload.empty()) {
    retained_.erase(topic);
  } else {
    retained_[topic] = payload;
  }
  client_.Publish(topic, payload, true);
}

void BridgePublisher::RetainAll(const std::vector<MqttMessage>& messages) {
  for (const auto& message : messages) Retain(message.topic, message.payload);
}

void BridgePublisher::SetLinkUp(bool up) {
  Retain(topics_.State(), up ? kOnline : kOffline);
}

void BridgePublisher::PublishWalk(const network::NetworkMemory& memory,
                                  const std::vector<network::ChangeEvent>& events) {
  for (const auto& node : memory.Nodes()) {
    const bool known = published_.count(node.address) > 0;
    published_[node.address] = node;
    Retain(topics_.Node(node.address), NodePayload(node, true));
    if (!known && !discoveryPrefix_.empty()) {
      RetainAll(NodeDiscovery(discoveryPrefix_, site_, topics_, node,
                              node.address == link::kRootAddress));
    }
  }
  for (const auto& event : events) {
    if (event.kind == network::ChangeKind::Left) {
      if (const auto found = published_.find(event.address); found != published_.end()) {
        Retain(topics_.Node(event.address), NodePayload(found->second, false));
      }
    }
    client_.Publish(topics_.Events(), EventPayload(event), false);
  }
  // Last: a subscriber that sees the walk's network has been sent the rest of it.
  if (memory.LatestWalk().rootNode) Retain(topics_.Network(), NetworkPayload(memory));
}

bool BridgePublisher::Forget(const std::string& address) {
  if (published_.erase(address) == 0) return false;
  Retain(topics_.Node(address), "");
  if (!discoveryPrefix_.empty()) {
    RetainAll(NodeRemoval(discoveryPrefix_, site_, address, address == link::kRootAddress));
  }
  return true;
}

void BridgePublisher::Republish() {
  std::lock_guard lock(mutex_);
  for (const auto& [topic, payload] : retained_) client_.Publish(topic, payload, true);
}

}  // namespace netloom::bridge
