// A port the user may not open: the program's message, with both remedies (the packages' udev
// rule, the dialout group) on its one line. The mode is real: a test run as root, whom modes do
// not deny, runs the program as "nobody".
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "support/run_program.h"
#include "support/virtual_module_fixture.h"

namespace netloom::cli {
namespace {

using PortPermission = testsupport::VirtualModuleTest;

TEST_F(PortPermission, TheFailureLineNamesTheUdevRuleAndTheDialoutGroup) {
  const std::string device = std::filesystem::canonical(sim_.LinkPath()).string();
  ASSERT_EQ(::chmod(device.c_str(), ::geteuid() == 0 ? 0600 : 0000), 0);
  const auto run = testsupport::RunProgram({NETLOOM_CLI_BINARY, "walk", "--port", device}, true);
  EXPECT_EQ(run.status, kExitFailed) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("Can't open this COM~!! (" + device + ": Permission denied", 0), 0u)
      << run.err;
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  for (const auto* remedy : {"netloom-cli package", "udev rule", "'dialout' group"}) {
    EXPECT_NE(run.err.find(remedy), std::string::npos) << remedy << " in " << run.err;
  }
}

}  // namespace
}  // namespace netloom::cli
