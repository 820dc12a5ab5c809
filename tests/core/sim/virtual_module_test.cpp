// The virtual module seen from a client of its link, through the real pseudo-terminal.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/link/serial/serial_port.h"
#include "core/link/walk/net_info_parser.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"
#include "support/virtual_module_fixture.h"
#include "support/wait_for.h"

namespace netloom::sim {
namespace {

using namespace std::chrono_literals;
using testsupport::TtyClient;
using testsupport::VirtualModuleTest;

// Generous: the machine is shared and sanitizers slow everything down.
constexpr auto kAnswerBound = 5s;
// Long enough for a reply that will come to have started; used to assert nothing came.
constexpr auto kQuiet = 400ms;

std::string Exchange(TtyClient& client, const std::string& line, std::string_view until) {
  EXPECT_TRUE(client.Write(line));
  return client.ReadUntil(until, kAnswerBound);
}

// Puts the module into its boot loader and `client` at the boot loader's rate.
void EnterBootLoader(testsupport::ScopedVirtualModule& sim, TtyClient& client) {
  Exchange(client, "ATUPGRADE 1\r", "OK\r\n");
  Exchange(client, "ATRESET\r", "OK\r\n");
  ASSERT_TRUE(testsupport::WaitFor([&] { return sim.Faults().BootLoader().InBootLoader(); }));
  ASSERT_TRUE(client.SetRate(115200));
}

// True when `text` holds no byte a protocol here uses (line garbage).
bool IsGarbage(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
}

// A test folder that cannot be made is a failure, never a shared folder the fixture would then
// empty on its way out.
TEST(ScopedVirtualModuleTest, AFolderThatCannotBeMadeFailsAndRemovesNothing) {
  const testsupport::TempFolder outer;
  const auto parent = outer.Path() / "no-such-parent";
  const auto bystander = outer.Path() / "bystander";
  std::filesystem::create_directories(bystander);
  {
    const testsupport::ScopedEnvironment environment("TMPDIR", parent.string());
    EXPECT_THROW(testsupport::ScopedVirtualModule{}, std::system_error);
  }
  EXPECT_TRUE(std::filesystem::exists(bystander));
}

TEST_F(VirtualModuleTest, EchoesTheLineThenReplies) {
  TtyClient client(sim_.LinkPath());
  ASSERT_TRUE(client.IsOpen());
  const std::string got = Exchange(client, "ATVERSION\r", "OK\r\n");
  EXPECT_EQ(got.rfind("ATVERSION\r\nVERSION:", 0), 0u) << got;
  EXPECT_EQ(Exchange(client, "ATBOGUS 12\r", "command\r\n"), "ATBOGUS 12\r\nError ATcommand\r\n");
}

TEST_F(VirtualModuleTest, EscapesAnswerAndEndTheConsole) {
  TtyClient client(sim_.LinkPath());
  for (const char* escape : {"+++", "---"}) {
    ASSERT_TRUE(client.Write(escape));
    EXPECT_EQ(client.ReadFor(100ms), "") << "answered before CR";
    EXPECT_EQ(Exchange(client, "\r", "OK\r\n"), std::string(escape) + "\r\nOK\r\n");
  }
  EXPECT_NE(Exchange(client, "ATCONSOLE 1A01 0\r", "OK\r\n").find("OK"), std::string::npos);
  EXPECT_NE(Exchange(client, "ATINFO\r", "TYPE:").find("ADDR:1A01"), std::string::npos);
  Exchange(client, "---\r", "OK\r\n");
  EXPECT_NE(Exchange(client, "ATINFO\r", "TYPE:").find("ADDR:0000"), std::string::npos);
}

struct ConsoleCase {
  ConsoleAnswer answer;
  const char* address;
  const char* expected;    // text the reply must hold; empty: none of OK, FAIL, Time
  const char* answeredAs;  // the node ATINFO answers as afterwards
};

TEST_F(VirtualModuleTest, ConsoleOutcomes) {
  const ConsoleCase cases[] = {
      {ConsoleAnswer::Normal, "5e05", "OK", "5E05"},
      {ConsoleAnswer::Normal, "9999", "FAIL", "0000"},
      {ConsoleAnswer::Fail, "1A01", "FAIL", "0000"},
      {ConsoleAnswer::Time, "1A01", "Time", "0000"},
      {ConsoleAnswer::Garbage, "1A01", "", "0000"},
      {ConsoleAnswer::Silence, "1A01", "", "0000"},
  };
  TtyClient client(sim_.LinkPath());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address + std::string(" mode ") + std::to_string(static_cast<int>(c.answer)));
    sim_.Faults().SetConsoleAnswer(c.answer);
    const std::string command = "ATCONSOLE " + std::string(c.address) + " 0\r";
    std::string got = Exchange(client, command, *c.expected ? c.expected : "\r\n");
    if (!*c.expected) got += client.ReadFor(kQuiet);
    EXPECT_EQ(got.rfind(command + "\n", 0), 0u) << got;
    if (*c.expected) {
      EXPECT_NE(got.find(c.expected), std::string::npos) << got;
    } else {
      for (const char* word : {"OK", "FAIL", "Time"}) EXPECT_EQ(got.find(word), std::string::npos);
    }
    if (c.answer == ConsoleAnswer::Garbage) {
      // Still going: every read the host makes after the command finds text.
      EXPECT_FALSE(client.ReadFor(kQuiet).empty());
      EXPECT_FALSE(client.ReadFor(kQuiet).empty());
    }
    sim_.Faults().SetConsoleAnswer(ConsoleAnswer::Normal);
    EXPECT_NE(Exchange(client, "ATINFO\r", "TYPE:").find(std::string("ADDR:") + c.answeredAs),
              std::string::npos);
    Exchange(client, "+++\r", "+++\r\nOK\r\n");
  }
}

