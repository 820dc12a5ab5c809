// netloom-cli sim, run in-process.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <thread>

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

TEST(CliSim, PrintsTheLinkAndServesUntilSignalled) {
  const testsupport::TempFolder folder;
  const auto link = folder.File("module");
  std::string out, err;
  int status = -1;
  std::thread sim([&] { status = RunCommand({"sim", "--link", link}, out, err); });
  EXPECT_TRUE(testsupport::WaitFor([&] { return std::filesystem::exists(link); }, 5s));
  {
    testsupport::TtyClient client(link);
    ASSERT_TRUE(client.IsOpen());
    client.Write("ATNAMEREQ 0000\r");
    EXPECT_NE(client.ReadUntil("<Coordinator>", 5s).find("<Coordinator>"), std::string::npos);
  }
  ::kill(::getpid(), SIGTERM);
  sim.join();
  EXPECT_EQ(status, 128 + SIGTERM);
  EXPECT_EQ(out, link + "\n");
  EXPECT_EQ(err, "");
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

}  // namespace
}  // namespace netloom::cli
