#include "core/firmware/frame_exchange.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/firmware/boot_loader_protocol.h"

namespace netloom::firmware {
namespace {

// One letter per reaction: . none, S send, A acknowledged, R rejected; E marks EOT.
std::string Exchange(const std::vector<std::uint8_t>& bytes, std::string* log = nullptr) {
  FrameExchange exchange;
  std::string trace;
  for (const auto byte : bytes) {
    const auto reaction = exchange.Take(byte);
    if (log != nullptr) *log += reaction.log;
    if (reaction.endOfTransmission) trace += 'E';
    switch (reaction.event) {
      case ExchangeEvent::None:
        trace += '.';
        break;
      case ExchangeEvent::SendFrame:
        trace += 'S';
        break;
      case ExchangeEvent::Acknowledged:
        trace += 'A';
        break;
      case ExchangeEvent::Rejected:
        trace += 'R';
        break;
    }
  }
  return trace;
}

TEST(FrameExchange, ReactsToTheBootLoaderBytes) {
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string trace;
    std::string log;
  } cases[] = {
      {"plain line", {kStx, kAck}, "SA", ""},
      {"stx after sending is ignored", {kStx, kStx, kAck}, "S.A", ""},
      {"nak after sending", {kStx, kNak}, "SR", ""},
      {"ack before sending is only logged", {kAck, kNak, kStx}, "..S", "06 15 "},
      {"eot then ack", {kStx, kEot, kAck}, "SE.A", ""},
      {"eot before the stx", {kEot, kStx, kAck}, "E.SA", ""},
      {"boot loader text", {'o', 'k', '\r', '\n', kStx, 'V', 0x80, kAck}, "....S..A", "ok\r\nV80 "},
  };
  for (const auto& c : cases) {
    std::string log;
    EXPECT_EQ(Exchange(c.bytes, &log), c.trace) << c.name;
    EXPECT_EQ(log, c.log) << c.name;
  }
}

TEST(BootLoaderProtocol, LogsPrintableBytesAsThemselvesAndOthersInHex) {
  EXPECT_EQ(LoggedByte(' '), " ");
  EXPECT_EQ(LoggedByte('~'), "~");
  EXPECT_EQ(LoggedByte('\r'), "\r");
  EXPECT_EQ(LoggedByte('\n'), "\n");
  EXPECT_EQ(LoggedByte(0x7F), "7F ");
  EXPECT_EQ(LoggedByte(0x09), "09 ");
  EXPECT_EQ(LoggedByte(0xAB), "AB ");
}

TEST(BootLoaderProtocol, IdentificationIsTheStartOfTheReply) {
  const auto bytes = [](std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
  };
  EXPECT_TRUE(IsIdentification(bytes("Harbinor Wireless Inc.")));
  EXPECT_TRUE(IsIdentification(bytes("Harbinor Wireless Inc.\r")));
  EXPECT_FALSE(IsIdentification(bytes("Harbinor Wireless Inc")));
  EXPECT_FALSE(IsIdentification(bytes("harbinor Wireless Inc.")));
  EXPECT_FALSE(IsIdentification(bytes("\nHarbinor Wireless Inc.")));
}

}  // namespace
}  // namespace netloom::firmware
