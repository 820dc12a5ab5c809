#include "core/link/identity/identity_reply.h"

#include <gtest/gtest.h>

#include "core/link/config/config_messages.h"

namespace netloom::link {
namespace {

struct Parsed {
  IdentityState state;
  std::string message;
  ModuleIdentity identity;
};

Parsed Parse(std::string_view bytes, ModuleIdentity start = {}) {
  IdentityReplyParser parser(std::move(start));
  for (const char c : bytes) {
    if (parser.Feed(static_cast<std::uint8_t>(c)) != IdentityState::Reading) break;
  }
  return {parser.State(), std::string(parser.Message()), parser.Identity()};
}

// "<" LL fields name checksum ">" with a checksum that holds.
std::string Reply(std::string_view length, std::string_view fields, std::string_view name) {
  std::uint8_t sum = 0;
  const std::string digits(fields);
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
    sum = static_cast<std::uint8_t>(sum + std::stoi(digits.substr(i, 2), nullptr, 16));
  }
  for (const char c : name) sum = static_cast<std::uint8_t>(sum + c);
  char checksum[3];
  std::snprintf(checksum, sizeof checksum, "%02X", 0xFF - sum);
  return "<" + std::string(length) + digits + std::string(name) + checksum + ">";
}

TEST(IdentityReply, NineCharacterNameWithLength17) {
  const Parsed parsed = Parse("ATINFOI\r\n" + Reply("17", "00020B12340000", "Device001"));
  ASSERT_EQ(parsed.state, IdentityState::Complete) << parsed.message;
  EXPECT_EQ(parsed.identity.version, 2);
  EXPECT_EQ(parsed.identity.channel, 0x0B);
  EXPECT_EQ(parsed.identity.panId, 0x1234);
  EXPECT_EQ(parsed.identity.deviceType, 0);
  EXPECT_EQ(parsed.identity.startMode, 0);
  EXPECT_EQ(parsed.identity.deviceName, "Device001");
}

TEST(IdentityReply, BlanksBelongToTheNameAndAreSkippedElsewhere) {
  const Parsed named = Parse(Reply("14", "00020B12340000", "Hall 2"));
  ASSERT_EQ(named.state, IdentityState::Complete) << named.message;
  EXPECT_EQ(named.identity.deviceName, "Hall 2");
  const Parsed spaced =
      Parse("< 17 0002 0B 1234 00 00 " + Reply("17", "00020B12340000", "Device001").substr(17));
  ASSERT_EQ(spaced.state, IdentityState::Complete) << spaced.message;
  EXPECT_EQ(spaced.identity.deviceName, "Device001");
}

TEST(IdentityReply, ChecksOfTheFields) {
  const std::string v2 = "0002";
  const struct {
    const char* what;
    std::string bytes;
    std::string message;  // empty: complete
  } cases[] = {
      {"version 0003", Reply("12", "00030B12340000", "Node"), WriteVersionError()},
      {"channel 1A", Reply("12", v2 + "1A12340000", "Node"), ""},
      {"channel 1B", Reply("12", v2 + "1B12340000", "Node"), std::string(kChannelError)},
      {"channel 0A", Reply("12", v2 + "0A12340000", "Node"), std::string(kChannelError)},
      {"device type 02", Reply("12", v2 + "0B12340200", "Node"), ""},
      {"device type 03", Reply("12", v2 + "0B12340300", "Node"), std::string(kDeviceTypeError)},
      {"start mode 04", Reply("12", v2 + "0B12340004", "Node"), ""},
      {"start mode 05", Reply("12", v2 + "0B12340005", "Node"), std::string(kDeviceModeError)},
      {"length 0E leaves no name", Reply("0E", v2 + "0B12340000", ""),
       std::string(kDeviceNameError)},
      {"length 29 above 40", Reply("29", v2 + "0B12340000", "Node"), std::string(kLengthError)},
      {"length 40 with a 17th name character", Reply("28", v2 + "0B12340000", "SeventeenLetters!"),
       std::string(kDeviceNameError)},
      {"sixteen name characters", Reply("1E", v2 + "0B12340000", "SixteenLetters!!"), ""},
      {"checksum", "<12" + v2 + "0B12340000NodeFF>", std::string(kIdentityChecksumError)},
      {"no closing bracket", Reply("12", v2 + "0B12340000", "Node").substr(0, 23) + ")",
       std::string(kIdentityCloseError)},
      {"no hex digit", "<12000G", std::string(kIdentityFormatError)},
      {"lower-case digits and blanks",
       " < 12 0002 0b 12ab 01 04 " + Reply("12", "00020B12AB0104", "Node").substr(17), ""},
      {"20 bytes up to the bracket", std::string(19, '#') + Reply("12", v2 + "0B12340000", "Node"),
       ""},
      {"21 bytes up to the bracket", std::string(20, '#') + Reply("12", v2 + "0B12340000", "Node"),
       std::string(kIdentityFormatError)},
  };
  for (const auto& c : cases) {
    const Parsed parsed = Parse(c.bytes);
    if (c.message.empty()) {
      EXPECT_EQ(parsed.state, IdentityState::Complete) << c.what << ": " << parsed.message;
    } else {
      EXPECT_EQ(parsed.state, IdentityState::Failed) << c.what;
      EXPECT_EQ(parsed.message, c.message) << c.what;
    }
  }
}

TEST(IdentityReply, FieldsBeforeAFaultAreKept) {
  ModuleIdentity start{1, 0x0B, 0x1234, 0, 0, "Device001"};
  const Parsed parsed = Parse(Reply("12", "00021A55550300", "Node"), start);
  EXPECT_EQ(parsed.message, kDeviceTypeError);
  EXPECT_EQ(parsed.identity.version, 2);
  EXPECT_EQ(parsed.identity.channel, 0x1A);
  EXPECT_EQ(parsed.identity.panId, 0x5555);
  EXPECT_EQ(parsed.identity.deviceType, 0);  // not taken
  EXPECT_EQ(parsed.identity.deviceName, "Device001");
}

TEST(IdentityReply, ModuleReplyRoundTrip) {
  const ModuleIdentity identity{2, 0x19, 0xBEEF, 2, 4, "Sensor-Shelf"};
  const std::string reply = FormatIdentityReply(identity);
  EXPECT_EQ(reply.substr(0, 17),
            "<1A00021"
            "9BEEF0204");
  const Parsed parsed = Parse(reply);
  ASSERT_EQ(parsed.state, IdentityState::Complete) << parsed.message;
  EXPECT_EQ(parsed.identity.deviceName, identity.deviceName);
  EXPECT_EQ(parsed.identity.panId, identity.panId);
}

TEST(IdentityWrite, RequestBytes) {
  const ModuleIdentity requested{1, 0x0B, 0x1234, 0, 0, "Device001"};
  EXPECT_EQ(FormatIdentityWrite(requested), "ATINFOI 0002 0B 1234 0 0 Device001\r");
  const ModuleIdentity star{2, 0x1A, 0xABC, 2, 4, "x"};
  EXPECT_EQ(FormatIdentityWrite(star), "ATINFOI 0002 1A 0ABC 2 4 x\r");
}

TEST(IdentityWrite, RequestsTheWireCannotCarry) {
  const ModuleIdentity good{2, 0x0B, 0x1234, 0, 0, "Device001"};
  EXPECT_FALSE(CheckRequestedIdentity(good));
  const struct {
    const char* what;
    ModuleIdentity identity;
    std::string message;
  } cases[] = {
      {"17 characters", {2, 0x0B, 0x1234, 0, 0, "Seventeen-letters"}, "Please Less than 16 word"},
      {"empty name", {2, 0x0B, 0x1234, 0, 0, ""}, "Please setting DeviceName"},
      {"a space", {2, 0x0B, 0x1234, 0, 0, "Dev 1"}, "Don't input space to DeviceName"},
      {"channel 0A", {2, 0x0A, 0x1234, 0, 0, "D"}, "Channel 10 is outside 0B to 1A"},
      {"PAN ID", {2, 0x0B, 0x10000, 0, 0, "D"}, "PAN ID 65536 is outside 0000 to FFFF"},
      {"type", {2, 0x0B, 0x1234, 3, 0, "D"}, "Device type 3 is not 0, 1 or 2"},
      {"mode", {2, 0x0B, 0x1234, 0, 5, "D"}, "Start mode 5 is outside 0 to 4"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckRequestedIdentity(c.identity).value_or(""), c.message) << c.what;
  }
}

}  // namespace
}  // namespace netloom::link
