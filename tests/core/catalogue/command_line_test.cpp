// Command-line composition: the published examples byte for byte, and the RTC argument.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/catalogue/at_commands.h"
#include "core/catalogue/command_line.h"
#include "core/catalogue/value_entry.h"

namespace netloom::catalogue {
namespace {

using Status = CommandLine::Status;

const CivilTime kNow{2024, 2, 29, 23, 59, 58};

// The console's Send after picking `command` (which builds its rows) and editing them.
CommandLine Send(int command, const std::function<void(KindValueTable&)>& edit,
                 const RtcBlock& rtc = {}) {
  KindValueTable table;
  ResetCommandSlots(table, command);
  edit(table);
  return ComposeSend(command, table, rtc, kNow);
}

void Untouched(KindValueTable&) {}

TEST(Composition, PublishedExamplesByteForByte) {
  struct Case {
    const char* what;
    int command;
    std::function<void(KindValueTable&)> edit;
    RtcBlock rtc;
    std::string line;
  };
  const Case cases[] = {
      {"ATINFO", 0, Untouched, {}, "ATINFO\r"},
      {"ATEDSCAN untouched", 2, Untouched, {}, "ATEDSCAN 7FFF800 \r"},
      {"ATDUMP Neighbor",
       45,
       [](KindValueTable& t) { StoreParameterValue(t, 8, "Neighbor"); },
       {},
       "ATDUMP 2\r"},
      {"ATSREG Channel ID",
       42,
       [](KindValueTable& t) { StoreParameterValue(t, 28, "Channel ID"); },
       {},
       "ATSREG S6 \r"},
      {"ATPOWER Display",
       53,
       [](KindValueTable& t) { StoreParameterValue(t, 22, "Display"); },
       {},
       "ATPOWER \r"},
      {"ATCONSOLE 12AB P2P",
       38,
       [](KindValueTable& t) {
         StoreParameterValue(t, 2, "12AB");
         StoreParameterValue(t, 17, "P2P MODE");
       },
       {},
       "ATCONSOLE 12AB 1\r"},
      {"ATALARM 23 59 all days",
       43,
       [](KindValueTable& t) {
         EditKindRow(t, 15, "23");
         EditKindRow(t, 16, "59");
       },
       {},
       "ATALARM 23 59 7F\r"},
      {"ATALARM untouched", 43, Untouched, {}, "ATALARM 0 0 7F\r"},
      {"ATRTC Display", 46, Untouched, {}, "ATRTC \r"},
      {"ATRTC Modify",
       46,
       Untouched,
       {true, false, {2009, 9, 29, 0, 0, 0}, {1999, 1, 1, 13, 5, 7}},
       "ATRTC 9 9 29 13 5 7\r"},
      {"ATRTC Display with System Time", 46, Untouched, {false, true, {}, {}}, "ATRTC \r"},
      {"ATRTC System Time ignores a 1999 date row",
       46,
       Untouched,
       {true, true, {1999, 1, 1, 0, 0, 0}, {}},
       "ATRTC 24 2 29 23 59 58\r"},
      {"ATRTC year 2000",
       46,
       Untouched,
       {true, false, {2000, 1, 1, 0, 0, 0}, {}},
       "ATRTC 0 1 1 0 0 0\r"},
      {"ATRTC year 2099",
       46,
       Untouched,
       {true, false, {2099, 12, 31, 23, 59, 59}, {}},
       "ATRTC 99 12 31 0 0 0\r"},
      {"Send Message hello",
       kSendMessage,
       [](KindValueTable& t) { StoreParameterValue(t, kDataKind, "hello"); },
       {},
       "hello"},
      {"Send Message empty", kSendMessage, Untouched, {}, ""},
      {"Exit(+++)", kExitPlus, Untouched, {}, "+++"},
      {"Exit(---)", kExitMinus, Untouched, {}, "---"},
      {"SENDLINKKEY repeats slot 18",
       54,
       [](KindValueTable& t) {
         StoreParameterValue(t, 18, "0123456789ABCDEF");
         StoreParameterValue(t, 19, "1");
         StoreParameterValue(t, 33, "1");
       },
       {},
       "ATSENDLINKKEY 0123456789ABCDEF 0123456789ABCDEF " + std::string(31, '0') + "1 1\r"},
      {"SREG value row does not count",
       42,
       [](KindValueTable& t) { StoreParameterValue(t, kDataKind, "55"); },
       {},
       "ATSREG S1 \r"},
      {"TXDATAU empty slots", 25, Untouched, {}, "ATTXDATAU     \r"},
  };
  for (const Case& c : cases) {
    const CommandLine result = Send(c.command, c.edit, c.rtc);
    EXPECT_EQ(result.status, Status::Line) << c.what;
    EXPECT_EQ(result.line, c.line) << c.what;
  }
}

TEST(Composition, NoCommandSendsNothingAndSaysNothing) {
  KindValueTable table;
  const CommandLine result = ComposeCommandLine(kNoCommand, table);
  EXPECT_EQ(result.status, Status::Nothing);
  EXPECT_EQ(result.line, "");
  EXPECT_EQ(result.message, "");
  EXPECT_EQ(ComposeCommandLine(60, table).status, Status::Refused);
  EXPECT_EQ(ComposeCommandLine(-1, table).status, Status::Refused);
}

TEST(Composition, DateRowYearsOutside2000To2099AreRefused) {
  for (int year : {1999, 2100, 1900}) {
    KindValueTable table;
    table.Set(kRtcKind, "previous");
    const CommandLine result =
        ComposeSend(kRtcCommand, table, {true, false, {year, 6, 1, 0, 0, 0}, {}}, kNow);
    EXPECT_EQ(result.status, Status::Refused) << year;
    EXPECT_EQ(result.message, "Year Error!\n(2000~2099)") << year;
    EXPECT_EQ(table.Get(kRtcKind), "previous") << year;
  }
  // Only RTC reads the block.
  KindValueTable table;
  EXPECT_EQ(ComposeSend(0, table, {true, false, {1999, 1, 1, 0, 0, 0}, {}}, kNow).line, "ATINFO\r");
}

TEST(Composition, LinesOver255BytesAreRefusedNotCut) {
  KindValueTable table;
  ResetCommandSlots(table, 54);
  table.Set(18, std::string(120, 'A'));  // node values bypass the entry checks
  CommandLine result = ComposeCommandLine(54, table);
  EXPECT_EQ(result.status, Status::Refused);
  EXPECT_EQ(result.message, kLineTooLongMessage);
  EXPECT_EQ(result.line, "");

  // 2 + 11 + 4 spaces + 2 * 117 + 0 + 1 + CR = 253 bytes fit.
  table.Set(18, std::string(117, 'A'));
  table.Set(19, "");
  result = ComposeCommandLine(54, table);
  EXPECT_EQ(result.status, Status::Line);
  EXPECT_EQ(result.line.size(), 253u);

  table.Set(kDataKind, std::string(255, 'm'));
  EXPECT_EQ(ComposeCommandLine(kSendMessage, table).line.size(), 255u);
}

TEST(Composition, PickingACommandResetsOnlyItsSlots) {
  KindValueTable table;
  table.Set(kRtcKind, "kept");
  table.Set(2, "1234");
  table.Set(kDataKind, "text");
  ResetCommandSlots(table, kRtcCommand);
  EXPECT_EQ(table.Get(kRtcKind), "kept");
  ResetCommandSlots(table, 43);
  EXPECT_EQ(table.Get(15), "0");
  EXPECT_EQ(table.Get(16), "0");
  EXPECT_EQ(table.Get(31), "7F");
  EXPECT_EQ(table.Get(2), "1234");
  ResetCommandSlots(table, kSendMessage);
  EXPECT_EQ(table.Get(kDataKind), "");
}

}  // namespace
}  // namespace netloom::catalogue
