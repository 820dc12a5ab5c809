// netloom-cli config and identity against the virtual module, in-process.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli_command_fixture.h"
#include "core/catalogue/config_profile.h"
#include "core/catalogue/value_entry.h"
#include "core/link/config/config_messages.h"
#include "support/temp_folder.h"

namespace netloom::cli {
namespace {

std::vector<std::string> Write(std::vector<std::string> args) {
  args.insert(args.begin(), "write");
  return args;
}

class ConfigCommandTest : public testsupport::CliCommandTest {
 protected:
  ConfigCommandTest() : CliCommandTest("config") {}

  nlohmann::json ReadJson(std::vector<std::string> args = {}) {
    args.insert(args.begin(), {"read", "--json"});
    EXPECT_EQ(Run(args), kExitOk) << err_;
    return nlohmann::json::parse(out_);
  }
  std::string ValueOf(const nlohmann::json& document, int item) {
    return document["items"][item]["value"].get<std::string>();
  }
  std::string Received() {
    const auto bytes = sim_.Faults().Received();
    return std::string(bytes.begin(), bytes.end());
  }
  sim::ExchangeFaults& Faults() { return sim_.Faults().Exchanges(); }
};

class IdentityCommandTest : public testsupport::CliCommandTest {
 protected:
  IdentityCommandTest() : CliCommandTest("identity") {}
  sim::ExchangeFaults& Faults() { return sim_.Faults().Exchanges(); }
};

constexpr int kPanId = 14;
constexpr int kDeviceName = 38;

TEST_F(ConfigCommandTest, ReadPrintsTheItems) {
  ASSERT_EQ(Run({"read"}), kExitOk) << err_;
  EXPECT_NE(out_.find("\n38  Device Name       Coordinator\n"), std::string::npos) << out_;
  EXPECT_EQ(std::count(out_.begin(), out_.end(), '\n'), 51);

  const auto document = ReadJson();
  ASSERT_EQ(document["items"].size(), 51u);
  EXPECT_EQ(document["items"][0],
            (nlohmann::json{{"index", 0}, {"name", "Version"}, {"value", "0002"}}));
  EXPECT_EQ(ValueOf(document, kDeviceName), "Coordinator");
}

TEST_F(ConfigCommandTest, WriteSetsVerifiesAndReadsBack) {
  ASSERT_EQ(Run({"write", "--set", "PanID=4321", "--set", "Device Name=Cli-1", "--set",
                 "Baudrate=19200", "--verify"}),
            kExitOk)
      << err_;
  EXPECT_NE(out_.find("verified"), std::string::npos);
  // The success is the output; standard error has nothing of it.
  EXPECT_NE(out_.find("Writing finished! Please reset the unit for the parameters to take "
                      "effect.\n"),
            std::string::npos)
      << out_;
  EXPECT_EQ(err_.find("Writing"), std::string::npos) << err_;
  const auto document = ReadJson();
  EXPECT_EQ(ValueOf(document, kPanId), "4321");
  EXPECT_EQ(ValueOf(document, kDeviceName), "Cli-1");
  EXPECT_EQ(ValueOf(document, 5), "05");  // the option's code, not its text
}

TEST_F(ConfigCommandTest, WriteFromTheReadDocumentToANode) {
  auto document = ReadJson();
  document["items"][kPanId]["value"] = "5555";
  const testsupport::TempFolder folder;
  const auto path = folder.Write("config.json", document.dump());
  const int status = Run({"write", "--to", "1A01", "--from", path, "--verify"});
  ASSERT_EQ(status, kExitOk) << err_;              // verified: the node holds 5555
  EXPECT_EQ(ValueOf(ReadJson(), kPanId), "1234");  // the coordinator kept its own
}

// One profile written to many modules gives each the settings, never another's identity.
TEST_F(ConfigCommandTest, AProfileLoadedIntoTwoModulesLeavesEachItsOwnIdentity) {
  const std::vector<int> identity = {catalogue::kMacAddrItem, 15, 16, 22, 49};
  const auto coordinator = ReadJson();
  const auto node = ReadJson({"--to", "1A01"});
  ASSERT_NE(ValueOf(node, catalogue::kMacAddrItem), ValueOf(coordinator, catalogue::kMacAddrItem));
  auto profile = coordinator;
  profile["items"][catalogue::kMacAddrItem]["value"] = "1111111122222222";
  profile["items"][49]["value"] = "0909000099";  // SerialNum
  profile["items"][kPanId]["value"] = "5555";
  const testsupport::TempFolder folder;
  const auto path = folder.Write("profile.json", profile.dump());

  for (const auto& [to, before] :
       {std::pair{std::string(), coordinator}, std::pair{std::string("1A01"), node}}) {
    SCOPED_TRACE(to);
    std::vector<std::string> args = {"write", "--from", path, "--verify"};
    if (!to.empty()) args.insert(args.end(), {"--to", to});
    ASSERT_EQ(Run(args), kExitOk) << err_;
    EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1) << err_;  // named once
    EXPECT_NE(err_.find("not loaded and keep this module's values (read-only or the module's "
                        "own): 10 MACAddr, "),
              std::string::npos)
        << err_;
    EXPECT_NE(err_.find("49 SerialNum"), std::string::npos) << err_;
    const auto after = to.empty() ? ReadJson() : ReadJson({"--to", to});
    EXPECT_EQ(ValueOf(after, kPanId), "5555");
    for (int item : identity) EXPECT_EQ(ValueOf(after, item), ValueOf(before, item)) << item;
  }
}

// The desktop program's profiles are the same documents: what the Parameters pane saves is
// written by the command line, and what the command line reads loads into the pane whole.
TEST_F(ConfigCommandTest, ProfilesOfTheParametersPaneGoBothWays) {
  catalogue::ConfigValueTable grid;
  grid.LoadDefaults();
  ASSERT_TRUE(catalogue::EnterConfigValue(grid, kPanId, "4321").accepted());
  ASSERT_TRUE(catalogue::EnterConfigValue(grid, kDeviceName, "Pane-1").accepted());
  const testsupport::TempFolder folder;
  const auto path = folder.File("profile.json");
  std::string error;
  ASSERT_TRUE(catalogue::WriteProfileFile(path, grid.Snapshot(), error)) << error;
  const int status = Run({"write", "--from", path, "--verify"});
  ASSERT_EQ(status, kExitOk) << err_;

  const auto read = catalogue::ParseProfile(ReadJson().dump(), "read", error);
  ASSERT_TRUE(read) << error;
  catalogue::ConfigValueTable loaded;
  loaded.LoadDefaults();
  const catalogue::ProfileLoad load = catalogue::ApplyProfile(loaded, *read);
  EXPECT_TRUE(load.refused.empty());
  // All but what names the module itself: the pane keeps its own.
  for (int item : load.skipped) EXPECT_TRUE(catalogue::IsPerModuleItem(item)) << item;
  EXPECT_EQ(loaded.Snapshot(), grid.Snapshot());
}

TEST_F(ConfigCommandTest, VerifyNamesWhatTheModuleDidNotTake) {
  Faults().SetWriteIgnoresItem(kPanId);
  EXPECT_EQ(Run({"write", "--set", "PanID=4321", "--set", "DstAddr=ABCD", "--verify"}),
            kExitFailed);
  EXPECT_NE(err_.find("verify: 1 item differs: 14 PanID (wrote \"4321\", read \"1234\")"),
            std::string::npos)
      << err_;
}

TEST_F(ConfigCommandTest, UsageErrorsWriteNothing) {
  const std::vector<std::vector<std::string>> cases = {
      {"--set", "Nope=1"},
      {"--set", "PanID=12G4"},
      {"--set", "Baudrate=1234"},
      {"--set", "NetworkKey=00"},
      {"--set", "PanID"},
      {"--from", "/nonexistent.json"},
      {"--to", "12"},
      {"--frobnicate"},
      {"stray"},
  };
  sim_.Faults().SetRecording(true);
  for (const auto& args : cases) {
    EXPECT_EQ(Run(Write(args)), kExitUsage) << args[0];
    EXPECT_NE(err_.find("see 'netloom-cli config --help'"), std::string::npos) << err_;
  }
  EXPECT_EQ(Run({"frobnicate"}), kExitUsage);
  EXPECT_EQ(Run({"read", "--verify"}), kExitUsage);
  EXPECT_NE(err_.find("'--verify' goes with write"), std::string::npos) << err_;
  EXPECT_EQ(Received().find("ATCFGWRITE"), std::string::npos);
}

TEST_F(ConfigCommandTest, RejectedValuesExitTwoBeforeThePortIsTouched) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"PanID=12G4", "Please input 0 to 9 or A to F (a to f)"},
      {"Baudrate=1234", "Baudrate"},
      {"Device Name=Seventeen-letters", "Device Name"},
  };
  sim_.Faults().SetRecording(true);
  for (const auto& [set, message] : cases) {
    EXPECT_EQ(Run({"write", "--set", set}), kExitUsage) << set;
    EXPECT_NE(err_.find(message), std::string::npos) << err_;
    EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1) << err_;
  }
  EXPECT_EQ(Received(), "");  // nothing read, nothing written
}

