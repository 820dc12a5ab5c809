// netloom-cli flash, run in-process against a virtual module (real time: these take seconds).
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli.h"
#include "core/firmware/hex_record.h"
#include "support/boot_loader_client.h"
#include "support/temp_folder.h"

namespace netloom::cli {
namespace {

using namespace std::chrono_literals;

struct Run {
  int status;
  std::string out;
  std::string err;
};

Run Flash(std::vector<std::string> args) {
  std::ostringstream out, err;
  CommandIo io{out, err, false};
  args.insert(args.begin(), "flash");
  const int status = RunCli(args, io);
  return {status, out.str(), err.str()};
}

// Two data records and the end-of-file record.
constexpr std::string_view kFirmware =
    ":0400000001020304F2\r\n:04000400A1A2A3A46E\r\n:00000001FF\r\n";

class FlashTest : public ::testing::Test {
 protected:
  sim::BootLoaderFaults& BootLoader() { return sim_.Faults().BootLoader(); }
  void EnterBootLoader() { testsupport::EnterBootLoader(sim_); }
  bool BackInAtCommandMode() { return testsupport::WaitUntilOutOfBootLoader(sim_); }

  testsupport::ScopedVirtualModule sim_;
  testsupport::TempFolder folder_;
};

TEST_F(FlashTest, UsageErrorsExitTwo) {
  const auto hex = folder_.Write("app.hex", kFirmware);
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{hex}, "--port is required"},
      {{"--port", sim_.LinkPath()}, "exactly one firmware FILE"},
      {{"--port", sim_.LinkPath(), hex, hex}, "exactly one firmware FILE"},
      {{"--port", sim_.LinkPath(), folder_.File("app.bin")}, "Please input file path!!"},
      {{"--port", sim_.LinkPath(), "--baud", "fast", hex}, "bad baud rate"},
      {{"--port", sim_.LinkPath(), "--force", hex}, "unknown option '--force'"},
      {{"--port", "NOSUCHPORT", hex}, "unknown port"},
  };
  for (const auto& [args, reason] : cases) {
    const auto run = Flash(args);
    EXPECT_EQ(run.status, kExitUsage) << reason;
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;
  }
  const auto help = Flash({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_EQ(help.out.rfind("usage: netloom-cli flash", 0), 0u);
}

TEST_F(FlashTest, UnreadableFileFailsBeforeTheModeSwitch) {
  sim_.Faults().SetRecording(true);
  const auto run = Flash({"--port", sim_.LinkPath(), folder_.File("missing.hex")});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_EQ(run.err.rfind("Can not use this file (", 0), 0u) << run.err;
  EXPECT_TRUE(sim_.Faults().Received().empty());
}

TEST_F(FlashTest, UploadsVerifiesAndReturnsToAtCommandMode) {
  EnterBootLoader();
  const auto run =
      Flash({"--port", sim_.LinkPath(), "--no-mode-switch", folder_.Write("a.hex", kFirmware)});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  EXPECT_NE(run.out.find("Harbinor Wireless Inc."), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Verify ok\n"), std::string::npos) << run.out;
  EXPECT_TRUE(run.out.ends_with("Upgrade finish~!!\n")) << run.out;
  EXPECT_EQ(run.out.find('\r'), std::string::npos);
  const std::map<std::uint32_t, std::uint8_t> image = {{0, 1},    {1, 2},    {2, 3},    {3, 4},
                                                       {4, 0xA1}, {5, 0xA2}, {6, 0xA3}, {7, 0xA4}};
  EXPECT_EQ(BootLoader().VerifiedImage().Bytes(), image);
  EXPECT_TRUE(BackInAtCommandMode());
}

TEST_F(FlashTest, FailureReturnsTheModuleAndExitsOne) {
  BootLoader().SetNakAtLine(2);
  EnterBootLoader();
  const auto run =
      Flash({"--port", sim_.LinkPath(), "--no-mode-switch", folder_.Write("a.hex", kFirmware)});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_EQ(run.err, "The upgrade checksum error!\n");
  EXPECT_NE(run.out.find("AT Command Mode\n"), std::string::npos) << run.out;
  EXPECT_TRUE(BackInAtCommandMode());
}

TEST_F(FlashTest, AModuleThatDoesNotAnswerItsReturnExitsOne) {
  BootLoader().SetQuietReturn(true);
  EnterBootLoader();
  const auto run =
      Flash({"--port", sim_.LinkPath(), "--no-mode-switch", folder_.Write("a.hex", kFirmware)});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_TRUE(run.out.ends_with("Upgrade finish~!!\n")) << run.out;
  EXPECT_EQ(run.err,
            "the module did not answer OK to ATUPGRADE 0 and ATRESET at 9600 baud; it may still "
            "be in its boot loader\n");
}

TEST_F(FlashTest, InterruptStopsTheUploadAndReturnsTheModule) {
  std::string big;
  for (int line = 0; line < 4000; ++line) big += ":0400000001020304F2\n";
  const auto hex = folder_.Write("big.hex", big);
  EnterBootLoader();
  std::thread interrupter([&] {
    if (testsupport::WaitFor([&] { return BootLoader().LinesAccepted() >= 5; }))
      kill(getpid(), SIGINT);
  });
  const auto run = Flash({"--port", sim_.LinkPath(), "--no-mode-switch", hex});
  interrupter.join();
  EXPECT_EQ(run.status, kExitInterrupted);
  EXPECT_EQ(run.err, "interrupted\n");
  EXPECT_NE(run.out.find("Upgrade cancelled"), std::string::npos) << run.out;
  EXPECT_TRUE(BackInAtCommandMode());
}

}  // namespace
}  // namespace netloom::cli
