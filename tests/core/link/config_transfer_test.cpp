// Configuration read and write through the link worker against the virtual module.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/catalogue/config_items.h"
#include "core/link/config/config_frames.h"
#include "core/link/config/config_image.h"
#include "core/link/config/config_messages.h"
#include "exchange_fixture.h"
#include "support/wait_for.h"

namespace netloom::link {
namespace {

using testsupport::ExchangeTest;
using Switches = sim::ExchangeFaults;

const std::string kStxText(1, static_cast<char>(kStx));
const std::string kEotText(1, static_cast<char>(kEot));
const std::string kAckText(1, static_cast<char>(kAck));

int Item(std::string_view name) {
  return *catalogue::ItemByName(name);
}

std::string FramesOf(const ConfigImage& image) {
  std::string bytes;
  for (std::size_t offset = 0; offset < image.size(); offset += kMaxFramePayload) {
    bytes += EncodeFrame(std::span(image).subspan(offset, kMaxFramePayload));
  }
  return bytes;
}

// The defaults' image with `version` and `channel` bytes put in and sealed again.
ConfigImage ImageWith(std::uint8_t version, std::uint8_t channel) {
  catalogue::ConfigValueTable table;
  table.LoadDefaults();
  ConfigImage image = EncodeImage(table).image;
  image[0] = version;
  image[kImageChannelOffset] = channel;
  SealImage(image);
  return image;
}

class ConfigTransferTest : public ExchangeTest {
 protected:
  CommandReport Read() {
    return Run(WorkerCommand::ReadConfig, [](CThread& worker) { RequestConfigRead(worker); });
  }
  CommandReport Write() {
    return Run(WorkerCommand::WriteConfig, [](CThread& worker) { RequestConfigWrite(worker); });
  }
  ConfigImage TransferredImage() const {
    return session_.Read([](const LinkState& state) { return state.config.image; });
  }
  bool Busy() const {
    return session_.Read([](const LinkState& state) { return state.config.busy; });
  }
  // What every fault case expects: a case without a message goes through; one with a message
  // fails with it, shows it and leaves busy cleared. True for the latter, whose own checks
  // follow.
  bool FailedWith(const CommandReport& report, const std::string& message) {
    if (message.empty()) {
      EXPECT_TRUE(report.delivered) << report.failure;
      return false;
    }
    EXPECT_FALSE(report.delivered);
    EXPECT_EQ(report.failure, message);
    EXPECT_EQ(listener_.Messages().back(), message);
    EXPECT_FALSE(Busy());
    return true;
  }
  bool ValuesChanged() const {
    const auto calls = listener_.Calls();
    return std::count(calls.begin(), calls.end(), "ConfigValuesChanged") > 0;
  }
};

TEST_F(ConfigTransferTest, LocalReadTakesTheModulesImage) {
  sim_.Faults().SetRecording(true);
  const CommandReport report = Read();
  EXPECT_TRUE(report.delivered) << report.failure;
  EXPECT_TRUE(listener_.Messages().empty());
  EXPECT_EQ(Values().Get(Item("Device Name")), "Coordinator");
  EXPECT_EQ(Values().Get(Item("MyShortAddr")), "0000");
  EXPECT_EQ(Values().Get(Item("PanID")), "1234");
  EXPECT_EQ(TransferredImage()[kImageChannelOffset], 0x0F);
  EXPECT_TRUE(ValuesChanged());
  EXPECT_FALSE(Busy());
  // One ACK per frame, nothing after the last: the local transfer needs no escape.
  EXPECT_EQ(Received(), "ATCFGREAD\r" + kAckText + kAckText + kAckText + kAckText);
}

TEST_F(ConfigTransferTest, RemoteReadTakesTheNodesImageAndClosesTheConsole) {
  Walk();
  Target("1A01");
  sim_.Faults().SetRecording(true);
  const CommandReport report = Read();
  EXPECT_TRUE(report.delivered) << report.failure;
  EXPECT_EQ(Values().Get(Item("Device Name")), "CCU-Hall");
  EXPECT_EQ(Values().Get(Item("MyShortAddr")), "1A01");
  EXPECT_EQ(Values().Get(Item("DeviceType")), "01");
  // The node's record got the image; the view's copy of the table was replaced.
  const auto tables = listener_.Tables();
  ASSERT_EQ(tables.size(), 1u);
  const NodePtr node = FindNode(*tables.back(), "1A01");
  ASSERT_TRUE(node);
  EXPECT_EQ(node->image, TransferredImage());
  const std::string sent = Received();
  EXPECT_EQ(sent.find("+++\rATCONSOLE 1A01 0\rATCFGREAD\r"), 0u) << sent;
  EXPECT_EQ(sent.substr(sent.size() - 4), "+++\r");
}

TEST_F(ConfigTransferTest, AHandedNodeTableStaysAsItWasWhenTheWorkersChanges) {
  Walk();
  Target("1A01");
  ASSERT_TRUE(Read().delivered);
  ASSERT_TRUE(Read().delivered);  // a new record for 1A01 in the worker's table
  const auto tables = listener_.Tables();
  ASSERT_EQ(tables.size(), 2u);
  EXPECT_NE(FindNode(*tables[0], "1A01"), FindNode(*tables[1], "1A01"));
  EXPECT_EQ(tables[0]->size(), tables[1]->size());
}

TEST_F(ConfigTransferTest, LocalWriteSendsTheImageAndReadsBack) {
  Values().Set(Item("PanID"), "4321");
  Values().Set(Item("Device Name"), "Renamed");
  const ConfigImage expected = EncodeImage(Values()).image;
  sim_.Faults().SetRecording(true);

  const CommandReport report = Write();
  EXPECT_TRUE(report.delivered) << report.failure;
  EXPECT_EQ(listener_.Messages(), std::vector<std::string>{std::string(kWritingFinished)});
  EXPECT_EQ(Faults().ImagesStored(), 1u);
  EXPECT_EQ(TransferredImage(), expected);
  // Our STX, four frames each after the previous one's ACK, then EOT.
  EXPECT_EQ(Received(), "ATCFGWRITE\r" + kStxText + FramesOf(expected) + kEotText);

  Values().LoadDefaults();
  EXPECT_TRUE(Read().delivered);
  EXPECT_EQ(Values().Get(Item("PanID")), "4321");
  EXPECT_EQ(Values().Get(Item("Device Name")), "Renamed");
}

TEST_F(ConfigTransferTest, ThroughSer2netAnImageHoldingFFIsWrittenAndVerifiedByteExact) {
  UseSer2net(testsupport::Ser2netMode::Rfc2217);
  Values().Set(Item("PanID"), "FFFF");  // two 0xFF bytes in the first frame
  const ConfigImage expected = EncodeImage(Values()).image;
  ASSERT_NE(std::find(expected.begin(), expected.end(), 0xFF), expected.end());
  sim_.Faults().SetRecording(true);

  const CommandReport report = Write();
  EXPECT_TRUE(report.delivered) << report.failure;
  EXPECT_EQ(Faults().ImagesStored(), 1u);
  // The module took each 0xFF once: doubled on the wire, undoubled by the server.
  EXPECT_EQ(Received(), "ATCFGWRITE\r" + kStxText + FramesOf(expected) + kEotText);

  // The verify: the module's frames carry the 0xFF bytes back.
  Values().LoadDefaults();
  EXPECT_TRUE(Read().delivered);
  EXPECT_EQ(Values().Get(Item("PanID")), "FFFF");
  EXPECT_EQ(TransferredImage(), expected);
}

TEST_F(ConfigTransferTest, RemoteWriteReachesOnlyItsNode) {
  Walk();
  Target("2B02");
  ASSERT_TRUE(Read().delivered);
  Values().Set(Item("Device Name"), "Remote-2");
  ASSERT_TRUE(Write().delivered);

  Values().LoadDefaults();
  ASSERT_TRUE(Read().delivered);
  EXPECT_EQ(Values().Get(Item("Device Name")), "Remote-2");
  Target("NULL");
  ASSERT_TRUE(Read().delivered);
  EXPECT_EQ(Values().Get(Item("Device Name")), "Coordinator");
}

// A written line rate takes effect when the module restarts: until then it answers at 9600,
// after it only a host at the new rate.
TEST_F(ConfigTransferTest, AWrittenBaudrateTakesEffectAtTheRestart) {
  Values().Set(Item("Baudrate"), "08");  // 115200
  ASSERT_TRUE(Write().delivered);
  Values().LoadDefaults();
  ASSERT_TRUE(Read().delivered);
  EXPECT_EQ(Values().Get(Item("Baudrate")), "08");
  EXPECT_EQ(sim_.Faults().LineRate(), 9600u);

  Run(WorkerCommand::RawText, [](CThread& worker) { SendRawText(worker, "ATRESET\r"); });
  ASSERT_TRUE(testsupport::WaitFor([&] { return sim_.Faults().Restarts() == 1; }));
  EXPECT_EQ(sim_.Faults().LineRate(), 115200u);
  UartSettings fast;
  fast.baudRate = 115200;
  Connect(fast);
  Values().LoadDefaults();
  const CommandReport report = Read();
  EXPECT_TRUE(report.delivered) << report.failure;
  EXPECT_EQ(Values().Get(Item("Baudrate")), "08");

  worker_->Stop();
  worker_.reset();
  testsupport::TtyClient slow(sim_.LinkPath(), 9600);
  ASSERT_TRUE(slow.Write("ATVERSION\r"));
  EXPECT_EQ(slow.ReadFor(std::chrono::milliseconds(400)), "");
}

struct FaultCase {
  const char* what;
  std::function<void(Switches&)> set;
  std::string message;  // empty: the transfer succeeds
};

// A failed read leaves the values and the stored image as they were.
TEST_F(ConfigTransferTest, ReadFailures) {
  const std::string length00 = kStxText + "00FF";
  const std::string length41 = kStxText + "41";
  const std::string fiveFrames = FramesOf(ImageWith(2, 0x0F)) + kStxText + "0100FF" + kEotText;
  const FaultCase cases[] = {
      {"20 noise bytes", [](Switches& f) { f.SetNoiseBeforeReply(20); }, ""},
      {"21 noise bytes", [](Switches& f) { f.SetNoiseBeforeReply(21); },
       std::string(kConfigFormatError)},
      {"bad frame checksum", [](Switches& f) { f.SetBadFrameChecksumAt(2); },
       std::string(kFrameChecksumError)},
      {"bad image checksum", [](Switches& f) { f.SetBadImageChecksum(true); },
       std::string(kImageChecksumError)},
      {"silence mid-transfer", [](Switches& f) { f.SetSilentFromFrame(3); },
       std::string(kConfigReadTimeout)},
      {"nothing after EOT", [](Switches& f) { f.SetNothingAfterEot(true); },
       std::string(kConfigReadTimeout)},
      {"length 00", [&](Switches& f) { f.SetReadReply(length00); }, std::string(kDataLengthError)},
      {"length 41", [&](Switches& f) { f.SetReadReply(length41); }, std::string(kDataLengthError)},
      {"more than 256 bytes", [&](Switches& f) { f.SetReadReply(fiveFrames); },
       std::string(kDataLengthError)},
      {"no hex digit", [](Switches& f) { f.SetReadReply(kStxText + "4G"); },
       std::string(kConfigFormatError)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Values().Set(Item("PanID"), "5555");
    const auto before = Values().Snapshot();
    const ConfigImage imageBefore = TransferredImage();
    c.set(Faults());
    const CommandReport report = Read();
    Faults().ClearSwitches();
    if (!FailedWith(report, c.message)) continue;
    EXPECT_EQ(Values().Snapshot(), before);
    EXPECT_EQ(TransferredImage(), imageBefore);
  }
}

TEST_F(ConfigTransferTest, VersionMismatchStoresTheImageAndOnlyItsVersion) {
  const ConfigImage image = ImageWith(3, 0x0F);
  Faults().SetReadReply(FramesOf(image) + kEotText + "\r");
  Values().Set(Item("PanID"), "5555");
  const CommandReport report = Read();
  EXPECT_EQ(report.failure, ReadVersionError());
  EXPECT_EQ(Values().Get(0), "0003");
  EXPECT_EQ(Values().Get(Item("PanID")), "5555");
  EXPECT_EQ(TransferredImage(), image);
  EXPECT_FALSE(ValuesChanged());
}

TEST_F(ConfigTransferTest, ChannelZeroLoadsTheDefaultsAndCountsAsARead) {
  const ConfigImage image = ImageWith(2, 0);
  Faults().SetReadReply(FramesOf(image) + kEotText + "\r");
  Values().Set(Item("PanID"), "5555");
  const CommandReport report = Read();
  EXPECT_TRUE(report.delivered) << report.failure;
  EXPECT_EQ(Values().Get(Item("PanID")), "9876");
  EXPECT_EQ(TransferredImage(), image);
  EXPECT_TRUE(ValuesChanged());
}

TEST_F(ConfigTransferTest, UnpluggedMidReadEndsWithTheTimeout) {
  Faults().SetSilentFromFrame(3);
  const auto before = Values().Snapshot();
  RequestConfigRead(*worker_);
  testsupport::WaitFor([&] { return Faults().FramesDone() >= 2; }, std::chrono::seconds(10));
  ASSERT_TRUE(sim_.Module().Unplug());
  ASSERT_TRUE(listener_.WaitFinished(WorkerCommand::ReadConfig, 1, std::chrono::seconds(60)));
  EXPECT_EQ(listener_.Reports().back().failure, kConfigReadTimeout);
  EXPECT_EQ(Values().Snapshot(), before);
  EXPECT_FALSE(Busy());
}

TEST_F(ConfigTransferTest, WriteFailures) {
  const std::string mac = "00124B00ABCD0000";
  const auto header = [](std::string body) { return kStxText + body + kEotText; };
  const FaultCase cases[] = {
      {"20 noise bytes", [](Switches& f) { f.SetNoiseBeforeReply(20); }, ""},
      {"21 noise bytes", [](Switches& f) { f.SetNoiseBeforeReply(21); },
       std::string(kConfigFormatError)},
      {"15 MAC characters", [&](Switches& f) { f.SetWriteHeader(header("0002" + mac.substr(1))); },
       std::string(kMacAddressError)},
      {"17 MAC characters", [&](Switches& f) { f.SetWriteHeader(header("0002" + mac + "0")); },
       std::string(kConfigFormatError)},
      {"version 0003", [&](Switches& f) { f.SetWriteHeader(header("0003" + mac)); },
       WriteVersionError()},
      {"no header", [](Switches& f) { f.SetWriteHeader(""); }, std::string(kConfigHeaderTimeout)},
      {"ESC for a frame", [](Switches& f) { f.SetEscAtFrame(2); }, std::string(kSendChecksumError)},
      {"silence for a frame", [](Switches& f) { f.SetSilentFromFrame(2); },
       std::string(kFrameAckTimeout)},
      {"babble for a frame", [](Switches& f) { f.SetBabbleAtFrame(3); },
       std::string(kFrameAckTimeout)},
      {"NAK for the image", [](Switches& f) { f.SetNakAtEnd(true); },
       std::string(kEndChecksumError)},
      {"silence after EOT", [](Switches& f) { f.SetSilentFromFrame(5); }, std::string(kEndTimeout)},
      {"babble after EOT", [](Switches& f) { f.SetBabbleAtFrame(5); },
       std::string(kEndCycleTimeout)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.set(Faults());
    const std::size_t stored = Faults().ImagesStored();
    const CommandReport report = Write();
    Faults().ClearSwitches();
    if (!FailedWith(report, c.message)) continue;
    EXPECT_EQ(Faults().ImagesStored(), stored);
  }
}

// An answer cycle is up to three one-byte reads: 60 other bytes fill 20 cycles, so an ACK after
// them comes in the 21st cycle, the last one waited for; after 63 it would come in the 22nd.
TEST_F(ConfigTransferTest, TheAnswerCycleLimitFromBothSides) {
  const struct {
    std::size_t frame;  // 5: the final EOT
    std::size_t bytes;
    bool delivered;
    std::string_view message;
  } cases[] = {
      {2, 60, true, kWritingFinished},
      {2, 63, false, kFrameAckTimeout},
      {5, 60, true, kWritingFinished},
      {5, 63, false, kEndCycleTimeout},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.frame) + ": " + std::to_string(c.bytes));
    Faults().SetBabbleAtFrame(c.frame, c.bytes, true);
    const CommandReport report = Write();
    Faults().ClearSwitches();
    EXPECT_EQ(report.delivered, c.delivered) << report.failure;
    EXPECT_EQ(listener_.Messages().back(), c.message);
  }
}

TEST_F(ConfigTransferTest, ValueThatCannotBeEncodedSendsNothing) {
  Values().Set(Item("PanID"), "12G4");
  sim_.Faults().SetRecording(true);
  const CommandReport report = Write();
  EXPECT_FALSE(report.delivered);
  EXPECT_NE(report.failure.find("PanID"), std::string::npos) << report.failure;
  EXPECT_EQ(Received().find("ATCFGWRITE"), std::string::npos);
  EXPECT_FALSE(Busy());
}

TEST_F(ConfigTransferTest, RemoteSetUpOutcomes) {
  // A transfer for a node the table lacks ends without a word.
  for (const auto& c : testsupport::RemoteRefusals("")) {
    SCOPED_TRACE(c.what);
    if (c.walk) Walk();
    Target(testsupport::kRefusedNode);
    sim_.Faults().SetConsoleAnswer(c.answer);
    const std::size_t messages = listener_.Messages().size();
    const CommandReport report = Read();
    sim_.Faults().SetConsoleAnswer(sim::ConsoleAnswer::Normal);
    EXPECT_FALSE(report.delivered) << report.failure;
    EXPECT_EQ(report.failure, c.message);
    EXPECT_EQ(listener_.Messages().size(), messages + (c.message.empty() ? 0 : 1));
  }
}

// A write for a node whose coordinator refuses the remote console, or does not answer, must not
// land on the local module (it would take the node's settings); the next write tries the node
// again instead of going local. Asked for the coordinator itself, the local module is the one.
TEST_F(ConfigTransferTest, AWriteForANodeNeverReachesTheLocalModule) {
  Walk();
  Values().Set(Item("PanID"), "4321");
  sim_.Faults().SetRecording(true);
  Target("2B02");  // once: the refusal is not cleared by a node click between the writes
  for (const auto answer :
       {sim::ConsoleAnswer::Fail, sim::ConsoleAnswer::Fail, sim::ConsoleAnswer::Silence}) {
    sim_.Faults().SetConsoleAnswer(answer);
    sim_.Faults().ClearReceived();
    EXPECT_FALSE(Write().delivered);
    EXPECT_EQ(Received().find("+++\rATCONSOLE 2B02 0\r"), 0u) << Received();
    EXPECT_EQ(Received().find("ATCFGWRITE"), std::string::npos) << Received();
  }
  EXPECT_EQ(Faults().ImagesStored(), 0u);

  sim_.Faults().SetConsoleAnswer(sim::ConsoleAnswer::Fail);
  Target("0000");
  EXPECT_TRUE(Read().delivered);
  EXPECT_EQ(Values().Get(Item("Device Name")), "Coordinator");
  EXPECT_EQ(Values().Get(Item("PanID")), "1234");
}

}  // namespace
}  // namespace netloom::link
