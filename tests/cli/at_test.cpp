// netloom-cli at against the virtual module, in-process and (for Ctrl-C) as its own process.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli.h"
#include "cli_command_fixture.h"
#include "core/link/serial/serial_port.h"
#include "support/wait_for.h"

extern char** environ;

namespace netloom::cli {
namespace {

using namespace std::chrono_literals;

class AtCommandTest : public testsupport::CliCommandTest {
 protected:
  AtCommandTest() : CliCommandTest("at") {}
  std::string Received() {
    const auto bytes = sim_.Faults().Received();
    return std::string(bytes.begin(), bytes.end());
  }
};

TEST_F(AtCommandTest, PrintsTheReplyOfTheLocalModule) {
  sim_.Faults().SetRecording(true);
  EXPECT_EQ(Run({"--wait", "300", "ATINFO"}), kExitOk) << err_;
  EXPECT_EQ(Received(), "ATINFO\r");
  EXPECT_EQ(out_.rfind("ATINFO\r\n", 0), 0u) << out_;  // the module's echo comes first
  EXPECT_GT(out_.size(), 8u);                          // and a reply after it
}

TEST_F(AtCommandTest, RawTextGoesUnchangedAndJsonNamesIt) {
  sim_.Faults().SetRecording(true);
  const std::string text = "AT%s%d 100%";
  EXPECT_EQ(Run({"--raw", "--json", "--wait", "100", text}), kExitOk) << err_;
  EXPECT_EQ(Received(), text);
  const auto document = nlohmann::json::parse(out_);
  EXPECT_EQ(document["sent"], text);
  EXPECT_TRUE(document.contains("reply"));
}

TEST_F(AtCommandTest, RefusedLineSettingsAreNamedAndTheCommandGoesOn) {
  EXPECT_EQ(Run({"--baud", "12345", "--wait", "300", "ATINFO"}), kExitOk) << err_;
  EXPECT_NE(err_.find("The port refused the line settings ("), std::string::npos) << err_;
  EXPECT_NE(err_.find("baud rate 12345 is not supported"), std::string::npos) << err_;
  EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1) << err_;
  EXPECT_EQ(out_.rfind("ATINFO\r\n", 0), 0u) << out_;
}

TEST_F(AtCommandTest, DoubleDashEndsTheOptions) {
  sim_.Faults().SetRecording(true);
  EXPECT_EQ(Run({"--raw", "--wait", "100", "--", "---"}), kExitOk) << err_;
  EXPECT_EQ(Received(), "---");  // the Exit sequence, sent as it stands
  sim_.Faults().ClearReceived();
  EXPECT_EQ(Run({"--wait", "100", "--", "--help", "me"}), kExitOk) << err_;
  EXPECT_EQ(Received(), "--help me\r");
}

// A command for a node goes to that node or nowhere: never to the coordinator in its place.
TEST_F(AtCommandTest, ARefusedRemoteConsoleSendsNothingAndFails) {
  const struct {
    sim::ConsoleAnswer answer;
    std::string err;
  } cases[] = {
      {sim::ConsoleAnswer::Fail, "(FAIL)Can't remote 1A01, Please try again!\n"},
      {sim::ConsoleAnswer::Time, "(TimeOut)Can't remote 1A01, Please try again!\n"},
      {sim::ConsoleAnswer::Silence, "(No answer)Can't remote 1A01, Please try again!\n"},
  };
  sim_.Faults().SetRecording(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    sim_.Faults().SetConsoleAnswer(c.answer);
    EXPECT_EQ(Run({"--to", "1A01", "--wait", "100", "ATRESET"}), kExitFailed);
    EXPECT_EQ(err_, c.err);
    EXPECT_EQ(out_, "");
    EXPECT_NE(Received().find("ATCONSOLE 1A01 0\r"), std::string::npos);
    EXPECT_EQ(Received().find("ATRESET"), std::string::npos);
    EXPECT_EQ(sim_.Faults().Exchanges().Resets(), 0u);
  }
}

TEST_F(AtCommandTest, AModuleThatKeepsTalkingIsCutOffAtTheTimeout) {
  // Bursts every 40 ms for two seconds: the quiet time alone would wait them all out.
  sim_.Faults().SetConsoleAnswer(sim::ConsoleAnswer::Garbage);
  EXPECT_EQ(Run({"--wait", "1000", "--timeout", "300", "ATCONSOLE", "1A01", "0"}), kExitOk) << err_;
  std::size_t bursts = 0;
  for (auto at = out_.find("#?~!"); at != std::string::npos; at = out_.find("#?~!", at + 1)) {
    ++bursts;
  }
  EXPECT_GT(bursts, 0u) << out_;  // what arrived is printed
  EXPECT_LT(bursts, 50u) << out_;
}

TEST_F(AtCommandTest, UsageErrorsExitTwoAndPointToHelp) {
  const std::vector<std::vector<std::string>> cases = {
      {},                               // no command
      {"--to", "12", "ATINFO"},         // not four hex digits
      {"--to", "12G4", "ATINFO"},       //
      {"--wait", "soon", "ATINFO"},     //
      {"--timeout", "-1", "ATINFO"},    //
      {"---"},                          // an option, unknown, unless after "--"
      {"--raw", "--to", "1234", "AT"},  // raw text has no remote set-up
      {"--baud", "0", "ATINFO"},        //
      {"--colour", "ATINFO"},           //
      {std::string(255, 'A')},          // with its CR beyond the 255 characters a line holds
  };
  for (const auto& args : cases) {
    EXPECT_EQ(Run(args), kExitUsage) << ::testing::PrintToString(args);
    EXPECT_NE(err_.find("see 'netloom-cli at --help'"), std::string::npos) << err_;
  }
}

TEST(AtCommand, APortThatDoesNotOpenFailsWithTheProgramsMessage) {
  std::ostringstream out, err;
  CommandIo io{out, err, false};
  EXPECT_EQ(RunCli({"at", "--port", "/nonexistent/ttyUSB9", "ATINFO"}, io), kExitFailed);
  EXPECT_EQ(err.str().rfind("Can't open this COM~!! (", 0), 0u) << err.str();
}

TEST_F(AtCommandTest, CtrlCStopsCleanlyAndExits130) {
  sim_.Faults().SetRecording(true);
  std::vector<std::string> args = {NETLOOM_CLI_BINARY, "at",    "--port", sim_.LinkPath(),
                                   "--wait",           "60000", "ATINFO"};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);

  // Once the command is on the wire the program is waiting for the reply's end.
  testsupport::WaitFor([&] { return Received() == "ATINFO\r"; }, 10s);
  ASSERT_EQ(Received(), "ATINFO\r");
  ASSERT_EQ(kill(pid, SIGINT), 0);
  int status = 0;
  pid_t ended = 0;
  testsupport::WaitFor([&] { return (ended = waitpid(pid, &status, WNOHANG)) != 0; }, 10s);
  if (ended != pid) {  // never leave the program behind
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    FAIL() << "netloom-cli did not end after SIGINT";
  }
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kExitInterrupted);
  EXPECT_TRUE(link::OpenPort(sim_.LinkPath()).port);  // the port was closed
}

}  // namespace
}  // namespace netloom::cli