TEST_F(ConfigCommandTest, ProgressOnATerminalOnly) {
  for (const auto& args : {std::vector<std::string>{"read"}, Write({})}) {
    errIsTerminal_ = true;
    ASSERT_EQ(Run(args), kExitOk) << err_;
    EXPECT_NE(err_.find("[####] 4/4 frames"), std::string::npos) << err_;
    errIsTerminal_ = false;
    ASSERT_EQ(Run(args), kExitOk) << err_;
    EXPECT_EQ(err_, "");
  }
}

TEST_F(ConfigCommandTest, FailuresExitOneWithTheMessage) {
  Faults().SetEscAtFrame(2);
  EXPECT_EQ(Run({"write"}), kExitFailed);
  EXPECT_EQ(err_, std::string(link::kSendChecksumError) + "\n");
  Faults().ClearSwitches();

  sim_.Faults().SetConsoleAnswer(sim::ConsoleAnswer::Fail);
  EXPECT_EQ(Run({"read", "--to", "1A01"}), kExitFailed);
  EXPECT_NE(err_.find("(FAIL)Can't remote 1A01, Please try again!"), std::string::npos) << err_;
  EXPECT_EQ(out_, "");
}

TEST_F(IdentityCommandTest, ReadAndWrite) {
  ASSERT_EQ(Run({"read", "--json"}), kExitOk) << err_;
  EXPECT_EQ(nlohmann::json::parse(out_), (nlohmann::json{{"version", 2},
                                                         {"channel", 15},
                                                         {"pan_id", "1234"},
                                                         {"device_type", 0},
                                                         {"start_mode", 0},
                                                         {"name", "Coordinator"}}));

  errIsTerminal_ = true;  // the restart wait shows on a terminal
  ASSERT_EQ(Run({"write", "--type", "router", "--mode", "star", "--channel", "1A", "--pan", "abcd",
                 "--name", "Renamed"}),
            kExitOk)
      << err_;
  errIsTerminal_ = false;
  EXPECT_NE(err_.find("waiting for the module to restart: 4 s"), std::string::npos) << err_;
  EXPECT_EQ(out_, "identity written; the module has restarted with it\n");
  EXPECT_EQ(Faults().Resets(), 1u);
  ASSERT_EQ(Run({"read"}), kExitOk) << err_;
  EXPECT_EQ(out_,
            "version      2\nchannel      1A\npan_id       ABCD\ndevice_type  1 (Router)\n"
            "start_mode   4 (Star MODE)\nname         Renamed\n");
  EXPECT_EQ(err_, "");
}

