// Test support: an MQTT subscriber and publisher that are not the program under test — the
// broker's own command-line clients (mosquitto_sub, mosquitto_pub).
//
// MqttSubscriber subscribes to its topics when made and returns once the subscription holds
// (a retained probe came back), so nothing published afterwards is missed and every retained
// message is there; every message it gets is kept, in order of arrival. Messages of one
// publisher arrive in the order it published them.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/background_program.h"
#include "support/temp_folder.h"

namespace netloom::testsupport {

struct ReceivedMessage {
  bool retained = false;
  std::string topic;
  std::string payload;
};

class MqttSubscriber {
 public:
  // Subscribes to `filters` on the broker at 127.0.0.1:`port` (a test failure when the
  // subscription does not hold). `login`: the clients' own arguments for a broker that wants a
  // user ({"-u", USER, "-P", PASSWORD}).
  MqttSubscriber(std::uint16_t port, const std::vector<std::string>& filters,
                 const std::vector<std::string>& login = {});

  // Every message so far.
  std::vector<ReceivedMessage> Messages() const;
  // The latest message on `topic`, if any.
  std::optional<ReceivedMessage> Latest(const std::string& topic) const;
  // Waits (bounded) until a message on `topic` whose payload contains `part` arrives after the
  // first `skip` messages; that message, or nothing.
  std::optional<ReceivedMessage> WaitFor(
      const std::string& topic, const std::string& part = "", std::size_t skip = 0,
      std::chrono::milliseconds bound = std::chrono::seconds(60));

 private:
  TempFolder folder_;
  BackgroundProgram program_;
};

// Publishes one message with mosquitto_pub (QoS 1); false when it failed. `login` as above.
bool PublishMqtt(std::uint16_t port, const std::string& topic, const std::string& payload,
                 bool retain = false, const std::vector<std::string>& login = {});

}  // namespace netloom::testsupport
