#include "support/mqtt_subscriber.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/run_program.h"
#include "support/wait_for.h"

namespace netloom::testsupport {
namespace {

constexpr const char* kProbeTopic = "netloom-test/subscribed";

}  // namespace

MqttSubscriber::MqttSubscriber(std::uint16_t port, const std::vector<std::string>& filters,
                               const std::vector<std::string>& login) {
  const std::string portText = std::to_string(port);
  // The probe is retained: it reaches the subscription whenever that begins to hold.
  PublishMqtt(port, kProbeTopic, "1", true, login);
  // One line per message: the retain flag, the topic, the payload.
  std::vector<std::string> argv{
      "/usr/bin/mosquitto_sub", "-h", "127.0.0.1", "-p", portText, "-q", "1", "-F", "%r %t %p"};
  for (const auto& filter : filters) argv.insert(argv.end(), {"-t", filter});
  // Last: the broker sends each filter's retained messages in turn, so the probe comes after
  // every other retained message.
  argv.insert(argv.end(), {"-t", kProbeTopic});
  argv.insert(argv.end(), login.begin(), login.end());
  EXPECT_TRUE(program_.Start(argv, folder_.File("messages")));
  EXPECT_TRUE(WaitFor(kProbeTopic).has_value()) << FileText(folder_.File("messages"));
}

std::vector<ReceivedMessage> MqttSubscriber::Messages() const {
  std::vector<ReceivedMessage> messages;
  std::istringstream lines(FileText(folder_.File("messages")));
  for (std::string line; std::getline(lines, line);) {
    if (line.size() < 2 || (line[0] != '0' && line[0] != '1') || line[1] != ' ') continue;
    const auto blank = line.find(' ', 2);
    ReceivedMessage message{line[0] == '1', line.substr(2, blank - 2),
                            blank == std::string::npos ? "" : line.substr(blank + 1)};
    messages.push_back(std::move(message));
  }
  return messages;
}

std::optional<ReceivedMessage> MqttSubscriber::Latest(const std::string& topic) const {
  std::optional<ReceivedMessage> latest;
  for (auto& message : Messages()) {
    if (message.topic == topic) latest = std::move(message);
  }
  return latest;
}

std::optional<ReceivedMessage> MqttSubscriber::WaitFor(const std::string& topic,
                                                       const std::string& part, std::size_t skip,
                                                       std::chrono::milliseconds bound) {
  std::optional<ReceivedMessage> found;
  testsupport::WaitFor(
      [&] {
        const auto messages = Messages();
        for (std::size_t i = skip; i < messages.size(); ++i) {
          if (messages[i].topic == topic && messages[i].payload.find(part) != std::string::npos) {
            found = messages[i];
            return true;
          }
        }
        return false;
      },
      bound);
  return found;
}

bool PublishMqtt(std::uint16_t port, const std::string& topic, const std::string& payload,
                 bool retain, const std::vector<std::string>& login) {
  std::vector<std::string> argv{"/usr/bin/mosquitto_pub",
                                "-h",
                                "127.0.0.1",
                                "-p",
                                std::to_string(port),
                                "-q",
                                "1",
                                "-t",
                                topic,
                                "-m",
                                payload};
  if (retain) argv.push_back("-r");
  argv.insert(argv.end(), login.begin(), login.end());
  return RunProgram(argv).status == 0;
}

}  // namespace netloom::testsupport
