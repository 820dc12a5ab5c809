// netloom-cli walk against the virtual module, in-process.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_command_fixture.h"
#include "support/ser2net_server.h"

namespace netloom::cli {
namespace {

class WalkCommandTest : public testsupport::CliCommandTest {
 protected:
  WalkCommandTest() : CliCommandTest("walk") {}
};

TEST_F(WalkCommandTest, PrintsTheNodeTableInTableOrder) {
  ASSERT_EQ(Run({}), kExitOk) << err_;
  EXPECT_EQ(out_,
            "0000  Coordinator        1A01 2B02 3C03\n"
            "1A01  CCU-Hall           4D04 5E05\n"
            "2B02  FCU-Office         5E05 6F06\n"
            "3C03  Meter-Main         7A07\n"
            "4D04  LCU-Corridor       8B08\n"
            "5E05  AC-Lobby\n"
            "6F06  PC-Desk            BE0B\n"
            "7A07  Lumanode-Yard\n"
            "8B08  Quaybox-Pier       9C09\n"
            "BE0B  Sensor-Shelf\n");
  EXPECT_EQ(err_, "");
}

TEST_F(WalkCommandTest, JsonCarriesTheCounterAndTheChildrenInReplyOrder) {
  sim_.Faults().SetNetInfoFault("3C03", sim::NetInfoFault::BadClose);
  ASSERT_EQ(Run({"--json"}), kExitOk) << err_;
  EXPECT_EQ(err_, "read error!!\n");  // the message box's text, and the walk goes on

  const auto document = nlohmann::json::parse(out_);
  EXPECT_EQ(document["count"], 6);  // 3C03 and 7A07 under it are left out
  EXPECT_EQ(document["root"], "0000");
  ASSERT_EQ(document["nodes"].size(), 8u);
  EXPECT_EQ(document["nodes"][0]["address"], "0000");
  EXPECT_EQ(document["nodes"][0]["name"], "Coordinator");
  EXPECT_EQ(document["nodes"][0]["children"], nlohmann::json::array({"1A01", "2B02", "3C03"}));
  EXPECT_EQ(document["nodes"][5]["address"], "6F06");
  EXPECT_EQ(document["nodes"][5]["children"], nlohmann::json::array({"BE0B"}));
}

TEST_F(WalkCommandTest, WalksAModuleBehindANetworkPort) {
  for (const auto mode : {testsupport::Ser2netMode::Rfc2217, testsupport::Ser2netMode::Raw}) {
    testsupport::Ser2netServer server(sim_.LinkPath(), mode);
    port_ = server.PortName();
    ASSERT_EQ(Run({"--json"}), kExitOk) << err_;
    EXPECT_EQ(nlohmann::json::parse(out_)["nodes"].size(), 10u);
    // A raw port says once that it keeps the server's line settings.
    EXPECT_EQ(err_.find("a raw TCP port has no line settings") != std::string::npos,
              mode == testsupport::Ser2netMode::Raw)
        << err_;
  }
}

TEST_F(WalkCommandTest, ASilentCoordinatorFails) {
  sim_.Faults().SetSilent(true);
  EXPECT_EQ(Run({}), kExitFailed);
  EXPECT_EQ(out_, "");
  EXPECT_EQ(err_, "no answer from the coordinator\n");
}

TEST_F(WalkCommandTest, UsageErrors) {
  EXPECT_EQ(Run({"0000"}), kExitUsage);
  EXPECT_EQ(err_, "netloom-cli walk: unexpected argument '0000'; see 'netloom-cli walk --help'\n");
  EXPECT_EQ(Run({"--depth", "3"}), kExitUsage);
  EXPECT_EQ(Run({"--help"}), kExitOk);
  EXPECT_EQ(out_.rfind("usage: netloom-cli walk --port P [--json]\n", 0), 0u);
}

}  // namespace
}  // namespace netloom::cli
