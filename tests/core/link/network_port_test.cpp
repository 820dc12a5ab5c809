// Network serial ports: their names, the Telnet and RFC 2217 encodings, and the port against a
// real ser2net (refusals, a raw TCP stream, a server that goes or never answers). The line
// semantics they share with devices are tested in serial_port_test.cpp on both.
#include <termios.h>
#include <unistd.h>

#include <chrono>

#include <gtest/gtest.h>

#include "core/link/serial/com_port_option.h"
#include "core/link/serial/link_health.h"
#include "core/link/serial/network_port_name.h"
#include "core/link/serial/network_serial_port.h"
#include "core/link/serial/serial_port.h"
#include "core/link/serial/telnet_codec.h"
#include "pty_pair.h"
#include "support/mute_server.h"
#include "support/ser2net_server.h"

namespace netloom::link {
namespace {

using std::chrono::milliseconds;
using SteadyClock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;
using testsupport::Ser2netMode;
using testsupport::Ser2netServer;

struct PortNameCase {
  std::string_view name;
  bool parsed;
  NetworkProtocol protocol;
  std::string_view host;
  std::uint16_t port;
};

TEST(NetworkPortName, ParsesHostAndPortOrSaysWhatIsWrong) {
  const PortNameCase cases[] = {
      {"rfc2217://gateway.local:2001", true, NetworkProtocol::Rfc2217, "gateway.local", 2001},
      {"tcp://10.0.0.7:4001", true, NetworkProtocol::RawTcp, "10.0.0.7", 4001},
      {"RFC2217://[fe80::1]:65535/", true, NetworkProtocol::Rfc2217, "fe80::1", 65535},
      {"rfc2217://gateway", false, {}, {}, 0},
      {"rfc2217://:2001", false, {}, {}, 0},
      {"tcp://host:0", false, {}, {}, 0},
      {"tcp://host:65536", false, {}, {}, 0},
      {"tcp://host:20x1", false, {}, {}, 0},
      {"tcp://fe80::1:2001", false, {}, {}, 0},
      {"/dev/ttyUSB0", false, {}, {}, 0},
  };
  for (const PortNameCase& c : cases) {
    std::string error;
    const auto name = ParseNetworkPortName(c.name, error);
    ASSERT_EQ(name.has_value(), c.parsed) << c.name << ": " << error;
    EXPECT_EQ(IsNetworkPortName(c.name), c.name != "/dev/ttyUSB0") << c.name;
    if (!c.parsed) {
      EXPECT_FALSE(error.empty()) << c.name;
      continue;
    }
    EXPECT_EQ(name->protocol, c.protocol) << c.name;
    EXPECT_EQ(name->host, c.host) << c.name;
    EXPECT_EQ(name->port, c.port) << c.name;
  }
  EXPECT_TRUE(CanChangeLineSettings("/dev/ttyUSB0"));
  EXPECT_TRUE(CanChangeLineSettings("rfc2217://h:1"));
  EXPECT_FALSE(CanChangeLineSettings("tcp://h:1"));
  EXPECT_EQ(NetworkPortDescription("tcp://h:1"), "network port (raw TCP)");
  EXPECT_EQ(NetworkPortDescription("ttyUSB0"), "");
}

TEST(TelnetCodec, DataComesApartFromCommandsWhereverTheReadsSplitThem) {
  using namespace telnet;
  const Bytes stream = {'a',           kIac, kIac, 'b',  kIac,           kWill, kBinary, kIac,
                        241 /* NOP */, 'c',  kIac, kSb,  kComPortOption, 101,   0,       0,
                        0x25,          0x80, kIac, kIac, kIac,           kSe,   0xFF - 1};
  // Every split point gives the same data and events as the whole.
  for (std::size_t split = 0; split <= stream.size(); ++split) {
    Decoder decoder;
    Bytes data;
    std::vector<Event> events;
    decoder.Feed(std::span(stream).first(split), data, events);
    decoder.Feed(std::span(stream).subspan(split), data, events);
    EXPECT_EQ(data, (Bytes{'a', 0xFF, 'b', 'c', 0xFE})) << "split at " << split;
    ASSERT_EQ(events.size(), 2u) << "split at " << split;
    EXPECT_EQ(events[0].verb, kWill);
    EXPECT_EQ(events[0].option, kBinary);
    EXPECT_EQ(events[1].verb, kSb);
    EXPECT_EQ(events[1].option, kComPortOption);
    EXPECT_EQ(events[1].payload, (Bytes{101, 0, 0, 0x25, 0x80, 0xFF}));
  }
  Bytes out;
  AppendEscaped(Bytes{1, 0xFF, 2}, out);
  AppendSubnegotiation(kComPortOption, Bytes{1, 0, 0, 0xFF, 0xFF}, out);
  EXPECT_EQ(out,
            (Bytes{1, 0xFF, 0xFF, 2, kIac, kSb, 44, 1, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, kIac, kSe}));
}

TEST(ComPortOption, RequestsCarryTheSettingsAndAnswersAreTakenBack) {
  UartSettings settings;
  settings.baudRate = 115200;
  settings.byteSize = 7;
  settings.parity = Parity::Space;
  settings.stopBits = StopBits::Two;
  const rfc2217::LineValues values = rfc2217::ValuesOf(settings);
  EXPECT_EQ(values, (rfc2217::LineValues{115200, 7, 5, 2, 1}));
  const auto requests = rfc2217::LineRequests(values);
  ASSERT_EQ(requests.size(), 5u);
  EXPECT_EQ(requests[0].value, (Bytes{0, 1, 0xC2, 0}));
  rfc2217::LineValues held;
  for (const auto& request : requests) {
    Bytes answer{static_cast<std::uint8_t>(request.command + rfc2217::kServerOffset)};
    answer.insert(answer.end(), request.value.begin(), request.value.end());
    EXPECT_EQ(rfc2217::TakeLineAnswer(answer, held), request.command);
  }
  EXPECT_EQ(held, values);
  // A DTR answer shares SET-CONTROL's command but is no flow-control setting.
  EXPECT_FALSE(rfc2217::TakeLineAnswer(Bytes{105, rfc2217::kDtrOn}, held));
  EXPECT_FALSE(rfc2217::TakeLineAnswer(Bytes{101, 0, 1}, held));
}

// A port opened through ser2net in front of a pseudo-terminal the test holds.
class NetworkPortTest : public ::testing::Test {
 protected:
  std::unique_ptr<SerialPort> OpenThrough(Ser2netMode mode) {
    server_ = std::make_unique<Ser2netServer>(pty_.SlavePath(), mode);
    OpenResult opened = OpenPort(server_->PortName());
    EXPECT_TRUE(opened.port) << opened.error.detail;
    return std::move(opened.port);
  }
  speed_t LineSpeed() const {
    termios state{};
    EXPECT_EQ(::tcgetattr(pty_.Master(), &state), 0);
    return cfgetospeed(&state);
  }
  static std::string ReadText(SerialPort& port, std::size_t count, std::uint32_t totalMs) {
    port.SetReadTimeout(totalMs);
    std::string text(count, '\0');
    text.resize(port.Read({reinterpret_cast<std::uint8_t*>(text.data()), count}).count);
    return text;
  }

