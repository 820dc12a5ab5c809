#include "core/link/serial/serial_port.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <tuple>

#include <gtest/gtest.h>

#include "core/link/serial/termios_settings.h"
#include "pty_pair.h"
#include "support/ser2net_server.h"

namespace netloom::link {
namespace {

using std::chrono::milliseconds;
using testsupport::PtyPair;
using SteadyClock = std::chrono::steady_clock;

// How the port under test reaches the pseudo-terminal: opened as a device, or through a real
// ser2net in RFC 2217 mode (the same line semantics must hold over the network).
enum class Backend { Device, Rfc2217 };

class SerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override { Open(Backend::Device); }

  void Open(Backend backend) {
    ASSERT_TRUE(pty.Ok());
    std::string path = pty.SlavePath();
    if (backend == Backend::Rfc2217) {
      server =
          std::make_unique<testsupport::Ser2netServer>(path, testsupport::Ser2netMode::Rfc2217);
      ASSERT_TRUE(server->Running());
      path = server->PortName();
    }
    OpenResult opened = OpenPort(path);
    ASSERT_TRUE(opened.port) << opened.error.detail;
    port = std::move(opened.port);
  }

  termios LineState() const {
    termios state{};
    // The master reports the slave's termios.
    EXPECT_EQ(::tcgetattr(pty.Master(), &state), 0);
    return state;
  }

  // Reads with a total time-out of `totalMs`; the text read, the result and how long it took.
  struct Timed {
    std::string text;
    ReadResult result;
    milliseconds elapsed;
  };
  Timed TimedRead(std::size_t limit, std::uint32_t totalMs) {
    ApplyReadTimeout(*port, {}, totalMs);
    std::string buffer(limit, '\0');
    const auto start = SteadyClock::now();
    const ReadResult result =
        port->Read({reinterpret_cast<std::uint8_t*>(buffer.data()), buffer.size()});
    const auto elapsed = std::chrono::duration_cast<milliseconds>(SteadyClock::now() - start);
    buffer.resize(result.count);
    return {buffer, result, elapsed};
  }

  PtyPair pty;
  std::unique_ptr<testsupport::Ser2netServer> server;
  std::unique_ptr<SerialPort> port;
};

class LineSemanticsTest : public SerialPortTest, public ::testing::WithParamInterface<Backend> {
 protected:
  void SetUp() override { Open(GetParam()); }
};

std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
  return info.param == Backend::Device ? "Device" : "Rfc2217";
}

struct LineCase {
  std::uint32_t baud;
  speed_t speed;
  std::uint8_t byteSize;
  tcflag_t size;
  Parity parity;
  tcflag_t parityFlags;
  StopBits stopBits;
};

class ConfigureLineTest : public SerialPortTest,
                          public ::testing::WithParamInterface<std::tuple<Backend, LineCase>> {
 protected:
  void SetUp() override { Open(std::get<0>(GetParam())); }
};

