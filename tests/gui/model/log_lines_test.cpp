#include "gui/model/log_lines.h"

#include <gtest/gtest.h>

namespace netloom::model {
namespace {

link::LogEntry Entry(link::Direction direction, std::string_view text, int millisecond) {
  const auto time = link::ParseUtcText("2026-12-11T08:01:51Z");
  return {*time + std::chrono::milliseconds(millisecond), direction, {text.begin(), text.end()}};
}

TEST(LogLines, HexLinesGiveTimeDirectionHexAndTextSixteenBytesALine) {
  const std::vector<link::LogEntry> entries = {
      Entry(link::Direction::Sent, "ATNETINFO 0000 0\r", 123),
      Entry(link::Direction::Received, "OK\r\n", 180),
  };
  EXPECT_EQ(HexLines(entries),
            "08:01:51.123 >  41 54 4E 45 54 49 4E 46 4F 20 30 30 30 30 20 30  ATNETINFO 0000 0\n"
            "                0D                                               .\n"
            "08:01:51.180 <  4F 4B 0D 0A                                      OK..\n");
}

TEST(LogLines, TimedTextLinesEscapeWhatIsNotPrintable) {
  const std::vector<link::LogEntry> entries = {
      Entry(link::Direction::Received, "a\\b\r\n\x1B\xE9", 5),
  };
  EXPECT_EQ(TimedTextLines(entries), "2026-12-11T08:01:51.005Z < a\\\\b\\r\\n\\x1B\\xE9\n");
}

}  // namespace
}  // namespace netloom::model