  testsupport::PtyPair pty_;
  std::unique_ptr<Ser2netServer> server_;
};

TEST(LinkHealth, TheStatusTextShowsWhatTheLinkHasReported) {
  struct Case {
    std::int64_t roundTripMicros;
    int modemState;
    std::string_view text;
  };
  const Case cases[] = {
      {LinkHealth::kUnknown, -1, ""},
      {1260, -1, "RTT 1.3 ms"},
      {LinkHealth::kUnknown, rfc2217::kDataSetReady | rfc2217::kClearToSend, "modem state DSR CTS"},
      {300, rfc2217::kCarrierDetect | rfc2217::kRingIndicator, "RTT 0.3 ms  modem state CD RI"},
      {300, 0, "RTT 0.3 ms  modem state"},
  };
  for (const Case& c : cases) {
    LinkHealth health;
    health.roundTripMicros = c.roundTripMicros;
    health.modemState = c.modemState;
    EXPECT_EQ(LinkHealthText(health), c.text) << c.roundTripMicros << " " << c.modemState;
  }
}

TEST_F(NetworkPortTest, ASettingTheServerDoesNotTakeIsRefusedAndTheOldOnesStay) {
  auto port = OpenThrough(Ser2netMode::Rfc2217);
  ASSERT_TRUE(port);
  UartSettings settings;
  settings.baudRate = 19200;
  ASSERT_TRUE(ConfigurePort(*port, settings)) << port->LastError().detail;
  EXPECT_EQ(LineSpeed(), B19200);
  ASSERT_TRUE(port->Health());
  EXPECT_GE(port->Health()->roundTripMicros.load(), 0);

  UartSettings refused = settings;
  refused.baudRate = 115200;
  refused.stopBits = StopBits::OneAndHalf;  // no POSIX device has it: ser2net does not answer
  EXPECT_FALSE(ConfigurePort(*port, refused));
  EXPECT_EQ(port->LastError().kind, ErrorKind::Unsupported);
  EXPECT_NE(port->LastError().detail.find("stop bits"), std::string::npos)
      << port->LastError().detail;
  EXPECT_EQ(LineSpeed(), B19200);
  refused.stopBits = StopBits::One;
  refused.flowControl = FlowControl::Hardware;  // refused as a device refuses it
  EXPECT_FALSE(ConfigurePort(*port, refused));
  EXPECT_EQ(port->LastError().kind, ErrorKind::Unsupported);
  EXPECT_EQ(LineSpeed(), B19200);
  // The port goes on working.
  ASSERT_TRUE(pty_.Send("OK\r"));
  EXPECT_EQ(ReadText(*port, 3, 5000), "OK\r");
}

TEST_F(NetworkPortTest, ARawStreamHasNoLineSettingsAndPassesEveryByte) {
  auto port = OpenThrough(Ser2netMode::Raw);
  ASSERT_TRUE(port);
  EXPECT_FALSE(ConfigurePort(*port, {}));
  EXPECT_EQ(port->LastError().kind, ErrorKind::Unsupported);
  EXPECT_NE(port->LastError().detail.find("raw TCP"), std::string::npos);
  const std::string bytes("\xFF\xFB\x01\xFF\xFF\x00z", 7);
  ASSERT_TRUE(WriteText(*port, bytes));
  EXPECT_EQ(pty_.Receive(bytes.size()), bytes);
  ASSERT_TRUE(pty_.Send(bytes));
  EXPECT_EQ(ReadText(*port, bytes.size(), 5000), bytes);
}

TEST_F(NetworkPortTest, AServerThatGoesFailsTheReadsAndWritesAsAPulledAdapterDoes) {
  for (const Ser2netMode mode : {Ser2netMode::Rfc2217, Ser2netMode::Raw}) {
    auto port = OpenThrough(mode);
    ASSERT_TRUE(port);
    server_->Stop();
    port->SetReadTimeout(5000);
    std::uint8_t byte = 0;
    const auto start = SteadyClock::now();
    EXPECT_TRUE(port->Read({&byte, 1}).failed);
    EXPECT_LT(SteadyClock::now() - start, milliseconds(2000));
    EXPECT_EQ(port->LastError().kind, ErrorKind::System);
    EXPECT_FALSE(WriteText(*port, "AT\r"));
    EXPECT_TRUE(port->Read({&byte, 1}).failed) << "every read fails from then on";
  }
}

TEST(NetworkPort, AServerThatNeverAnswersIsRefusedAtTheOpenOrReadsAsSilence) {
  testsupport::MuteServer mute;
  const auto start = SteadyClock::now();
  OpenResult opened = OpenPort(mute.Name(kRfc2217Scheme));
  EXPECT_FALSE(opened.port);
  EXPECT_EQ(opened.error.kind, ErrorKind::Protocol);
  EXPECT_NE(opened.error.detail.find("did not answer"), std::string::npos) << opened.error.detail;
  EXPECT_LT(SteadyClock::now() - start, milliseconds(kServerAnswerTimeoutMs + 2000));

  opened = OpenPort(mute.Name(kRawTcpScheme));
  ASSERT_TRUE(opened.port) << opened.error.detail;
  opened.port->SetReadTimeout(100);
  std::uint8_t byte = 0;
  const ReadResult read = opened.port->Read({&byte, 1});
  EXPECT_EQ(read.count, 0u);
  EXPECT_FALSE(read.failed);
}

TEST(NetworkPort, NamesThatCannotBeReachedSayWhy) {
  const std::uint16_t closed = testsupport::FreeLoopbackPort();
  OpenResult opened = OpenPort("rfc2217://127.0.0.1:" + std::to_string(closed));
  EXPECT_FALSE(opened.port);
  EXPECT_EQ(opened.error.kind, ErrorKind::System);
  EXPECT_NE(opened.error.detail.find("refused"), std::string::npos) << opened.error.detail;
  opened = OpenPort("tcp://no-such-host.invalid:2001");
  EXPECT_FALSE(opened.port);
  EXPECT_EQ(opened.error.kind, ErrorKind::System);
  opened = OpenPort("rfc2217://gateway");
  EXPECT_FALSE(opened.port);
  EXPECT_EQ(opened.error.kind, ErrorKind::CallerBug);
}

}  // namespace
}  // namespace netloom::link
