// The link worker on a module behind a real ser2net: the walk in both server modes, what the
// raw mode tells about its line settings, and a connection again after the server restarted.
// (Configuration and identity over RFC 2217 are tested beside their local forms.)
#include <gtest/gtest.h>

#include "core/link/walk/network_walk.h"
#include "exchange_fixture.h"

namespace netloom::link {
namespace {

using testsupport::Ser2netMode;

constexpr std::size_t kWalkedNodes = 10;  // the demo network to depth 4

class NetworkExchangeTest : public testsupport::ExchangeTest,
                            public ::testing::WithParamInterface<Ser2netMode> {
 protected:
  void SetUp() override {
    ExchangeTest::SetUp();
    UseSer2net(GetParam());
  }
  std::size_t WalkedNodes() {
    Walk();
    const auto snapshots = listener_.Snapshots();
    return snapshots.empty() ? 0 : snapshots.back().nodeTable.size();
  }
};

TEST_P(NetworkExchangeTest, TheWalkFindsTheWholeNetwork) {
  EXPECT_EQ(WalkedNodes(), kWalkedNodes);
  EXPECT_TRUE(listener_.Messages().empty());
}

TEST_P(NetworkExchangeTest, ARawPortSaysOnceThatItHasNoLineSettings) {
  UartSettings settings;
  worker_->Stop();
  Connection connection = link::Connect(PortPath(), settings, listener_, session_, values_, clock_);
  ASSERT_TRUE(connection.worker) << connection.error.detail;
  worker_ = std::move(connection.worker);
  if (GetParam() == Ser2netMode::Rfc2217) {
    EXPECT_EQ(connection.refused, "");
  } else {
    EXPECT_TRUE(connection.refused.starts_with("The port refused the line settings (tcp://"))
        << connection.refused;
    EXPECT_NE(connection.refused.find("a raw TCP port has no line settings"), std::string::npos);
  }
}

TEST_P(NetworkExchangeTest, AServerRestartLosesThePortAndANewConnectionWalksAgain) {
  server_->Stop();
  EXPECT_TRUE(listener_.WaitFor(
      [](const auto& calls) {
        return std::any_of(calls.begin(), calls.end(),
                           [](const std::string& call) { return call.starts_with("PortLost:"); });
      },
      std::chrono::seconds(20)));
  ASSERT_TRUE(server_->Start());
  Connect();
  EXPECT_EQ(WalkedNodes(), kWalkedNodes);
}

INSTANTIATE_TEST_SUITE_P(Modes, NetworkExchangeTest,
                         ::testing::Values(Ser2netMode::Rfc2217, Ser2netMode::Raw),
                         [](const auto& info) {
                           return info.param == Ser2netMode::Rfc2217 ? "Rfc2217" : "Raw";
                         });

}  // namespace
}  // namespace netloom::link
