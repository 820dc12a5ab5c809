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

TEST_F(WalkCommandTest, JsonGivesEveryNodeItsRecord) {
  ASSERT_EQ(Run({"--json"}), kExitOk) << err_;
  const auto document = nlohmann::json::parse(out_);
  ASSERT_EQ(document["nodes"].size(), 10u);
  const auto& root = document["nodes"][0];
  EXPECT_EQ(root["kind"], "coordinator");
  EXPECT_EQ(root["depth"], 0);
  EXPECT_EQ(root["parents"], nlohmann::json::array());
  const auto& shared = document["nodes"][5];  // 5E05, listed by two parents
  EXPECT_EQ(shared["address"], "5E05");
  EXPECT_EQ(shared["kind"], "ac");
  EXPECT_EQ(shared["parents"], nlohmann::json::array({"1A01", "2B02"}));
  EXPECT_EQ(shared["depth"], 2);
  EXPECT_EQ(shared["heard"], true);
  EXPECT_TRUE(shared["quietSince"].is_null());
  EXPECT_EQ(shared["firstHeard"], document["time"]);
  EXPECT_EQ(shared["lastHeard"], document["time"]);
}

TEST_F(WalkCommandTest, CsvHasTheTableHeaderAndOneRowPerNode) {
  ASSERT_EQ(Run({"--csv"}), kExitOk) << err_;
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = out_.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(out_.substr(at, end - at));
  }
  ASSERT_EQ(lines.size(), 11u) << out_;
  EXPECT_EQ(lines[0], "Address,Name,Kind,MAC,Parents,Depth,First heard,Last heard,State");
  EXPECT_TRUE(lines[6].starts_with("5E05,AC-Lobby,ac,,1A01 2B02,2,")) << lines[6];
  EXPECT_TRUE(lines[6].ends_with(",heard")) << lines[6];
  EXPECT_TRUE(lines[10].starts_with("BE0B,Sensor-Shelf,node,,6F06,3,")) << lines[10];
  EXPECT_EQ(Run({"--csv", "--json"}), kExitUsage);
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
  EXPECT_EQ(out_.rfind("usage: netloom-cli walk --port P [--json | --csv]", 0), 0u);
}

}  // namespace
}  // namespace netloom::cli