TEST_P(ConfigureLineTest, LandsInTermios) {
  const LineCase& c = std::get<1>(GetParam());
  UartSettings settings;
  settings.baudRate = c.baud;
  settings.byteSize = c.byteSize;
  settings.parity = c.parity;
  settings.stopBits = c.stopBits;
  // The bits a real device gets.
  termios asked{};
  std::string reason;
  ASSERT_TRUE(detail::ApplyLineSettings(settings, asked, reason)) << reason;
  EXPECT_EQ(asked.c_cflag & CSIZE, c.size);
  EXPECT_EQ(asked.c_cflag & (PARENB | PARODD | CMSPAR), c.parityFlags);

  ASSERT_TRUE(ConfigurePort(*port, settings)) << port->LastError().detail;
  const termios held = LineState();
  EXPECT_EQ(cfgetospeed(&held), c.speed);
  EXPECT_EQ(cfgetispeed(&held), c.speed);
  // A pseudo-terminal keeps all but the byte size and the parity enable (always 8, none).
  EXPECT_EQ(held.c_cflag & (PARODD | CMSPAR), c.parityFlags & (PARODD | CMSPAR));
  EXPECT_EQ((held.c_cflag & CSTOPB) != 0, c.stopBits == StopBits::Two);
  EXPECT_EQ(held.c_cflag & CRTSCTS, 0u);
  EXPECT_NE(held.c_cflag & (CREAD | CLOCAL), 0u);
  EXPECT_EQ(held.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP | INPCK), 0u);
  EXPECT_EQ(held.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
  EXPECT_EQ(held.c_oflag & OPOST, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ConfigureLineTest,
    ::testing::Combine(
        ::testing::Values(Backend::Device, Backend::Rfc2217),
        ::testing::Values(
            LineCase{300, B300, 8, CS8, Parity::None, 0, StopBits::One},
            LineCase{1200, B1200, 7, CS7, Parity::Odd, PARENB | PARODD, StopBits::Two},
            LineCase{2400, B2400, 5, CS5, Parity::Even, PARENB, StopBits::One},
            LineCase{4800, B4800, 6, CS6, Parity::Mark, PARENB | PARODD | CMSPAR, StopBits::One},
            LineCase{9600, B9600, 8, CS8, Parity::Space, PARENB | CMSPAR, StopBits::Two},
            LineCase{19200, B19200, 8, CS8, Parity::None, 0, StopBits::One},
            LineCase{38400, B38400, 7, CS7, Parity::Even, PARENB, StopBits::Two},
            LineCase{57600, B57600, 8, CS8, Parity::Odd, PARENB | PARODD, StopBits::One},
            LineCase{115200, B115200, 8, CS8, Parity::None, 0, StopBits::One},
            LineCase{921600, B921600, 8, CS8, Parity::None, 0, StopBits::One})),
    [](const auto& info) {
      const LineCase& c = std::get<1>(info.param);
      return std::string(std::get<0>(info.param) == Backend::Device ? "Device_" : "Rfc2217_") +
             std::to_string(c.baud) + "_" + std::to_string(c.byteSize) + "_" +
             std::to_string(static_cast<int>(c.parity)) + "_" +
             std::to_string(static_cast<int>(c.stopBits));
    });

TEST_F(SerialPortTest, RefusedSettingsLeaveTheLineAsItWas) {
  UartSettings start;
  start.baudRate = 19200;
  ASSERT_TRUE(ConfigurePort(*port, start));
  const termios before = LineState();

  const auto with = [](auto change) {
    UartSettings s;
    s.baudRate = 115200;
    change(s);
    return s;
  };
  const UartSettings refused[] = {
      with([](UartSettings& s) { s.flowControl = FlowControl::XonXoff; }),
      with([](UartSettings& s) { s.flowControl = FlowControl::Hardware; }),
      with([](UartSettings& s) { s.stopBits = StopBits::OneAndHalf; }),
      with([](UartSettings& s) { s.byteSize = 4; }),
      with([](UartSettings& s) { s.byteSize = 9; }),
      with([](UartSettings& s) { s.baudRate = 12345; }),
      with([](UartSettings& s) { s.baudRate = 0; }),
  };
  for (const UartSettings& s : refused) {
    EXPECT_FALSE(ConfigurePort(*port, s));
    EXPECT_EQ(port->LastError().kind, ErrorKind::Unsupported);
    const termios after = LineState();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
  }
}

TEST_P(LineSemanticsTest, WritesReachTheLineUnchanged) {
  ASSERT_TRUE(ConfigurePort(*port, {}));
  EXPECT_TRUE(WriteText(*port, "+++\r\nAT\n"));
  EXPECT_TRUE(WriteByte(*port, 0x00));
  EXPECT_TRUE(WriteByte(*port, 0xFF));
  EXPECT_EQ(pty.Receive(10), std::string("+++\r\nAT\n\x00\xFF", 10));
}

TEST_P(LineSemanticsTest, BytesFromTheLineArriveUnchanged) {
  ASSERT_TRUE(ConfigurePort(*port, {}));
  // 0xFF alone, doubled and before what a Telnet command byte would be.
  const std::string sent("\xFF\x00\xFF\xFF\xFA\x2C\xFF\xF0ok", 10);
  ASSERT_TRUE(pty.Send(sent));
  std::string got;
  const auto deadline = SteadyClock::now() + std::chrono::seconds(5);
  while (got.size() < sent.size() && SteadyClock::now() < deadline) {
    got += TimedRead(sent.size() - got.size(), 1000).text;
  }
  EXPECT_EQ(got, sent);
}

TEST_P(LineSemanticsTest, AWaitingBurstReturnsAtOnce) {
  ASSERT_TRUE(ConfigurePort(*port, {}));
  ASSERT_TRUE(pty.Send("ATINFO\r"));
  const Timed read = TimedRead(7, 3000);
  EXPECT_EQ(read.text, "ATINFO\r");
  EXPECT_FALSE(read.result.failed);
  EXPECT_LT(read.elapsed, milliseconds(1000));
}

TEST_P(LineSemanticsTest, AShortBurstEndsOneIntervalAfterItsLastByte) {
  ASSERT_TRUE(ConfigurePort(*port, {}));
  ASSERT_TRUE(pty.Send("OK\r\n"));
  const Timed read = TimedRead(256, 3000);
  EXPECT_EQ(read.text, "OK\r\n");
  EXPECT_GE(read.elapsed, milliseconds(kReadIntervalMs - 2));
  EXPECT_LT(read.elapsed, milliseconds(1500));
}

TEST_P(LineSemanticsTest, ABurstSplitByAGapComesBackAsTwoReads) {
  ASSERT_TRUE(ConfigurePort(*port, {}));
  std::thread sender([&] {
    pty.Send("first");
    // Well above the 20 ms interval, so a loaded machine cannot merge the two bursts.
    std::this_thread::sleep_for(milliseconds(300));
    pty.Send("second");
  });
  const Timed first = TimedRead(256, 5000);
  const Timed second = TimedRead(256, 5000);
  sender.join();
  EXPECT_EQ(first.text, "first");
  EXPECT_EQ(second.text, "second");
}

TEST_P(LineSemanticsTest, ASilentReadReturnsNothingAfterItsTotalTimeout) {
  ASSERT_TRUE(ConfigurePort(*port, {}));
  const Timed read = TimedRead(1, 100);
  EXPECT_EQ(read.result.count, 0u);
  EXPECT_FALSE(read.result.failed);
  EXPECT_GE(read.elapsed, milliseconds(98));
  EXPECT_LT(read.elapsed, milliseconds(2000));
}

TEST_P(LineSemanticsTest, AZeroTimeoutTakesOnlyWhatIsWaiting) {
  ASSERT_TRUE(ConfigurePort(*port, {}));
  EXPECT_EQ(TimedRead(4, 0).result.count, 0u);
  ASSERT_TRUE(pty.Send("ab"));
  // Let the bytes cross the pseudo-terminal before the non-waiting read.
  EXPECT_EQ(TimedRead(1, 2000).text, "a");
  EXPECT_EQ(TimedRead(4, 0).text, "b");
}

INSTANTIATE_TEST_SUITE_P(Backends, LineSemanticsTest,
                         ::testing::Values(Backend::Device, Backend::Rfc2217), BackendName);

TEST_F(SerialPortTest, APeerThatGoesAwayMakesTheReadFailPromptly) {
  ASSERT_TRUE(ConfigurePort(*port, {}));
  pty.CloseMaster();
  const Timed read = TimedRead(16, 5000);
  EXPECT_TRUE(read.result.failed);
  EXPECT_EQ(read.result.count, 0u);
  EXPECT_EQ(port->LastError().kind, ErrorKind::System);
  EXPECT_LT(read.elapsed, milliseconds(2000));
  EXPECT_FALSE(WriteText(*port, "AT\r"));
}

TEST_F(SerialPortTest, ASecondOpenIsRefusedUntilTheFirstCloses) {
  const OpenResult second = OpenPort(pty.SlavePath());
  EXPECT_FALSE(second.port);
  EXPECT_EQ(second.error.kind, ErrorKind::System);
  EXPECT_NE(second.error.detail.find("in use by another program"), std::string::npos)
      << second.error.detail;
  port.reset();
  EXPECT_TRUE(OpenPort(pty.SlavePath()).port);
}

// In a forked child: a test run as root goes on as "nobody" (no extra groups), whom file modes
// and the exclusive flag deny what they deny a user; anyone else stays who they are.
bool BecomeAnotherUser() {
  constexpr uid_t kNobody = 65534;
  return ::geteuid() != 0 ||
         (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0);
}

// Users run the program as themselves: another user must be kept out while the port is held
// and let in once it is released (the pseudo-terminal must not keep the exclusive flag).
TEST(SerialPortExclusive, AnotherUserIsRefusedWhileHeldAndAdmittedAfter) {
  PtyPair pty;
  ASSERT_TRUE(pty.Ok());
  ASSERT_EQ(::chmod(pty.SlavePath().c_str(), 0666), 0);
  int toChild[2];
  int toParent[2];
  ASSERT_EQ(::pipe(toChild), 0);
  ASSERT_EQ(::pipe(toParent), 0);
  // The child is forked before the port is opened, so it inherits no descriptor of it.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (!BecomeAnotherUser()) ::_exit(10);
    char signal = 0;
    if (::read(toChild[0], &signal, 1) != 1) ::_exit(11);
    const OpenResult whileHeld = OpenPort(pty.SlavePath());
    const bool refused = !whileHeld.port && whileHeld.error.kind == ErrorKind::System;
    if (::write(toParent[1], "r", 1) != 1 || ::read(toChild[0], &signal, 1) != 1) ::_exit(12);
    const bool admitted = OpenPort(pty.SlavePath()).port != nullptr;
    ::_exit((refused ? 0 : 1) | (admitted ? 0 : 2));
  }
  OpenResult held = OpenPort(pty.SlavePath());
  ASSERT_TRUE(held.port) << held.error.detail;
  char signal = 0;
  ASSERT_EQ(::write(toChild[1], "h", 1), 1);
  ASSERT_EQ(::read(toParent[0], &signal, 1), 1);
  held.port.reset();
  ASSERT_EQ(::write(toChild[1], "c", 1), 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  // 1: was let in while held; 2: kept out after the release; 10..12: set-up failed.
  EXPECT_EQ(WEXITSTATUS(status), 0);
  for (const int fd : {toChild[0], toChild[1], toParent[0], toParent[1]}) ::close(fd);
}

TEST(OpenPort, ExplainsWhyAPathCannotBeOpened) {
  struct Case {
    std::string path;
    ErrorKind kind;
    std::string reason;
  };
  const Case cases[] = {
      {"", ErrorKind::CallerBug, "no port given"},
      {"/dev/netloom-no-such-port", ErrorKind::System, "No such file or directory"},
      {"/dev/null", ErrorKind::Unsupported, "not a serial device"},
  };
  for (const Case& c : cases) {
    const OpenResult result = OpenPort(c.path);
    EXPECT_FALSE(result.port) << c.path;
    EXPECT_EQ(result.error.kind, c.kind) << c.path;
    EXPECT_NE(result.error.detail.find(c.reason), std::string::npos) << result.error.detail;
  }
}

// A port the user may not open says what to do about it: the packages' udev rule or the dialout
// group. The mode is real: root, whom modes do not deny, opens it as "nobody" in a child.
TEST(OpenPort, APortWithoutPermissionNamesBothRemedies) {
  PtyPair pty;
  ASSERT_TRUE(pty.Ok());
  ASSERT_EQ(::chmod(pty.SlavePath().c_str(), ::geteuid() == 0 ? 0600 : 0000), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (!BecomeAnotherUser()) ::_exit(10);
    const OpenResult opened = OpenPort(pty.SlavePath());
    const std::string& detail = opened.error.detail;
    const bool refused = !opened.port && opened.error.kind == ErrorKind::System &&
                         detail.find("Permission denied") != std::string::npos;
    const bool remedies = detail.find("udev rule") != std::string::npos &&
                          detail.find("netloom-cli package") != std::string::npos &&
                          detail.find("'dialout' group") != std::string::npos;
    ::_exit((refused ? 0 : 1) | (remedies ? 0 : 2));
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  // 1: not refused for lack of permission; 2: a remedy is missing; 10: set-up failed.
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace netloom::link