TEST_F(IdentityCommandTest, ANameWithABlankReadsBack) {
  std::ostringstream out, err;
  CommandIo io{out, err, false};
  ASSERT_EQ(
      RunCli({"config", "write", "--port", sim_.LinkPath(), "--set", "Device Name=Hall 2"}, io),
      kExitOk)
      << err.str();
  ASSERT_EQ(Run({"read", "--json"}), kExitOk) << err_;
  EXPECT_EQ(nlohmann::json::parse(out_)["name"], "Hall 2");
}

TEST_F(IdentityCommandTest, ChecksAndFailures) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> usage = {
      {{"--pan", "12"}, "Please input 4 word"},
      {{"--pan", "12G4"}, "Please input 0 to 9 or A to F (a to f)"},
      {{"--name", "two words"}, "Don't input space to DeviceName"},
      {{"--name", "Seventeen-letters"}, "Please Less than 16 word"},
      {{"--channel", "1B"}, "bad channel '1B' (0B to 1A)"},
      {{"--type", "hub"}, "bad type 'hub'"},
  };
  for (const auto& [args, message] : usage) {
    EXPECT_EQ(Run(Write(args)), kExitUsage) << message;
    EXPECT_NE(err_.find(message), std::string::npos) << err_;
  }
  Faults().SetIdentityWriteAnswer(sim::IdentityWriteAnswer::Eot);
  EXPECT_EQ(Run({"write", "--name", "Refused"}), kExitFailed);
  EXPECT_EQ(err_, link::WriteVersionError() + "\n");
  EXPECT_EQ(Faults().Resets(), 0u);
}

}  // namespace
}  // namespace netloom::cli
