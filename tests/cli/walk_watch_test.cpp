// netloom-cli walk --watch and --log against a virtual module whose topology changes between
// walks, and a recorded walk served back by sim --replay.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <thread>

#include "cli_command_fixture.h"
#include "core/link/serial/session_log.h"
#include "support/edited_network.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"

namespace netloom::cli {
namespace {

using namespace std::chrono_literals;

class WalkWatchTest : public testsupport::CliCommandTest {
 protected:
  WalkWatchTest() : CliCommandTest("walk") { sim_.Faults().SetRecording(true); }

  // How many walks have asked the root so far.
  std::size_t RootQueries() {
    const auto bytes = sim_.Faults().Received();
    const std::string received(bytes.begin(), bytes.end());
    std::size_t count = 0;
    for (auto at = received.find("ATNETINFO 0000 0\r"); at != std::string::npos;
         at = received.find("ATNETINFO 0000 0\r", at + 1)) {
      ++count;
    }
    return count;
  }
};

TEST_F(WalkWatchTest, PrintsEachWalksChangesUntilInterrupted) {
  std::thread driver([&] {
    if (!testsupport::WaitFor([&] { return RootQueries() >= 2; }, 60s)) return;
    // Walk 2 has begun: it or walk 3 meets the node under its new parent.
    sim_.Module().ChangeNetwork(testsupport::EditedDemoNetwork(
        [](std::vector<sim::SimNode>& nodes) { testsupport::Reparent(nodes, "BE0B", "4D04"); }));
    if (testsupport::WaitFor([&] { return RootQueries() >= 4; }, 60s)) kill(getpid(), SIGINT);
  });
  const int status = Run({"--watch", "0"});
  driver.join();
  EXPECT_EQ(status, kExitInterrupted) << err_;

  static const std::regex kLine(
      R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ (joined|moved) ([0-9A-F]{4}) .*)");
  std::vector<std::string> joined, moved;
  std::istringstream lines(out_);
  for (std::string line; std::getline(lines, line);) {
    std::smatch match;
    ASSERT_TRUE(std::regex_match(line, match, kLine)) << line;
    (match[1] == "joined" ? joined : moved).push_back(line.substr(21));
  }
  EXPECT_EQ(joined.size(), 10u) << out_;
  EXPECT_EQ(joined.front(), "joined 0000 \"Coordinator\"");
  EXPECT_EQ(moved, std::vector<std::string>{"moved BE0B \"Sensor-Shelf\" from 6F06 to 4D04"});
}

TEST_F(WalkWatchTest, UsageErrors) {
  const struct {
    std::vector<std::string> args;
    std::string reason;
  } cases[] = {
      {{"--watch", "x"}, "bad watch 'x' (seconds)"},
      {{"--watch", "1", "--json"}, "--json, --csv and --watch exclude each other"},
      {{"--quiet-limit", "5"}, "--quiet-limit goes with --watch"},
      {{"--watch", "1", "--quiet-limit", "-5"}, "bad quiet-limit '-5' (seconds)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.args), kExitUsage);
    EXPECT_EQ(err_, "netloom-cli walk: " + c.reason + "; see 'netloom-cli walk --help'\n");
  }
}

// The nodes of a walk --json document without the times, which differ from walk to walk.
nlohmann::json Untimed(const std::string& out) {
  nlohmann::json nodes = nlohmann::json::parse(out)["nodes"];
  for (auto& node : nodes) {
    node.erase("firstHeard");
    node.erase("lastHeard");
  }
  return nodes;
}

TEST_F(WalkWatchTest, ALoggedWalkServedBackBySimReplayGivesTheSameWalk) {
  const testsupport::TempFolder folder;
  const std::string log = folder.File("walk.log");
  ASSERT_EQ(Run({"--json", "--log", log}), kExitOk) << err_;
  const nlohmann::json recorded = Untimed(out_);

  const auto read = link::LoadSessionLog(log);
  ASSERT_TRUE(read.entries) << read.error;
  std::string sent, received;
  for (const auto& entry : *read.entries) {
    (entry.direction == link::Direction::Sent ? sent : received)
        .append(entry.bytes.begin(), entry.bytes.end());
  }
  EXPECT_NE(sent.find("ATNETINFO 0000 0\r"), std::string::npos);
  EXPECT_NE(received.find("<CCU-Hall>"), std::string::npos);

  const std::string link = folder.File("replayed");
  std::ostringstream simOut, simErr;
  std::atomic<int> simStatus{-1};
  std::thread sim([&] {
    CommandIo io{simOut, simErr, false};
    simStatus = RunCli({"sim", "--replay", log, "--link", link}, io);
  });
  ASSERT_TRUE(testsupport::WaitFor([&] { return std::filesystem::exists(link); }, 10s));
  std::ostringstream out, err;
  CommandIo io{out, err, false};
  const int status = RunCli({"walk", "--json", "--port", link}, io);
  ::kill(::getpid(), SIGTERM);
  sim.join();
  ASSERT_EQ(status, kExitOk) << err.str();
  EXPECT_EQ(Untimed(out.str()), recorded);
  EXPECT_EQ(simStatus, 128 + SIGTERM) << simErr.str();
}

TEST(CliSimReplay, RefusesWhatIsNotASessionLog) {
  const testsupport::TempFolder folder;
  std::ostringstream out, err;
  CommandIo io{out, err, false};
  EXPECT_EQ(RunCli({"sim", "--replay", folder.Write("x.log", "hello\n")}, io), kExitUsage);
  EXPECT_EQ(err.str(), "netloom-cli sim: " + folder.File("x.log") +
                           ": not a netloom session log; see 'netloom-cli sim --help'\n");
}

}  // namespace
}  // namespace netloom::cli
