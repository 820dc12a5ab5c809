// The session log, fed at the bottom of the link by a port opened on a virtual module.
#include "core/link/serial/session_log.h"

#include <gtest/gtest.h>

#include <string>

#include "core/link/serial/serial_port.h"
#include "support/temp_folder.h"
#include "support/virtual_module_fixture.h"

namespace netloom::link {
namespace {

using std::chrono::milliseconds;

std::string Text(const LogEntry& entry) {
  return {entry.bytes.begin(), entry.bytes.end()};
}

TEST(SessionLog, HoldsBothDirectionsInOrderAndReadsBackFromItsFile) {
  testsupport::ScopedVirtualModule module;
  const auto log = std::make_shared<SessionLog>();
  {
    const PortTapping tapping = TapPort(module.LinkPath(), log);
    OpenResult opened = OpenPort(module.LinkPath());
    ASSERT_TRUE(opened.port) << opened.error.detail;
    for (const char* command : {"ATNAMEREQ 0000\r", "ATNAMEREQ 1A01\r"}) {
      ASSERT_TRUE(WriteText(*opened.port, command));
      std::string reply;
      std::uint8_t buffer[64];
      while (reply.find('>', reply.find('<')) == std::string::npos) {
        const std::size_t count = ReadBytes(*opened.port, buffer, sizeof buffer);
        ASSERT_GT(count, 0u) << reply;
        reply.append(buffer, buffer + count);
      }
    }
  }
  // After the tapping ended, a port opened at the path is not recorded.
  {
    const OpenResult untapped = OpenPort(module.LinkPath());
    ASSERT_TRUE(untapped.port);
    WriteText(*untapped.port, "ATNAMEREQ 2B02\r");
  }

  const auto entries = log->Entries();
  std::string sent, got;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) {
      EXPECT_GE(entries[i].time, entries[i - 1].time);
    }
    (entries[i].direction == Direction::Sent ? sent : got) += Text(entries[i]);
  }
  EXPECT_EQ(sent, "ATNAMEREQ 0000\rATNAMEREQ 1A01\r");
  EXPECT_NE(got.find("<Coordinator>"), std::string::npos);
  EXPECT_LT(got.find("<Coordinator>"), got.find("<CCU-Hall>"));
  ASSERT_GE(entries.size(), 4u);
  EXPECT_EQ(entries[0].direction, Direction::Sent);
  EXPECT_EQ(entries[1].direction, Direction::Received);

  const testsupport::TempFolder folder;
  const std::string path = folder.File("session.log");
  ASSERT_EQ(log->Save(path), "");
  const LogReadResult read = LoadSessionLog(path);
  ASSERT_TRUE(read.entries) << read.error;
  EXPECT_EQ(*read.entries, entries);
}

TEST(SessionLog, KeepsTheNewestEntriesWithinItsLimit) {
  ManualWallClock clock;
  SessionLog log(3 * (kEntryCost + 10), clock);
  const std::vector<std::uint8_t> ten(10, 'x');
  for (int i = 0; i < 5; ++i) {
    clock.Advance(milliseconds(1));
    log.Note(i % 2 == 0 ? Direction::Sent : Direction::Received, ten);
  }
  // Same direction within the same millisecond: one entry.
  log.Note(Direction::Sent, ten);
  const auto entries = log.Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].direction, Direction::Received);
  EXPECT_EQ(entries[1].bytes.size(), 20u);
  EXPECT_LE(log.Size(), 3 * (kEntryCost + 10));
  // A reader of the newest entries sees the same ones, and each note moves the count.
  EXPECT_EQ(log.Tail(1), std::vector<LogEntry>{entries[1]});
  EXPECT_EQ(log.Tail(10), entries);
  EXPECT_EQ(log.Noted(), 6u);
}

TEST(SessionLog, ReaderNamesTheFaultyLine) {
  const std::string header = "# netloom session log 1\n";
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      {"", "not a netloom session log"},
      {"2026-12-11T08:01:51.123Z > 41\n", "not a netloom session log"},
      {header + "# note\n\n2026-12-11T08:01:51Z > 41\n",
       "line 4: no time to the millisecond at the start"},
      {header + "2026-12-11T08:01:51.123Z = 41\n",
       "line 2: no direction ('>' or '<') after the time"},
      {header + "2026-12-11T08:01:51.123Z > 4G  A\n", "line 2: bytes are not pairs of hex digits"},
      {header + "2026-12-11T08:01:51.123Z > 41 4\n", "line 2: bytes are not pairs of hex digits"},
      {header + "2026-12-11T08:01:51.123Z > 41\n2026-12-11T08:01:51.122Z < 41\n",
       "line 3: the time goes back"},
  };
  for (const auto& c : cases) {
    const LogReadResult result = ReadSessionLog(c.text);
    EXPECT_FALSE(result.entries) << c.text;
    EXPECT_EQ(result.error, c.error) << c.text;
  }
  const LogReadResult good = ReadSessionLog(header + "2026-12-11T08:01:51.123Z < 41 0D  A.\r\n");
  ASSERT_TRUE(good.entries) << good.error;
  EXPECT_EQ(good.entries->at(0).bytes, (std::vector<std::uint8_t>{0x41, 0x0D}));
}

}  // namespace
}  // namespace netloom::link
