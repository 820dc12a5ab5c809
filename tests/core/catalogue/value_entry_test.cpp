// Value entry: one table per rule, with the published examples and message texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/catalogue/value_entry.h"

namespace netloom::catalogue {
namespace {

using S = EntryResult::Status;

// One typed text and what becomes of it: the stored text, or the refusal message.
struct Case {
  int index;  // kind or item
  std::string typed;
  S status;
  std::string expected;  // Stored: the slot text; Refused: the message; Unchanged: unused
};

void ExpectOutcome(const Case& c, const EntryResult& result, const std::string& slotBefore,
                   const std::string& slotAfter) {
  SCOPED_TRACE(std::to_string(c.index) + " <" + c.typed + ">");
  EXPECT_EQ(result.status, c.status);
  if (c.status == S::Stored) {
    EXPECT_EQ(result.text, c.expected);
    EXPECT_EQ(slotAfter, c.expected);
  } else {
    EXPECT_EQ(slotAfter, slotBefore);
    EXPECT_EQ(result.message, c.status == S::Refused ? c.expected : "");
  }
}

void RunKindCases(const std::vector<Case>& cases,
                  EntryResult (*enter)(KindValueTable&, int, std::string_view)) {
  for (const Case& c : cases) {
    KindValueTable table;
    table.Set(c.index, "old");
    EntryResult result = enter(table, c.index, c.typed);
    ExpectOutcome(c, result, "old", table.Get(c.index));
  }
}

void RunItemCases(const std::vector<Case>& cases,
                  EntryResult (*enter)(ConfigValueTable&, int, std::string_view)) {
  for (const Case& c : cases) {
    ConfigValueTable table;
    table.LoadDefaults();
    table.SetKeyEditable("01");
    const std::string before = table.Get(c.index);
    EntryResult result = enter(table, c.index, c.typed);
    ExpectOutcome(c, result, before, table.Get(c.index));
  }
}

const std::string kHexMessage(kHexDigitMessage);

TEST(ParseDigits, ExactCountOfDigits) {
  struct DigitCase {
    const char* text;
    int count;
    std::optional<std::uint32_t> hex;
    std::optional<std::uint32_t> decimal;
  };
  const DigitCase cases[] = {
      {"FFFFFFFF", 8, 4294967295u, std::nullopt},
      {"00000000", 8, 0u, 0u},
      {"7f", 2, 0x7Fu, std::nullopt},
      {"12", 2, 0x12u, 12u},
      {"123", 2, 0x12u, 12u},
      {"1", 2, std::nullopt, std::nullopt},
      {"", 1, std::nullopt, std::nullopt},
      {"G0", 2, std::nullopt, std::nullopt},
      {"0x", 2, std::nullopt, std::nullopt},
      {" 1", 2, std::nullopt, std::nullopt},
      {"123456789", 9, std::nullopt, 123456789u},
      {"123456789", 0, std::nullopt, std::nullopt},
  };
  for (const DigitCase& c : cases) {
    EXPECT_EQ(ParseHexDigits(c.text, c.count), c.hex) << c.text;
    EXPECT_EQ(ParseDecimalDigits(c.text, c.count), c.decimal) << c.text;
  }
  EXPECT_EQ(kHexDigitMessage, "Please input 0 to 9 or A to F (a to f)");
  EXPECT_EQ(kDecimalDigitMessage, "Please input 0 to 9");
}

TEST(ConsoleEntry, HexKindsPadInFrontThenCheckDigitsRangeAndLength) {
  RunKindCases(
      {
          {2, "1a", S::Stored, "001a"},
          {2, "", S::Stored, "0000"},
          {2, "FFFF", S::Stored, "FFFF"},
          {2, "12345", S::Refused, "Network Address :\nLess than 4 word!!"},
          {3, "12FF", S::Stored, "12FF"},
          {3, "FFFF", S::Refused, "Network address :\nPlease enter between 0 to FFFE (hex)"},
          {3, "FFFFF", S::Refused, "Network address :\nPlease enter between 0 to FFFE (hex)"},
          {3, "12G", S::Refused, kHexMessage},
          {14, "ZZ", S::Refused, kHexMessage},
          {29, "FFFFFFFF", S::Stored, "FFFFFFFF"},
          {29, "fffffffff", S::Refused, "Time Out :\nLess than 8 word!!"},
          {29, "1", S::Stored, "00000001"},
          {12, "FE", S::Stored, "FE"},
          {12, "FF", S::Refused, "Endpoint :\nPlease enter between 0 to FE (hex)"},
          {27, "ff", S::Stored, "ff"},
          {7, "40", S::Stored, "40"},
          {7, "41", S::Refused, "DATA length :\nPlease enter between 0 to 64 (hex)"},
          {1, "1", S::Stored, "1"},
          {1, "2", S::Refused, "Acknowledgment :\nPlease enter between 0 to 1 (hex)"},
          {1, "01", S::Refused, "Acknowledgment :\nLess than 1 word!!"},
          {9, "F", S::Stored, "F"},
          {9, "g", S::Refused, kHexMessage},
          {19, std::string(31, 'a'), S::Stored, "0" + std::string(31, 'a')},
          {19, std::string(15, 'A') + "G" + std::string(15, 'A'), S::Refused, kHexMessage},
          {19, std::string(33, 'A'), S::Refused, "Key :\nLess than 32 word!!"},
          {18, "123", S::Stored, "0000000000000123"},
          {18, "0123456789abcdef", S::Stored, "0123456789abcdef"},
          {18, "0123456789ABCDEF0", S::Refused, "MAC address :\nLess than 16 word!!"},
          {18, "X123456789ABCDEF0", S::Refused, kHexMessage},
      },
      StoreParameterValue);
}

TEST(ConsoleEntry, TextKindsTakeAtMostTheirWidth) {
  RunKindCases(
      {
          {6, std::string(64, 'd'), S::Stored, std::string(64, 'd')},
          {6, std::string(65, 'd'), S::Refused, "Data :\nLess than 64 word!!"},
          {6, "", S::Stored, ""},
          {11, "Device-0001", S::Stored, "Device-0001"},
          {11, std::string(17, 'n'), S::Refused, "Devie Name :\nLess than 16 word!!"},
          {0, "x", S::Refused, "NULL :\nLess than 0 word!!"},
      },
      StoreParameterValue);
}

TEST(ConsoleEntry, OptionTextsStoreTheirCodes) {
  RunKindCases(
      {
          {4, "1A", S::Stored, "1A"},
          {5, "07FFF800", S::Stored, "7FFF800"},
          {8, "NWK Key", S::Stored, "A"},
          {8, "Neighbor", S::Stored, "2"},
          {28, "Print Info", S::Stored, "18"},
          {28, "Channel ID", S::Stored, "6"},
          {22, "16.3 dB", S::Stored, "F"},
          {22, "Display", S::Stored, ""},
          {24, "NULL", S::Stored, ""},
          {24, "Once per 1 day", S::Stored, "5"},
          {24, "Once per 1 month", S::Stored, "6"},
          {17, "P2P MODE", S::Stored, "1"},
          {34, "Switch", S::Stored, "2"},
          {8, "nwk key", S::Unchanged, ""},
          {4, "1B", S::Unchanged, ""},
      },
      StoreParameterValue);
}

TEST(ConsoleEntry, SpinRowsStoreTwoDecimalDigits) {
  RunKindCases(
      {
          {15, "7", S::Stored, "07"},
          {15, "10", S::Stored, "10"},
          {15, "0", S::Stored, "00"},
          {15, "23", S::Stored, "23"},
          {15, "24", S::Refused, "Hour :\nPlease enter between 0 to 23"},
          {16, "59", S::Stored, "59"},
          {16, "-1", S::Refused, std::string(kDecimalDigitMessage)},
          {16, "", S::Refused, std::string(kDecimalDigitMessage)},
          {16, "99999999999999999999", S::Refused, "Minute :\nPlease enter between 0 to 59"},
          {31, "3F", S::Unchanged, ""},
          {2, "1a", S::Stored, "001a"},
      },
      EditKindRow);
  // The text rule leaves spin and weekday kinds to the row edit.
  RunKindCases({{15, "7", S::Unchanged, ""}, {31, "3F", S::Unchanged, ""}}, StoreParameterValue);
}

TEST(WeekdayRows, DaysSetAndClearTheirBits) {
  struct DayCase {
    std::string mask;
    const char* day;
    bool checked;
    S status;
    std::string expected;
  };
  const DayCase cases[] = {
      {"7F", "SUN", false, S::Stored, "3F"},
      {"3F", "SUN", true, S::Stored, "7F"},
      {"7F", "SAT", false, S::Stored, "7E"},
      {"7F", "WEK", false, S::Stored, "77"},
      {"00", "MON", true, S::Stored, "20"},
      // Rows that do not show the mask they edit: a day already off stays off, a day already
      // on stays on.
      {"3F", "SUN", false, S::Stored, "3F"},
      {"00", "MON", false, S::Stored, "00"},
      {"7F", "SUN", true, S::Stored, "7F"},
      {"ff", "SUN", false, S::Stored, "3F"},
      {"7", "SUN", false, S::Refused, kHexMessage},
      {"", "SUN", true, S::Refused, kHexMessage},
  };
  for (const DayCase& c : cases) {
    SCOPED_TRACE(c.mask + " " + c.day);
    std::optional<int> day = DayByLabel(c.day);
    ASSERT_TRUE(day);
    KindValueTable kinds;
    ConfigValueTable items;
    kinds.Set(kWeekKind, c.mask);
    items.Set(kAlarmWeekItem, c.mask);
    for (const EntryResult& result :
         {EditDayRow(kinds, *day, c.checked), EditDayRow(items, *day, c.checked)}) {
      EXPECT_EQ(result.status, c.status);
      EXPECT_EQ(c.status == S::Stored ? result.text : result.message, c.expected);
    }
    const std::string after = c.status == S::Stored ? c.expected : c.mask;
    EXPECT_EQ(kinds.Get(kWeekKind), after);
    EXPECT_EQ(items.Get(kAlarmWeekItem), after);
  }
  EXPECT_EQ(DayByLabel("WED"), std::nullopt);
  EXPECT_EQ(DayByLabel("sun"), std::nullopt);
  EXPECT_EQ(*DayByLabel("SAT"), 6);
  EXPECT_FALSE(WeekdayMaskAfter("7F", 7, true).accepted());
}

TEST(ConfigEntry, HexItemsPadAtTheEnd) {
  RunItemCases(
      {
          {14, "1a", S::Stored, "1a00"},
          {14, "1234", S::Stored, "1234"},
          {14, "12", S::Stored, "1200"},
          {14, "98", S::Stored, "9800"},
          {14, "12345", S::Refused, "PanID :\nLess than 4 word!!"},
          {14, "1G", S::Refused, kHexMessage},
          {16, "FFFE", S::Stored, "FFFE"},
          {16, "FFFF", S::Refused, "MyShortAddr :\nPlease enter between 0 to FFFE (hex)"},
          {16, "FFFFF", S::Refused, "MyShortAddr :\nPlease enter between 0 to FFFE (hex)"},
          {18, "1", S::Stored, "10"},
          {18, "FF", S::Stored, "FF"},
          {18, "FFF", S::Refused, "BeaconOrder :\nLess than 2 word!!"},
          {23, "1", S::Stored, "1" + std::string(31, '0')},
          {23, std::string(31, '0') + "g", S::Refused, kHexMessage},
          {15, "ABC", S::Stored, "ABC0000000000000"},
      },
      StoreConfigValue);
}

TEST(ConfigEntry, MacAddressIsStoredWithItsHalvesExchanged) {
  RunItemCases(
      {
          {10, "0123456789ABCDEF", S::Stored, "89ABCDEF01234567"},
          {10, "0123", S::Stored, "0000000001230000"},
          {10, "0123456789ABCDEF0", S::Refused, "MACAddr :\nLess than 16 word!!"},
          {10, "0123456789ABCDEZ", S::Refused, kHexMessage},
      },
      StoreConfigValue);
  EXPECT_EQ(SwapMacHalves("89ABCDEF01234567"), "0123456789ABCDEF");
  EXPECT_EQ(SwapMacHalves("short"), "short");
}

TEST(ConfigEntry, TextsAndOptions) {
  RunItemCases(
      {
          {2, std::string(32, 'c'), S::Stored, std::string(32, 'c')},
          {2, std::string(33, 'c'), S::Refused, "CompanyName :\nLess than 32 word!!"},
          {38, "Kitchen", S::Stored, "Kitchen"},
          {38, std::string(17, 'k'), S::Refused, "Device Name :\nLess than 16 word!!"},
          {49, "0909000012", S::Stored, "0909000012"},
          {5, "9600", S::Stored, "04"},
          {5, "115200", S::Stored, "08"},
          {12, "1A", S::Stored, "1A"},
          {12, "0B", S::Stored, "0B"},
          {29, "Disable", S::Stored, "00"},
          {29, "Enable", S::Stored, "01"},
          {29, "Trust Center", S::Stored, "81"},
          {42, "Once per 1 month", S::Stored, "06"},
          {5, "9601", S::Unchanged, ""},
          {43, "7", S::Unchanged, ""},
          {45, "3F", S::Unchanged, ""},
      },
      StoreConfigValue);
}

TEST(ConfigEntry, SpinRowsFormatTheirIntegers) {
  RunItemCases(
      {
          {44, "7", S::Stored, "07"},
          {43, "59", S::Stored, "59"},
          {43, "60", S::Refused, "AlarmMin :\nPlease enter between 0 to 59"},
          {32, "60", S::Stored, "0000003C"},
          {32, "500", S::Stored, "000001F4"},
          {32, "501", S::Refused, "SyncInterval :\nPlease enter between 0 to 500"},
          {32, "3C", S::Refused, std::string(kDecimalDigitMessage)},
          {14, "12", S::Stored, "1200"},
          {10, "0123456789ABCDEF", S::Stored, "89ABCDEF01234567"},
      },
      EditItemRow);
}

TEST(ConfigEntry, CommandLineEntryAddsWhatTheGridControlsGuarantee) {
  RunItemCases(
      {
          {14, "12", S::Stored, "1200"},
          {5, "9600", S::Stored, "04"},
          {5, "04", S::Refused,
           "Baudrate :\nPlease choose one of 300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, "
           "115200"},
          {48, "on", S::Refused, "TurboMode :\nPlease choose one of OFF, ON"},
          {32, "60", S::Stored, "0000003C"},
          {45, "3f", S::Stored, "3F"},
          {45, "80", S::Refused, "AlarmWeek :\nPlease enter between 0 to 7F (hex)"},
          {45, "7", S::Refused, kHexMessage},
          {0, "0003", S::Refused, "Version :\nThis item is read-only!"},
          {9, "None", S::Refused, "FlowCtrl :\nThis item is read-only!"},
          {25, "ZZ", S::Refused, "MaxChildren :\nThis item is read-only!"},
          {23, "1", S::Stored, "1" + std::string(31, '0')},
          {51, "x", S::Refused, "No such configuration item"},
      },
      EnterConfigValue);
  ConfigValueTable table;
  table.SetKeyEditable("00");
  EXPECT_EQ(EnterConfigValue(table, kNetworkKeyItem, "1").message,
            "NetworkKey :\nThis item is read-only!");
}

// A name held in another code than UTF-8 (Latin-1 "Café"), as a module may hold it.
const std::string kLatinName = "Caf\xE9";

TEST(TextEntry, FieldsShowEachByteAsOneCharacterAndGiveItBack) {
  EXPECT_EQ(ShownText("Pump-7"), "Pump-7");
  EXPECT_EQ(ShownText(kLatinName), "Caf\xC3\xA9");  // "Café" as UTF-8
  EXPECT_EQ(ShownText("\xFF\x80"), "\xC3\xBF\xC2\x80");
  // Left as shown, or edited around them, the module's own bytes come back unchanged.
  for (const std::string& slot : {std::string("Pump-7"), kLatinName, std::string("\xFF\x80")}) {
    const EntryResult back = TypedText("Device Name", ShownText(slot), slot);
    EXPECT_EQ(back.status, S::Stored);
    EXPECT_EQ(back.text, slot);
  }
  EXPECT_EQ(TypedText("Device Name", "2 " + ShownText(kLatinName), kLatinName).text,
            "2 " + kLatinName);
}

TEST(TextEntry, CharactersTheUserTypesBeyondAsciiAreRefused) {
  struct TypedCase {
    std::string typed;
    std::string slot;
    std::string message;
  };
  const std::vector<TypedCase> cases = {
      {"K\xC3\xBC"
       "che",
       "Kitchen", "Device Name :\n\"\xC3\xBC\" is not a character the module takes (7-bit ASCII)"},
      // é is the module's own byte in the slot; ü is not.
      {"Caf\xC3\xA9\xC3\xBC", kLatinName,
       "Device Name :\n\"\xC3\xBC\" is not a character the module takes (7-bit ASCII)"},
      {"\xE2\x82\xAC", "",
       "Device Name :\n\"\xE2\x82\xAC\" is not a character the module takes "
       "(7-bit ASCII)"},
      {"ok\xE9", kLatinName,  // bytes that are no UTF-8 were not typed through a field
       "Device Name :\n\"\\xE9\" is not a character the module takes (7-bit ASCII)"},
      {"\xC0\xAF", "",
       "Device Name :\n\"\\xC0\" is not a character the module takes (7-bit ASCII)"},
  };
  for (const TypedCase& c : cases) {
    SCOPED_TRACE(c.typed);
    const EntryResult result = TypedText("Device Name", c.typed, c.slot);
    EXPECT_EQ(result.status, S::Refused);
    EXPECT_EQ(result.message, c.message);
  }
  EXPECT_EQ(TypedText("", "\xC3\xBC", "").message,
            "\"\xC3\xBC\" is not a character the module takes (7-bit ASCII)");
}

TEST(TextEntry, TextRowsCountTheModulesBytesAndRefuseTypedLetters) {
  ConfigValueTable table;
  table.Set(38, kLatinName);
  // Twelve more characters make sixteen bytes: within the width, as the module counts.
  EXPECT_EQ(EditItemRow(table, 38, ShownText(kLatinName) + "-123456789AB").status, S::Stored);
  EXPECT_EQ(table.Get(38), kLatinName + "-123456789AB");
  EXPECT_EQ(EditItemRow(table, 38,
                        "K\xC3\xBC"
                        "che")
                .message,
            "Device Name :\n\"\xC3\xBC\" is not a character the module takes (7-bit ASCII)");
  EXPECT_EQ(table.Get(38), kLatinName + "-123456789AB");
  KindValueTable kinds;
  EXPECT_EQ(EditKindRow(kinds, 6, "\xC3\xA9").status, S::Refused);
  EXPECT_EQ(EditKindRow(kinds, 6, "hello").text, "hello");
}

}  // namespace
}  // namespace netloom::catalogue