// What the product's own parsers make of the bytes a client receives (echo included).
struct NetInfo {
  std::string address;
  std::int32_t entryCount = 0;
  std::vector<std::string> children;
};

NetInfo DecodeNetInfo(const std::string& received) {
  link::NetInfoParser parser;
  for (const char c : received) parser.Feed(static_cast<std::uint8_t>(c));
  EXPECT_EQ(parser.State(), link::ReplyState::Complete) << received;
  NetInfo info{parser.Record().address, parser.Record().entryCount, {}};
  for (const auto& child : parser.Record().children) info.children.push_back(child.address);
  return info;
}

std::string DecodeName(const std::string& received) {
  link::NameReader reader;
  for (const char c : received) {
    if (auto name = reader.Feed(static_cast<std::uint8_t>(c))) return *name;
  }
  return "(incomplete)";
}

TEST_F(VirtualModuleTest, NetworkWalkReplies) {
  using Children = std::vector<std::string>;
  TtyClient client(sim_.LinkPath());
  const std::string root = Exchange(client, "ATNETINFO 0000 0\r", ">");
  EXPECT_NE(root.find("<14 0000 01"), std::string::npos) << "blanks between fields: " << root;
  const NetInfo coordinator = DecodeNetInfo(root);
  EXPECT_EQ(coordinator.address, "0000");
  EXPECT_EQ(coordinator.entryCount, 3);
  EXPECT_EQ(coordinator.children, (Children{"1A01", "2B02", "3C03"}));

  // Entries of another kind (the parents) stand among the children and count in LL.
  const struct {
    const char* address;
    std::int32_t entryCount;
    Children children;
  } cases[] = {
      {"5e05", 2, {}},                // under two parents, no children
      {"6F06", 2, {"BE0B"}},          // child, then its parent
      {"1A01", 3, {"4D04", "5E05"}},  // a parent entry between the two children
      {"AD0A", 1, {}},                // below the walk's reach, still answers
  };
  for (const auto& c : cases) {
    const NetInfo info =
        DecodeNetInfo(Exchange(client, "ATNETINFO " + std::string(c.address) + " 0\r", ">"));
    std::string upper = c.address;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(info.address, upper);
    EXPECT_EQ(info.entryCount, c.entryCount) << c.address;
    EXPECT_EQ(info.children, c.children) << c.address;
  }

  EXPECT_EQ(DecodeName(Exchange(client, "ATNAMEREQ 8b08\r", ">")), "Quaybox-Pier");

  for (const char* unknown : {"ATNETINFO 4321 0\r", "ATNAMEREQ 4321\r"}) {
    EXPECT_EQ(Exchange(client, unknown, "\r\n") + client.ReadFor(kQuiet),
              std::string(unknown) + "\n");
  }
}

TEST_F(VirtualModuleTest, RecordsEveryByteReceived) {
  sim_.Faults().SetRecording(true);
  TtyClient client(sim_.LinkPath());
  const std::string sent = std::string("+++\rATCFG\x02\x04", 11) + "\r";
  Exchange(client, sent, "command\r\n");
  const auto received = sim_.Faults().Received();
  EXPECT_EQ(std::string(received.begin(), received.end()), sent);
}

TEST_F(VirtualModuleTest, SilenceAndNoise) {
  TtyClient client(sim_.LinkPath());
  sim_.Faults().SetSilent(true);
  client.Write("ATVERSION\r");
  EXPECT_EQ(client.ReadFor(kQuiet), "");
  sim_.Faults().SetSilent(false);
  sim_.Faults().SetNoise(7);
  const std::string got = Exchange(client, "ATVERSION\r", "OK\r\n");
  EXPECT_EQ(got.find("ATVERSION\r\n"), 7u) << got;
}

