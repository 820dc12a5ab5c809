#include "gui/model/port_choice.h"

#include <gtest/gtest.h>

namespace netloom::model {
namespace {

TEST(PortChoice, NetworkPortsKeepTheirWholeNameAndSayWhatTheyAre) {
  const PortChoice network = PortChoiceFor("tcp://10.0.0.7:4001");
  EXPECT_EQ(network.name, "tcp://10.0.0.7:4001");
  EXPECT_EQ(network.path, "tcp://10.0.0.7:4001");
  EXPECT_EQ(network.description, "network port (raw TCP)");
  const PortChoice device = PortChoiceFor("/dev/ttyUSB3");
  EXPECT_EQ(device.name, "ttyUSB3");
  EXPECT_EQ(device.description, "");
  // A new connection never starts on a network port by itself.
  EXPECT_TRUE(DefaultPortChoice({network}).demo);
  EXPECT_EQ(DefaultPortChoice({network, device}).path, "/dev/ttyUSB3");
}

TEST(RecentNetworkPorts, TheLatestComeFirstOnceAndTheOldestGo) {
  RecentNetworkPorts recent;
  std::vector<std::string> saved;
  recent.onChange = [&](const std::vector<std::string>& names) { saved = names; };
  for (int i = 1; i <= 6; ++i) recent.Add("rfc2217://gw:" + std::to_string(2000 + i));
  recent.Add("rfc2217://gw:2003");
  const std::vector<std::string> expected = {"rfc2217://gw:2003", "rfc2217://gw:2006",
                                             "rfc2217://gw:2005", "rfc2217://gw:2004",
                                             "rfc2217://gw:2002"};
  EXPECT_EQ(recent.names(), expected);
  EXPECT_EQ(saved, expected);

  recent.Load({"/dev/ttyUSB0", "tcp://a:1", "tcp://a:1", "rfc2217://b:2"});
  EXPECT_EQ(recent.names(), (std::vector<std::string>{"tcp://a:1", "rfc2217://b:2"}));
  link::PortDirectoryRoots nothing{"/nonexistent/sys", "/nonexistent/dev", "/nonexistent/links"};
  const auto choices = ListPortChoices(nothing, recent);
  ASSERT_EQ(choices.size(), 3u);
  EXPECT_EQ(choices[0].path, "tcp://a:1");
  EXPECT_EQ(choices[1].path, "rfc2217://b:2");
  EXPECT_TRUE(choices[2].demo);
}

}  // namespace
}  // namespace netloom::model
