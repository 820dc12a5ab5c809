// The lines every command shares: one usage-error line, one failure line without a prefix.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "cli/cli.h"

namespace netloom::cli {
namespace {

struct Ran {
  int status;
  std::string out, err;
};

Ran RunArgs(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  CommandIo io{out, err, false};
  const int status = RunCli(args, io);
  return {status, out.str(), err.str()};
}

TEST(CliContract, OneUsageLineForEveryCommand) {
  const std::vector<std::vector<std::string>> cases = {
      {"at", "--bogus", "ATINFO"},
      {"at", "--port", "NOPE99", "ATINFO"},
      {"walk", "--bogus"},
      {"walk", "--port", "NOPE99"},
      {"config", "read", "--bogus"},
      {"config", "write", "--port", "NOPE99"},
      {"identity", "read", "--baud", "fast", "--port", "NOPE99"},
      {"flash", "--bogus", "f.hex"},
      {"flash", "--port", "NOPE99", "f.hex"},
      {"ports", "--bogus"},
      {"sim", "--bogus"},
  };
  for (const auto& args : cases) {
    const Ran ran = RunArgs(args);
    const std::regex line("netloom-cli " + args[0] + ": [^\n]+; see 'netloom-cli " + args[0] +
                          " --help'\n");
    EXPECT_EQ(ran.status, kExitUsage) << ::testing::PrintToString(args);
    EXPECT_TRUE(std::regex_match(ran.err, line)) << ran.err;
    EXPECT_EQ(ran.out, "");
  }
}

TEST(CliContract, OneFailureLineWithoutPrefixForEveryCommand) {
  const std::string port = "/nonexistent/ttyUSB9";
  const std::vector<std::vector<std::string>> cases = {
      {"at", "--port", port, "ATINFO"},
      {"walk", "--port", port},
      {"config", "read", "--port", port},
      {"identity", "read", "--port", port},
      {"flash", "--port", port, "/nonexistent/firmware.hex"},
  };
  for (const auto& args : cases) {
    const Ran ran = RunArgs(args);
    EXPECT_EQ(ran.status, kExitFailed) << ::testing::PrintToString(args);
    EXPECT_TRUE(std::regex_match(ran.err, std::regex("(Can't open this COM|Can not use)[^\n]+\n")))
        << ran.err;
    EXPECT_EQ(ran.out, "");
  }
}

}  // namespace
}  // namespace netloom::cli
