// The identity read and write through the link worker against the virtual module.
#include <gtest/gtest.h>

#include <functional>

#include "core/link/config/config_messages.h"
#include "core/link/identity/identity_reply.h"
#include "exchange_fixture.h"

namespace netloom::link {
namespace {

using testsupport::ExchangeTest;
using Switches = sim::ExchangeFaults;

class IdentityExchangeTest : public ExchangeTest {
 protected:
  CommandReport Read() {
    return Run(WorkerCommand::ReadIdentity,
               [this](CThread& worker) { RequestIdentityRead(worker, target_); });
  }
  CommandReport Write(const ModuleIdentity& requested) {
    return Run(WorkerCommand::WriteIdentity,
               [&](CThread& worker) { RequestIdentityWrite(worker, target_, requested); });
  }
  IdentityExchangeState Identity() const {
    return session_.Read([](const LinkState& state) { return state.identity; });
  }
};

const ModuleIdentity kCoordinator{2, 0x0F, 0x1234, 0, 0, "Coordinator"};

TEST_F(IdentityExchangeTest, LocalReadFillsBothIdentities) {
  sim_.Faults().SetRecording(true);
  EXPECT_TRUE(Read().delivered);
  const IdentityExchangeState identity = Identity();
  EXPECT_EQ(identity.status, 1);
  EXPECT_EQ(identity.current, kCoordinator);
  EXPECT_EQ(identity.requested, kCoordinator);
  EXPECT_EQ(Received(), "+++\rATINFOI\r");
  EXPECT_EQ(clock_.Pauses(), (std::vector<std::uint32_t>{500, 500}));
}

TEST_F(IdentityExchangeTest, RemoteReadAsksTheNode) {
  Walk();
  Target("1A01");
  sim_.Faults().SetRecording(true);
  EXPECT_TRUE(Read().delivered);
  EXPECT_EQ(Identity().current.deviceName, "CCU-Hall");
  EXPECT_EQ(Identity().current.deviceType, 1);
  EXPECT_EQ(Received(), "+++\rATCONSOLE 1A01 0\rATINFOI\r");
}

struct IdentityFaultCase {
  const char* what;
  std::function<void(Switches&)> set;
  std::string message;  // empty: the read succeeds
};

std::string Reply(std::string_view fields, std::string_view name) {
  ModuleIdentity identity{2, 0x0B, 0x1234, 0, 0, std::string(name)};
  std::string reply = FormatIdentityReply(identity);
  return reply.replace(3, 14, fields);  // the fields as given, the checksum of the good ones
}

TEST_F(IdentityExchangeTest, ReadFailures) {
  const auto reply = [](std::string text) {
    return [text](Switches& f) { f.SetIdentityReply(text); };
  };
  const std::string good = FormatIdentityReply({2, 0x0B, 0x1234, 0, 0, "Device001"});
  std::string badSum = good;
  badSum[good.size() - 2] = good[good.size() - 2] == '0' ? '1' : '0';
  const IdentityFaultCase cases[] = {
      // Up to "<" the echo (9 bytes) and the noise count, with room for a late "OK" of the
      // escape (the exact bound is the parser's test).
      {"the echo and 6 noise bytes", [](Switches& f) { f.SetNoiseBeforeReply(6); }, ""},
      {"the echo and 11 noise bytes", [](Switches& f) { f.SetNoiseBeforeReply(11); },
       std::string(kIdentityFormatError)},
      {"version 0003", reply(Reply("00030B12340000", "Device001")), WriteVersionError()},
      {"channel 1B", reply(Reply("00021B12340000", "Device001")), std::string(kChannelError)},
      {"device type 03", reply(Reply("00020B12340300", "Device001")),
       std::string(kDeviceTypeError)},
      {"start mode 05", reply(Reply("00020B12340005", "Device001")), std::string(kDeviceModeError)},
      {"length 0E", reply("<0E00020B12340000XX>"), std::string(kDeviceNameError)},
      {"length 29", reply("<29"), std::string(kLengthError)},
      {"17 name characters",
       reply(FormatIdentityReply({2, 0x0B, 0x1234, 0, 0, "Seventeen-chars-x"})),
       std::string(kDeviceNameError)},
      {"checksum", reply(badSum), std::string(kIdentityChecksumError)},
      {"no closing bracket", reply(good.substr(0, good.size() - 1) + "]"),
       std::string(kIdentityCloseError)},
      {"no hex digit", reply("<1700020B12x4"), std::string(kIdentityFormatError)},
      {"no reply", reply(""), std::string(kIdentityTimeout)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ModuleIdentity before{1, 0x0C, 0x4321, 1, 1, "Before"};
    session_.Update([&](LinkState& state) { state.identity.requested = before; });
    c.set(Faults());
    const CommandReport report = Read();
    Faults().ClearSwitches();
    const IdentityExchangeState identity = Identity();
    if (c.message.empty()) {
      EXPECT_EQ(identity.status, 1) << identity.message;
      continue;
    }
    EXPECT_FALSE(report.delivered);
    EXPECT_EQ(identity.status, -1);
    EXPECT_EQ(identity.message, c.message);
    EXPECT_EQ(identity.requested, before);  // only a complete read replaces it
  }
}

TEST_F(IdentityExchangeTest, RemoteSetUpFailures) {
  // An exchange for a node the table lacks ends with "(Error)". After "FAIL" or silence the local
  // module's identity would pass for the node's, or take the node's new one.
  for (const auto& c :
       testsupport::RemoteRefusals("(Error)Can't remote 1A01, Please try again!\r")) {
    SCOPED_TRACE(c.what);
    if (c.walk) Walk();
    Target(testsupport::kRefusedNode);
    sim_.Faults().SetConsoleAnswer(c.answer);
    Read();
    EXPECT_EQ(Identity().status, -1);
    EXPECT_EQ(Identity().message, c.message);
    Write(kCoordinator);
    EXPECT_EQ(Identity().status, -1);
    EXPECT_EQ(Identity().message, c.message);
  }
  EXPECT_EQ(Faults().Resets(), 0u);  // no write reached the local module
}

TEST_F(IdentityExchangeTest, WriteSendsTheRequestAndResets) {
  const ModuleIdentity requested{2, 0x0B, 0x1234, 2, 4, "Device001"};
  sim_.Faults().SetRecording(true);
  EXPECT_TRUE(Write(requested).delivered);
  EXPECT_EQ(Identity().status, 1);
  EXPECT_EQ(Received(), "+++\rATINFOI 0002 0B 1234 2 4 Device001\rATRESET\r+++\r");
  EXPECT_EQ(clock_.Pauses(), (std::vector<std::uint32_t>{500, 200, 200, 200, 500, 200, 5000}));
  EXPECT_EQ(Faults().Resets(), 1u);
  // The host waited long enough: the module is back from its restart.
  EXPECT_EQ(sim_.Faults().Restarts(), 1u);

  EXPECT_TRUE(Read().delivered);
  EXPECT_EQ(Identity().current, requested);
}

TEST_F(IdentityExchangeTest, ThroughSer2netTheWriteReachesTheModuleByteExact) {
  UseSer2net(testsupport::Ser2netMode::Rfc2217);
  const ModuleIdentity requested{2, 0x1A, 0xFFFF, 1, 2, "Gateway"};
  sim_.Faults().SetRecording(true);
  EXPECT_TRUE(Write(requested).delivered) << Identity().message;
  EXPECT_EQ(Received(), "+++\rATINFOI 0002 1A FFFF 1 2 Gateway\rATRESET\r+++\r");
  EXPECT_EQ(Faults().Resets(), 1u);
  EXPECT_TRUE(Read().delivered);
  EXPECT_EQ(Identity().current, requested);
}

TEST_F(IdentityExchangeTest, RemoteWriteReachesOnlyItsNode) {
  Walk();
  Target("3C03");
  ASSERT_TRUE(Read().delivered);
  ModuleIdentity requested = Identity().current;
  requested.deviceName = "Meter-2";
  requested.channel = 0x1A;
  ASSERT_TRUE(Write(requested).delivered);
  ASSERT_TRUE(Read().delivered);
  EXPECT_EQ(Identity().current, requested);
  Target("NULL");
  ASSERT_TRUE(Read().delivered);
  EXPECT_EQ(Identity().current, kCoordinator);
}

TEST_F(IdentityExchangeTest, WriteAnswersOtherThanAckResetNothing) {
  const struct {
    const char* what;
    sim::IdentityWriteAnswer answer;
    std::string message;
  } cases[] = {
      {"EOT", sim::IdentityWriteAnswer::Eot, WriteVersionError()},
      // Bytes that are neither are no acceptance.
      {"three other bytes", sim::IdentityWriteAnswer::Garbage, std::string(kIdentityTimeout)},
      {"silence", sim::IdentityWriteAnswer::Silence, std::string(kIdentityTimeout)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Faults().SetIdentityWriteAnswer(c.answer);
    const std::size_t resets = Faults().Resets();
    Write({2, 0x0B, 0x1234, 0, 0, "Device001"});
    Faults().ClearSwitches();
    EXPECT_EQ(Identity().status, -1);
    EXPECT_EQ(Identity().message, c.message);
    EXPECT_EQ(Faults().Resets(), resets);
  }
}

TEST_F(IdentityExchangeTest, RequestTheModuleWouldMisreadSendsNothing) {
  sim_.Faults().SetRecording(true);
  EXPECT_FALSE(Write({2, 0x0B, 0x1234, 0, 0, "Two words"}).delivered);
  EXPECT_EQ(Identity().message, "Don't input space to DeviceName");
  EXPECT_EQ(Received(), "");
}

}  // namespace
}  // namespace netloom::link
