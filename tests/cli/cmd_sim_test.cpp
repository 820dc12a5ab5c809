// netloom-cli sim, run in-process.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli.h"
#include "support/temp_folder.h"
#include "support/virtual_module_fixture.h"
#include "support/wait_for.h"

namespace netloom::cli {
namespace {

using namespace std::chrono_literals;

int RunCommand(const std::vector<std::string>& args, std::string& out, std::string& err) {
  std::ostringstream o, e;
  CommandIo io{o, e};
  const int status = RunCli(args, io);
  out = o.str();
  err = e.str();
  return status;
}

TEST(CliSim, RefusesBadArgumentsAndTopologies) {
  const testsupport::TempFolder folder;
  const auto topology =
      folder.Write("bad.json", R"({"nodes":[{"address":"0000","name":"C","children":["1"]}]})");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
  } cases[] = {
      {{"sim", "--bogus"},
       kExitUsage,
       "netloom-cli sim: unknown option '--bogus'; see 'netloom-cli sim --help'\n"},
      {{"sim", "extra"},
       kExitUsage,
       "netloom-cli sim: unexpected argument 'extra'; see 'netloom-cli sim --help'\n"},
      {{"sim", "--topology", topology},
       kExitUsage,
       "netloom-cli sim: " + topology +
           ": node 0000: child '1' is not four hex digits; see 'netloom-cli sim --help'\n"},
      {{"sim", "--link", folder.File("no/such/link")},
       kExitFailed,
       "cannot start the virtual module: cannot create link " + folder.File("no/such/link") +
           ": No such file or directory\n"},
  };
  for (const auto& c : cases) {
    std::string out, err;
    EXPECT_EQ(RunCommand(c.args, out, err), c.status) << c.args.back();
    EXPECT_EQ(err, c.err);
    EXPECT_EQ(out, "");
  }
}

// What a sim run left: its status, its output, and the module's answer to a name request.
struct SimRun {
  int status = -1;
  std::string out, err, answer;
};

// Runs "sim --link LINK" plus `flags`, asks the module for the coordinator's name over a client
// at `rate`, then stops the command with SIGTERM.
SimRun ServeAndAsk(const std::string& link, std::vector<std::string> flags, std::uint32_t rate) {
  SimRun run;
  std::vector<std::string> args{"sim", "--link", link};
  args.insert(args.end(), flags.begin(), flags.end());
  std::thread sim([&] { run.status = RunCommand(args, run.out, run.err); });
  EXPECT_TRUE(testsupport::WaitFor([&] { return std::filesystem::exists(link); }, 5s));
  {
    testsupport::TtyClient client(link, rate);
    EXPECT_TRUE(client.IsOpen());
    client.Write("ATNAMEREQ 0000\r");
    run.answer = client.ReadUntil("<Coordinator>", 5s);
  }
  ::kill(::getpid(), SIGTERM);
  sim.join();
  return run;
}

TEST(CliSim, PrintsTheLinkAndServesUntilSignalled) {
  const testsupport::TempFolder folder;
  const auto link = folder.File("module");
  const SimRun run = ServeAndAsk(link, {}, 9600);
  EXPECT_NE(run.answer.find("<Coordinator>"), std::string::npos);
  EXPECT_EQ(run.status, 128 + SIGTERM);
  EXPECT_EQ(run.out, link + "\n");
  EXPECT_EQ(run.err, "");
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

// --baud starts the module at one of the rates its Baudrate setting offers, and no other.
TEST(CliSim, BaudStartsTheModuleAtAnOfferedRate) {
  const std::string offered = "300, 1200, 2400, 4800, 9600, 19200, 38400, 57600 or 115200";
  const struct {
    std::string baud;
    std::string err;  // empty: the module serves at that rate
  } cases[] = {
      {"115200", ""},
      {"1200", ""},
      {"1000",
       "netloom-cli sim: bad baud rate '1000' (" + offered + "); see 'netloom-cli sim --help'\n"},
      {"fast",
       "netloom-cli sim: bad baud rate 'fast' (" + offered + "); see 'netloom-cli sim --help'\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.baud);
    const testsupport::TempFolder folder;
    const auto link = folder.File("module");
    if (!c.err.empty()) {
      std::string out, err;
      EXPECT_EQ(RunCommand({"sim", "--link", link, "--baud", c.baud}, out, err), kExitUsage);
      EXPECT_EQ(err, c.err);
      EXPECT_EQ(out, "");
      continue;
    }
    const SimRun run =
        ServeAndAsk(link, {"--baud", c.baud}, static_cast<std::uint32_t>(std::stoul(c.baud)));
    EXPECT_NE(run.answer.find("<Coordinator>"), std::string::npos) << run.answer;
    EXPECT_EQ(run.status, 128 + SIGTERM);
    EXPECT_EQ(run.out, link + "\n");
  }
}

}  // namespace
}  // namespace netloom::cli
