// Every exchange against every line fault, as one table: each cell ends with its message (or
// gets through the fault with a checked result), within its bound, is never reported as a
// success it was not, and leaves the module in a state the test reads back.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/catalogue/config_items.h"
#include "core/firmware/upgrade_fixture.h"
#include "core/firmware/upgrade_texts.h"
#include "core/link/config/config_messages.h"
#include "core/link/exchange_fixture.h"
#include "core/link/identity/identity_reply.h"
#include "core/link/serial/network_port_name.h"
#include "core/link/walk/network_walk.h"
#include "support/mute_server.h"

namespace netloom::link {
namespace {

using namespace std::chrono_literals;

enum class Exchange {
  Walk,
  RemoteSetUp,
  ConfigRead,
  ConfigWrite,
  IdentityRead,
  IdentityWrite,
  Upload,
};
enum class Fault {
  NoiseBurst,
  Silence,
  BadFrameChecksum,
  BadImageChecksum,
  Nak,
  WrongLineRate,
  Unplug,
  // The module behind a real ser2net (RFC 2217): the server is stopped, or stopped and started
  // again, while the host waits inside the exchange; a server that accepts and never answers
  // (raw TCP: an RFC 2217 one is refused at the open already).
  ServerStopped,
  ServerRestarted,
  MuteServer,
};

constexpr std::string_view kGetsThrough;  // the exchange succeeds in spite of the fault
constexpr std::string_view kPortLost = "Port lost: ";  // the rest names the path and the reason
constexpr std::string_view kRemoteError = "(Remote error)Can't remote 1A01, Please try again!\r";
constexpr std::string_view kRemoteRefused = "(FAIL)Can't remote 1A01, Please try again!\r";
constexpr std::string_view kRemoteSilent = "(No answer)Can't remote 1A01, Please try again!\r";

struct Cell {
  Exchange exchange;
  Fault fault;
  std::string_view expected;  // the failure text (the port-lost text: its start)
  // A write the module took although the host, which heard nothing back, reports a failure.
  bool takenUnanswered = false;
};

// Cells a fault has no form in are left out: the walk and the reads acknowledge nothing (no
// NAK); the walk's replies carry no checksum; the writes and the upload send the frames whose
// checksums the module checks, so their bad frame is the module's ESC or NAK; the bad image is
// the read's image checksum and the upload's failed verification; the remote set-up is one
// question and its answer (its noise is an answer with none of the expected words, its NAK the
// coordinator's "FAIL"; a wrong line rate already fails the walk it needs first).
const Cell kTable[] = {
    {Exchange::Walk, Fault::NoiseBurst, kGetsThrough},
    {Exchange::Walk, Fault::Silence, kNoAnswerFromCoordinator},
    {Exchange::Walk, Fault::WrongLineRate, kNoAnswerFromCoordinator},
    {Exchange::Walk, Fault::Unplug, kPortLost},

    {Exchange::RemoteSetUp, Fault::NoiseBurst, kRemoteError},
    {Exchange::RemoteSetUp, Fault::Silence, kRemoteSilent},
    {Exchange::RemoteSetUp, Fault::Nak, kRemoteRefused},  // the local module must not answer
    {Exchange::RemoteSetUp, Fault::Unplug, kRemoteSilent},

    {Exchange::ConfigRead, Fault::NoiseBurst, kConfigFormatError},
    {Exchange::ConfigRead, Fault::Silence, kConfigReadTimeout},
    {Exchange::ConfigRead, Fault::BadFrameChecksum, kFrameChecksumError},
    {Exchange::ConfigRead, Fault::BadImageChecksum, kImageChecksumError},
    {Exchange::ConfigRead, Fault::WrongLineRate, kConfigReadTimeout},
    {Exchange::ConfigRead, Fault::Unplug, kConfigReadTimeout},

    {Exchange::ConfigWrite, Fault::NoiseBurst, kConfigFormatError},
    {Exchange::ConfigWrite, Fault::Silence, kConfigHeaderTimeout},
    {Exchange::ConfigWrite, Fault::BadFrameChecksum, kSendChecksumError},
    {Exchange::ConfigWrite, Fault::Nak, kEndChecksumError},
    {Exchange::ConfigWrite, Fault::WrongLineRate, kConfigHeaderTimeout},
    {Exchange::ConfigWrite, Fault::Unplug, kFrameAckTimeout},

    {Exchange::IdentityRead, Fault::NoiseBurst, kIdentityFormatError},
    {Exchange::IdentityRead, Fault::Silence, kIdentityTimeout},
    {Exchange::IdentityRead, Fault::BadFrameChecksum, kIdentityChecksumError},
    {Exchange::IdentityRead, Fault::WrongLineRate, kIdentityTimeout},
    {Exchange::IdentityRead, Fault::Unplug, kIdentityTimeout},

    {Exchange::IdentityWrite, Fault::NoiseBurst, kGetsThrough},
    // A module that takes the request but whose answers never arrive has the new identity;
    // the host cannot know, so it names the time-out and claims nothing.
    {Exchange::IdentityWrite, Fault::Silence, kIdentityTimeout, true},
    {Exchange::IdentityWrite, Fault::Nak,
     "Version error. Please check device's version is [0002]."},
    {Exchange::IdentityWrite, Fault::WrongLineRate, kIdentityTimeout},
    {Exchange::IdentityWrite, Fault::Unplug, kIdentityTimeout},

    {Exchange::Upload, Fault::NoiseBurst, firmware::kNoTargetMessage},
    {Exchange::Upload, Fault::Silence, firmware::kNoTargetMessage},
    {Exchange::Upload, Fault::BadImageChecksum, firmware::kVerifyFailLog},
    {Exchange::Upload, Fault::Nak, firmware::kChecksumErrorMessage},
    {Exchange::Upload, Fault::WrongLineRate, firmware::kNoTargetMessage},
    {Exchange::Upload, Fault::Unplug, firmware::kNoResponseMessage},

    // A connection lost in the middle ends each exchange exactly as a pulled adapter does (the
    // remote set-up's pull lands before the coordinator's answer, a pulled adapter's after it).
    {Exchange::Walk, Fault::ServerStopped, kPortLost},
    {Exchange::RemoteSetUp, Fault::ServerStopped, kRemoteSilent},
    {Exchange::ConfigRead, Fault::ServerStopped, kConfigReadTimeout},
    {Exchange::ConfigWrite, Fault::ServerStopped, kFrameAckTimeout},
    {Exchange::IdentityRead, Fault::ServerStopped, kIdentityTimeout},
    {Exchange::IdentityWrite, Fault::ServerStopped, kIdentityTimeout},
    // (The upload's cells are left out: its Cancel must return a module left in the middle of
    // a record, which a re-plug resets but a server restart does not.)
    {Exchange::Walk, Fault::ServerRestarted, kPortLost},
    {Exchange::RemoteSetUp, Fault::ServerRestarted, kRemoteSilent},
    {Exchange::ConfigRead, Fault::ServerRestarted, kConfigReadTimeout},
    {Exchange::ConfigWrite, Fault::ServerRestarted, kFrameAckTimeout},
    {Exchange::IdentityRead, Fault::ServerRestarted, kIdentityTimeout},
    {Exchange::IdentityWrite, Fault::ServerRestarted, kIdentityTimeout},
    // A mute server is a silent module that never got the request (the upload refuses a raw TCP
    // port before it starts).
    {Exchange::Walk, Fault::MuteServer, kNoAnswerFromCoordinator},
    {Exchange::RemoteSetUp, Fault::MuteServer, kRemoteSilent},
    {Exchange::ConfigRead, Fault::MuteServer, kConfigReadTimeout},
    {Exchange::ConfigWrite, Fault::MuteServer, kConfigHeaderTimeout},
    {Exchange::IdentityRead, Fault::MuteServer, kIdentityTimeout},
    {Exchange::IdentityWrite, Fault::MuteServer, kIdentityTimeout},
};

// Far beyond each exchange's own time-outs (a silent module ends them in about 2.5 s; the
// upload's verification alone reads for 100 × 200 ms), near enough that a wait that never ends
// shows.
constexpr auto kBound = 20s;
constexpr auto kUploadBound = 60s;
// Bytes of line noise before everything the module sends.
constexpr std::size_t kNoiseBurst = 32;
constexpr std::uint32_t kWrongRate = 19200;  // the module runs at 9600
constexpr std::size_t kWalkedNodes = 10;     // the demo network to depth 4

const ModuleIdentity kCoordinator{2, 0x0F, 0x1234, 0, 0, "Coordinator"};
const ModuleIdentity kRequested{2, 0x0B, 0x1234, 0, 0, "Device001"};
// Four data records and the end, as a firmware file holds them.
constexpr std::string_view kHexFile =
    ":10010000214601360121470136007EFE09D2190140\n"
    ":100110002146017E17C20001FF5F16002148011928\n"
    ":10012000194E79234623965778239EDA3F01B2CAA7\n"
    ":100130003F0156702B5E712B722B732146013421C7\n"
    ":00000001FF\n";
constexpr std::string_view kOldPanId = "1234";
constexpr std::string_view kNewPanId = "4321";

const char* Name(Exchange e) {
  constexpr const char* kNames[] = {"Walk",         "RemoteSetUp",   "ConfigRead", "ConfigWrite",
                                    "IdentityRead", "IdentityWrite", "Upload"};
  return kNames[static_cast<int>(e)];
}

const char* Name(Fault f) {
  constexpr const char* kNames[] = {
      "NoiseBurst",    "Silence", "BadFrameChecksum", "BadImageChecksum", "Nak",
      "WrongLineRate", "Unplug",  "ServerStopped",    "ServerRestarted",  "MuteServer"};
  return kNames[static_cast<int>(f)];
}

// The text of the first port-lost report among the listener's calls; empty when none came.
std::string PortLostText(const std::vector<std::string>& calls) {
  constexpr std::string_view kCall = "PortLost:";
  for (const auto& call : calls) {
    if (call.starts_with(kCall)) return call.substr(kCall.size());
  }
  return {};
}

int Item(std::string_view name) {
  return *catalogue::ItemByName(name);
}

struct Outcome {
  bool succeeded = false;
  std::string message;  // the failure, the message shown, or the port-lost text
};

class FaultMatrixTest : public testsupport::ExchangeTest,
                        public ::testing::WithParamInterface<Cell> {
 protected:
  void TearDown() override {
    JoinUnplug();
    ExchangeTest::TearDown();
  }

  void Inject(Exchange exchange, Fault fault) {
    auto& line = sim_.Faults();
    auto& exchanges = Faults();
    auto& bootLoader = line.BootLoader();
    const bool remote = exchange == Exchange::RemoteSetUp;
    switch (fault) {
      case Fault::NoiseBurst:
        if (remote) {
          line.SetConsoleAnswer(sim::ConsoleAnswer::Garbage);
        } else {
          line.SetNoise(kNoiseBurst);
        }
        return;
      case Fault::Silence:
        line.SetSilent(true);
        return;
      case Fault::BadFrameChecksum:
        if (exchange == Exchange::ConfigRead) exchanges.SetBadFrameChecksumAt(2);
        if (exchange == Exchange::ConfigWrite) exchanges.SetEscAtFrame(2);
        if (exchange == Exchange::IdentityRead) exchanges.SetIdentityReply(BadChecksumReply());
        return;
      case Fault::BadImageChecksum:
        exchanges.SetBadImageChecksum(true);
        bootLoader.SetFailVerify(true);
        return;
      case Fault::Nak:
        if (remote) line.SetConsoleAnswer(sim::ConsoleAnswer::Fail);
        if (exchange == Exchange::ConfigWrite) exchanges.SetNakAtEnd(true);
        if (exchange == Exchange::IdentityWrite) {
          exchanges.SetIdentityWriteAnswer(sim::IdentityWriteAnswer::Eot);
        }
        bootLoader.SetNakAtLine(2);
        return;
      case Fault::WrongLineRate:
        hostRate_ = kWrongRate;
        if (exchange != Exchange::Upload) Connect(HostSettings());
        return;
      case Fault::Unplug:
        PullMidWay(exchange, [this] {
          sim_.Faults().SetSilent(true);
          unplugged_ = sim_.Module().Unplug();
        });
        return;
      case Fault::ServerStopped:
      case Fault::ServerRestarted: {
        UseSer2net(testsupport::Ser2netMode::Rfc2217);
        // The coordinator's answer would race the server's end through its buffers: the pull
        // lands while the host waits for it.
        if (exchange == Exchange::RemoteSetUp) line.SetConsoleAnswer(sim::ConsoleAnswer::Silence);
        const bool restart = fault == Fault::ServerRestarted;
        PullMidWay(exchange, [this, restart] {
          server_->Stop();
          if (restart) server_->Start();
        });
        return;
      }
      case Fault::MuteServer:
        mute_.emplace();
        worker_->Stop();
        worker_ = link::Connect(mute_->Name(kRawTcpScheme), settings_, listener_, session_, values_,
                                clock_)
                      .worker;
        ASSERT_TRUE(worker_);
        return;
    }
  }

  // The module stops answering at a point inside the exchange and the link is pulled (`pull`)
  // while the host waits there, so the pull always lands in the middle, never after the end.
  void PullMidWay(Exchange exchange, std::function<void()> pull) {
    sim_.Faults().SetRecording(true);
    std::function<bool()> reached;
    const auto received = [this](std::string text) {
      return [this, text] { return Received().find(text) != std::string::npos; };
    };
    switch (exchange) {
      case Exchange::Walk:
        reached = received("ATNAMEREQ");
        break;
      case Exchange::RemoteSetUp:
        // Unanswered, or the coordinator's "OK" could beat the pull and the read fail instead.
        sim_.Faults().SetConsoleAnswer(sim::ConsoleAnswer::Silence);
        reached = received("ATCONSOLE");
        break;
      case Exchange::ConfigRead:
      case Exchange::ConfigWrite:
        Faults().SetSilentFromFrame(3);
        reached = [this] { return Faults().FramesDone() >= 2; };
        break;
      case Exchange::IdentityRead:
        Faults().SetIdentityReply("");
        reached = received("ATINFOI\r");
        break;
      case Exchange::IdentityWrite:
        Faults().SetIdentityWriteAnswer(sim::IdentityWriteAnswer::Silence);
        reached = received("ATINFOI 0002");
        break;
      case Exchange::Upload:
        sim_.Faults().BootLoader().SetSilentFromLine(3);
        reached = [this] { return sim_.Faults().BootLoader().LinesAccepted() >= 2; };
        break;
    }
    unplugger_ = std::thread([reached, pull] {
      const auto deadline = std::chrono::steady_clock::now() + kBound;
      while (!reached() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(1ms);
      }
      pull();
    });
  }

  void JoinUnplug() {
    if (unplugger_.joinable()) unplugger_.join();
  }

  Outcome RunExchange(Exchange exchange) {
    switch (exchange) {
      case Exchange::Walk: {
        const CommandReport report =
            Run(WorkerCommand::QueryNetwork, [](CThread& worker) { StartRefresh(worker); });
        StopRefresh(*worker_);
        const auto snapshots = listener_.Snapshots();
        return {!snapshots.empty() && snapshots.back().nodeTable.size() == kWalkedNodes,
                MessageOf(report.failure)};
      }
      case Exchange::RemoteSetUp:
      case Exchange::ConfigRead: {
        const CommandReport report =
            Run(WorkerCommand::ReadConfig, [](CThread& worker) { RequestConfigRead(worker); });
        return {report.delivered, MessageOf(report.failure)};
      }
      case Exchange::ConfigWrite: {
        Values().Set(Item("PanID"), std::string(kNewPanId));
        const CommandReport report =
            Run(WorkerCommand::WriteConfig, [](CThread& worker) { RequestConfigWrite(worker); });
        return {report.delivered, MessageOf(report.failure)};
      }
      case Exchange::IdentityRead:
      case Exchange::IdentityWrite: {
        const bool write = exchange == Exchange::IdentityWrite;
        Run(write ? WorkerCommand::WriteIdentity : WorkerCommand::ReadIdentity,
            [write](CThread& worker) {
              write ? RequestIdentityWrite(worker, kNoAddress, kRequested)
                    : RequestIdentityRead(worker, kNoAddress);
            });
        const IdentityExchangeState identity = Identity();
        return {identity.status == 1, identity.message};
      }
      case Exchange::Upload:
        return Upload();
    }
    return {};
  }

  // "Upgrade Mode", then "Upgrade"; a failed upload is cancelled, which returns the module to
  // AT command mode, as the user would.
  Outcome Upload() {
    worker_->Stop();  // the upload opens the port for itself
    worker_.reset();
    UartSettings settings = HostSettings();
    settings.readTimeoutMs = testsupport::kTestReadTimeoutMs;
    testsupport::RecordingObserver observer;
    firmware::UpgradeProcedure procedure(PortPath(), settings, observer, clock_);
    const auto settle = [&] { EXPECT_TRUE(procedure.WaitUntilSettled(kUploadBound)); };
    procedure.StartUpgradeMode();
    settle();
    const std::string hex = folder_.Write("image.hex", kHexFile);
    if (procedure.StartUpgrade(hex)) settle();
    const bool finished = procedure.LastResult() == firmware::UpgradeResult::Finished;
    // A failed verification is told in the log only.
    std::string message = observer.LastMessage().text;
    if (message.empty() && observer.Log().ends_with(firmware::kVerifyFailLog)) {
      message = firmware::kVerifyFailLog;
    }
    JoinUnplug();  // a restarted server listens again before Cancel connects
    if (!finished && procedure.Cancel() == firmware::CancelResult::Returning) settle();
    return {finished, message};
  }

  // The report's failure, else the last message box.
  std::string MessageOf(const std::string& failure) const {
    if (!failure.empty()) return failure;
    const auto messages = listener_.Messages();
    return messages.empty() ? std::string() : messages.back();
  }

  // What the module holds now, read back with every fault off (re-plugged and reconnected when
  // it was pulled).
  void ReadBackAfter(Exchange exchange, bool succeeded, bool changed) {
    JoinUnplug();
    sim_.Faults().SetSilent(false);
    sim_.Faults().SetNoise(0);
    sim_.Faults().SetConsoleAnswer(sim::ConsoleAnswer::Normal);
    Faults().ClearSwitches();
    if (unplugged_) {
      ASSERT_TRUE(sim_.Module().Replug());
    }
    if (exchange == Exchange::Upload) {
      // Back in AT command mode, whatever happened; the module's image was verified only when
      // the upload says so.
      EXPECT_TRUE(testsupport::AnswersAtCommands(sim_));
      if (succeeded) {
        EXPECT_EQ(sim_.Faults().BootLoader().Verifications(), 1u);
      }
      return;
    }
    if (server_ && !server_->Running()) {
      ASSERT_TRUE(server_->Start());
    }
    if (unplugged_ || server_ || mute_) Connect();
    if (hostRate_ != UartSettings{}.baudRate) {
      // A CR ends the line the garbled bytes left open in the module, as the user's Enter in a
      // terminal would; its echo is taken before the host connects again at the right rate.
      worker_->Stop();
      worker_.reset();
      testsupport::TtyClient terminal(sim_.LinkPath());
      ASSERT_TRUE(terminal.Write("\r"));
      terminal.ReadUntil("\r\n", kBound);
      Connect();
    }
    Target("NULL");
    if (exchange == Exchange::ConfigWrite) {
      EXPECT_EQ(Faults().ImagesStored(), imagesBefore_ + (changed ? 1 : 0));
      Values().LoadDefaults();
      ASSERT_TRUE(Run(WorkerCommand::ReadConfig, [](CThread& worker) {
                    RequestConfigRead(worker);
                  }).delivered);
      EXPECT_EQ(Values().Get(Item("PanID")), changed ? kNewPanId : kOldPanId);
    }
    if (exchange == Exchange::IdentityWrite) {
      // Only an accepted request is followed by the reset.
      EXPECT_EQ(Faults().Resets(), resetsBefore_ + (succeeded ? 1 : 0));
      Run(WorkerCommand::ReadIdentity,
          [](CThread& worker) { RequestIdentityRead(worker, kNoAddress); });
      EXPECT_EQ(Identity().current, changed ? kRequested : kCoordinator);
    }
  }

  static std::string BadChecksumReply() {
    std::string reply = FormatIdentityReply(kCoordinator);
    char& digit = reply[reply.size() - 2];  // the last checksum digit, before ">"
    digit = digit == '0' ? '1' : '0';
    return reply;
  }

  IdentityExchangeState Identity() const {
    return session_.Read([](const LinkState& state) { return state.identity; });
  }
  bool Refused() const {
    return session_.Read([](const LinkState& state) { return state.targeting.refused(); });
  }

  testsupport::TempFolder folder_;
  // The line settings the host opens with: the module's 9600, or another rate for the fault.
  UartSettings HostSettings() const {
    UartSettings settings;
    settings.baudRate = hostRate_;
    return settings;
  }

  std::uint32_t hostRate_ = UartSettings{}.baudRate;
  UartSettings settings_;
  std::optional<testsupport::MuteServer> mute_;
  std::thread unplugger_;
  std::atomic<bool> unplugged_{false};
  std::size_t imagesBefore_ = 0;
  std::size_t resetsBefore_ = 0;
};

TEST_P(FaultMatrixTest, EndsAsTheTableSays) {
  const Cell cell = GetParam();
  if (cell.exchange == Exchange::RemoteSetUp) {
    Walk();
    Target("1A01");
  }
  imagesBefore_ = Faults().ImagesStored();
  resetsBefore_ = Faults().Resets();
  const std::string nameBefore = "Unread";
  Values().Set(Item("Device Name"), nameBefore);

  Inject(cell.exchange, cell.fault);
  const auto start = std::chrono::steady_clock::now();
  Outcome outcome = RunExchange(cell.exchange);
  EXPECT_LT(std::chrono::steady_clock::now() - start,
            cell.exchange == Exchange::Upload ? kUploadBound : kBound);
  const bool pulled = cell.fault == Fault::Unplug || cell.fault == Fault::ServerStopped ||
                      cell.fault == Fault::ServerRestarted;
  if (pulled && cell.exchange != Exchange::Upload) {
    // Whatever the exchange said, the user also learns that the adapter went.
    EXPECT_TRUE(
        listener_.WaitFor([](const auto& calls) { return !PortLostText(calls).empty(); }, kBound));
    if (outcome.message.empty()) outcome.message = PortLostText(listener_.Calls());
  }

  if (cell.expected.empty()) {
    EXPECT_TRUE(outcome.succeeded) << outcome.message;
  } else {
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_TRUE(outcome.message.starts_with(cell.expected)) << outcome.message;
    EXPECT_EQ(outcome.message.size() == cell.expected.size(), cell.expected != kPortLost)
        << outcome.message;
  }
  const bool read = cell.exchange == Exchange::ConfigRead || cell.exchange == Exchange::RemoteSetUp;
  if (read) {
    // A read that failed took nothing; one that got through took the whole image of the node
    // asked for.
    if (cell.exchange == Exchange::RemoteSetUp) {
      EXPECT_EQ(Refused(), cell.fault == Fault::Nak);
    }
    const std::string answered = cell.exchange == Exchange::ConfigRead ? "Coordinator" : "CCU-Hall";
    EXPECT_EQ(Values().Get(Item("Device Name")), outcome.succeeded ? answered : nameBefore);
  }
  ReadBackAfter(cell.exchange, outcome.succeeded, outcome.succeeded || cell.takenUnanswered);
}

std::string CellName(const ::testing::TestParamInfo<Cell>& info) {
  return std::string(Name(info.param.exchange)) + "_" + Name(info.param.fault);
}

// Test listings name the cell, not its bytes.
void PrintTo(const Cell& cell, std::ostream* out) {
  *out << Name(cell.exchange) << " with " << Name(cell.fault);
}

INSTANTIATE_TEST_SUITE_P(Cells, FaultMatrixTest, ::testing::ValuesIn(kTable), CellName);

}  // namespace
}  // namespace netloom::link