TEST_F(VirtualModuleTest, LinkReopensAnyNumberOfTimes) {
  for (int i = 0; i < 5; ++i) {
    TtyClient client(sim_.LinkPath());
    ASSERT_TRUE(client.IsOpen()) << "open " << i;
    EXPECT_NE(Exchange(client, "ATVERSION\r", "OK\r\n").find("VERSION:"), std::string::npos);
  }
}

// The product's own port code: exclusive while open, free again after every close.
TEST_F(VirtualModuleTest, ProductPortOpensExclusivelyAgainAndAgain) {
  link::UartSettings settings;
  settings.readTimeoutMs = 2000;
  for (int i = 0; i < 3; ++i) {
    auto opened = link::OpenPort(sim_.LinkPath());
    ASSERT_TRUE(opened.port) << "open " << i << ": " << opened.error.detail;
    EXPECT_FALSE(link::OpenPort(sim_.LinkPath()).port) << "a second opener got in";
    ASSERT_TRUE(link::ConfigurePort(*opened.port, settings));
    ASSERT_TRUE(link::WriteText(*opened.port, "ATVERSION\r"));
    std::string got;
    std::uint8_t buffer[256];
    while (got.find("OK\r\n") == std::string::npos) {
      const std::size_t n = link::ReadBytes(*opened.port, buffer, sizeof buffer);
      if (n == 0) break;
      got.append(reinterpret_cast<const char*>(buffer), n);
    }
    EXPECT_EQ(got.rfind("ATVERSION\r\nVERSION:", 0), 0u) << got;
  }
}

// Without a link path the module publishes in the folder the port list searches, and clears
// links left there by modules whose process died.
TEST(VirtualModuleLinkFolder, PublishesThereAndClearsStaleLinks) {
  const testsupport::TempFolder runtime;
  const auto& folder = runtime.Path();
  const testsupport::ScopedEnvironment environment("XDG_RUNTIME_DIR", folder.string());

  const pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ::waitpid(dead, nullptr, 0);
  std::filesystem::create_directories(folder / "netloom");
  const auto stale = folder / "netloom" / ("sim-" + std::to_string(dead) + "-1");
  const auto alive = folder / "netloom" / ("sim-" + std::to_string(::getpid()) + "-999");
  std::filesystem::create_symlink("/dev/null", stale);
  std::filesystem::create_symlink("/dev/null", alive);
  std::string link;
  {
    VirtualModule module;
    ASSERT_FALSE(module.Start());
    link = module.LinkPath();
    EXPECT_EQ(std::filesystem::path(link).parent_path(), folder / "netloom");
    EXPECT_TRUE(TtyClient(link).IsOpen());
    EXPECT_FALSE(std::filesystem::is_symlink(stale));
    EXPECT_TRUE(std::filesystem::is_symlink(alive));
  }
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(VirtualModuleLineRate, PacesRepliesAtTheLinesBaudRate) {
  auto options = testsupport::TestModuleOptions(1200);
  options.baudRateEmulation = true;
  testsupport::ScopedVirtualModule sim(std::move(options));
  TtyClient client(sim.LinkPath(), 1200);
  const auto start = std::chrono::steady_clock::now();
  const std::string got = Exchange(client, "ATNETINFO 0000 0\r", ">\r\n");
  const auto elapsed = std::chrono::steady_clock::now() - start;
  // Ten bits a byte at 1200 baud: a UART cannot have sent it sooner (a lower bound only).
  EXPECT_GE(elapsed, std::chrono::milliseconds(got.size() * 10 * 1000 / 1200 - 20)) << got;
}

// The boot loader answers the identification request with the identification and the ready
// byte, nothing between them, in one answer of 23 bytes; while no record comes it says ready
// again.
TEST_F(VirtualModuleTest, BootLoaderIdentifiesItselfWithTheReadyByteRightBehind) {
  TtyClient client(sim_.LinkPath());
  EnterBootLoader(sim_, client);
  const std::string answer = "Harbinor Wireless Inc.\x02";
  ASSERT_EQ(answer.size(), 23u);
  const std::string got = Exchange(client, "Y", answer);
  EXPECT_EQ(got.substr(0, answer.size()), answer);
  EXPECT_EQ(got.find_first_not_of('\x02', answer.size()), std::string::npos) << got;
  EXPECT_EQ(client.ReadUntil("\x02", kAnswerBound), "\x02");
}

// A reset takes the module away for its restart time: a query sent right after the "OK" is
// lost, not answered late; after the restart the module answers again.
TEST(VirtualModuleRestart, AQueryDuringTheRestartIsLost) {
  auto options = testsupport::TestModuleOptions();
  options.timeDivisor = 2;  // long enough that the query surely comes during the restart
  testsupport::ScopedVirtualModule sim(std::move(options));
  TtyClient client(sim.LinkPath());
  EXPECT_EQ(Exchange(client, "ATRESET\r", "OK\r\n"), "ATRESET\r\nOK\r\n");
  ASSERT_TRUE(client.Write("ATVERSION\r"));
  ASSERT_TRUE(testsupport::WaitFor([&] { return sim.Faults().Restarts() == 1; }));
  const std::string got = Exchange(client, "ATINFO\r", "TYPE:");
  EXPECT_EQ(got.rfind("ATINFO\r\n", 0), 0u) << got;
}

// Like a UART, the module takes and answers only a client at its present rate: 9600 unless
// configured otherwise.
TEST(VirtualModuleLineRate, AnswersOnlyAClientAtItsRate) {
  const struct {
    std::uint32_t module;
    std::uint32_t client;
    bool answered;
  } cases[] = {
      {9600, 9600, true},   {9600, 19200, false}, {9600, 4800, false},
      {19200, 19200, true}, {19200, 9600, false}, {115200, 115200, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("module " + std::to_string(c.module) + ", client " + std::to_string(c.client));
    testsupport::ScopedVirtualModule sim(testsupport::TestModuleOptions(c.module));
    sim.Faults().SetRecording(true);
    TtyClient client(sim.LinkPath(), c.client);
    ASSERT_TRUE(client.Write("ATVERSION\r"));
    const std::string got = client.ReadUntil("OK\r\n", c.answered ? kAnswerBound : kQuiet);
    const auto received = sim.Faults().Received();
    if (c.answered) {
      EXPECT_EQ(got.rfind("ATVERSION\r\nVERSION:", 0), 0u) << got;
    } else {
      EXPECT_EQ(got, "");
      EXPECT_EQ(received.size(), 10u);
      EXPECT_TRUE(IsGarbage({received.begin(), received.end()}));
    }
  }
}

// The boot loader takes the upload at 115200 only; the host's return to command mode it hears
// at the command-mode rate too. What it sends reaches a client at another rate as garbage.
TEST_F(VirtualModuleTest, BootLoaderTakesTheUploadAt115200AndTheReturnAtTheCommandRate) {
  TtyClient client(sim_.LinkPath());
  EnterBootLoader(sim_, client);
  for (const std::uint32_t wrong : {9600u, 19200u}) {
    ASSERT_TRUE(client.SetRate(wrong));
    ASSERT_TRUE(client.Write("Y"));
    EXPECT_EQ(client.ReadFor(kQuiet), "") << wrong;
  }
  ASSERT_TRUE(client.SetRate(115200));
  ASSERT_NE(Exchange(client, "Y", "Inc.\x02").find("Harbinor Wireless Inc.\x02"),
            std::string::npos);
  // The ready byte it repeats while it waits for a record, heard at another rate.
  ASSERT_TRUE(client.SetRate(19200));
  client.ReadFor(kQuiet);  // whatever left before the change
  std::string repeated;
  for (int window = 0; window < 10 && repeated.empty(); ++window) repeated = client.ReadFor(kQuiet);
  EXPECT_FALSE(repeated.empty());
  EXPECT_TRUE(IsGarbage(repeated)) << repeated;

  ASSERT_TRUE(client.SetRate(9600));
  EXPECT_EQ(Exchange(client, "ATUPGRADE 0\r", "OK\r\n"), "OK\r\n");
  EXPECT_EQ(Exchange(client, "ATRESET\r", "OK\r\n"), "OK\r\n");
  ASSERT_TRUE(testsupport::WaitFor([&] { return !sim_.Faults().BootLoader().InBootLoader(); }));
  EXPECT_NE(Exchange(client, "ATVERSION\r", "OK\r\n").find("VERSION:"), std::string::npos);
}

TEST_F(VirtualModuleTest, UnplugFailsTheClientAndReplugServesAgain) {
  {
    TtyClient client(sim_.LinkPath());
    Exchange(client, "ATCONSOLE 1A01 0\r", "OK\r\n");
    ASSERT_TRUE(sim_.Module().Unplug());
    EXPECT_TRUE(client.ReadFails(kAnswerBound));
    EXPECT_FALSE(sim_.Module().Unplug());
  }
  EXPECT_FALSE(TtyClient(sim_.LinkPath()).IsOpen());
  ASSERT_TRUE(sim_.Module().Replug());
  TtyClient client(sim_.LinkPath());
  ASSERT_TRUE(client.IsOpen());
  // Back in command mode on the local module.
  EXPECT_NE(Exchange(client, "ATINFO\r", "TYPE:").find("ADDR:0000"), std::string::npos);
}

}  // namespace
}  // namespace netloom::sim
