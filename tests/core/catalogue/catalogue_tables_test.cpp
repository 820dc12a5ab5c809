// The catalogues against the module's published tables: counts, every name, kind, width,
// default and flag, the console tree of both tabs, the option codes of every option list.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/catalogue/at_commands.h"
#include "core/catalogue/config_items.h"
#include "core/catalogue/parameter_kinds.h"

namespace netloom::catalogue {
namespace {

using T = ParamValueType;

struct CommandRow {
  const char* name;
  std::vector<int> kinds;
};

const CommandRow kCommandRows[] = {
    {"INFO", {}},
    {"SCAN", {}},
    {"EDSCAN", {5, 9}},
    {"STARTPAN", {4, 21}},
    {"STARTRT", {}},
    {"STARTTC", {}},
    {"JOIN", {21, 10}},
    {"LEAVE", {18}},
    {"RESET", {}},
    {"ADDR", {18}},
    {"IEEE", {2}},
    {"DESCREQ", {2}},
    {"EPREQ", {2}},
    {"EDREQ", {2, 5, 9}},
    {"CHGCH", {4}},
    {"PING", {2, 29}},
    {"WAKEUP", {}},
    {"SLEEP", {}},
    {"SYNC", {}},
    {"POLL", {23}},
    {"RTDISCOVER", {2}},
    {"ADDGRP", {14, 12}},
    {"RMGRP", {14, 12}},
    {"_RE_DESCREQ", {}},
    {"_RE_EPREQ", {}},
    {"TXDATAU", {1, 13, 2, 7, 6}},
    {"TXDATAB", {7, 6}},
    {"TXEACK", {2}},
    {"RXDATA", {}},
    {"SENDNWKKEY", {30, 27, 19}},
    {"SWITCHKEY", {30, 27}},
    {"REQUESTKEY", {18, 32}},
    {"CLRNWKKEY", {}},
    {"CLRLINKKEY", {}},
    {"SETNWKKEY", {19}},
    {"SETLINKKEY", {18, 19}},
    {"RMDEV", {25, 30}},
    {"NEIGHBOR", {}},
    {"CONSOLE", {2, 17}},
    {"STRPERDATA", {}},
    {"NETINFO", {2, 23}},
    {"NETRECOVER", {}},
    {"SREG", {28, 20}},
    {"ALARM", {15, 16, 31}},
    {"PERIOD", {24}},
    {"DUMP", {8}},
    {"RTC", {26}},
    {"JOINP2P", {3}},
    {"JOINGRP", {3, 14}},
    {"JOINSTAR", {3}},
    {"FINDDEVICE", {11}},
    {"DEST", {2, 17}},
    {"VERSION", {}},
    {"POWER", {22}},
    {"SENDLINKKEY", {18, 18, 19, 33}},
    {"ZCLONOFF", {2, 34}},
};

TEST(AtCommands, EveryNameAndKindListInOrder) {
  ASSERT_EQ(AtCommands().size(), 56u);
  ASSERT_EQ(std::size(kCommandRows), 56u);
  for (std::size_t c = 0; c < 56; ++c) {
    const AtCommandEntry& entry = AtCommands()[c];
    EXPECT_EQ(entry.name, kCommandRows[c].name) << c;
    EXPECT_EQ(std::vector<int>(entry.Kinds().begin(), entry.Kinds().end()), kCommandRows[c].kinds)
        << c;
    for (std::size_t k = entry.Kinds().size(); k < kMaxParams; ++k) {
      EXPECT_EQ(entry.paramKinds[k], 0) << c;
    }
  }
}

TEST(AtCommands, ParameterAndHelpTextsKeepTheirLinesAndSpelling) {
  struct Case {
    int command;
    const char* paramText;
    const char* helpText;
  };
  const Case cases[] = {
      {0, "NULL", "Retrieve product information and network parameters stored in S-registers"},
      {10, "Network address(0000 to FFFF)", "Request the IEEE 64-bit address of+ the device"},
      {19, "PERIOD Time(0 to 65535(dec)) X 10msec ", "Start polling to parent device periodically"},
      {23, "Error ATcommand", "Retrieve the Node Descriptor of a device"},
      {25,
       "Acknowledgment(0 to 1)\r\nGroup(0 to 1)\r\nNetwork address(0000 to FFFF)\r\n"
       "DATA length(00 to 40)\r\nData content(Small than 64 work)",
       "Transmit data using Unicast to the specified device"},
      {42, "ID of SREG(00 to 3F)\r\nValue :\r\n   Write : Parameter's range\r\n   Read : NULL",
       "Read or write S-registers"},
      {43, "Hour(00~23 dec)\r\nMinute(00~59 dec)", ""},
      {44, "", ""},
      {51, "Network address & Group ID (0000 to FFFF)\r\nMODE(00 to 01)",
       "Enter Virtual mode by it self"},
      {54, "MAC address(16 word)\r\nMAC address(16 word)\r\nNetwork Key(32 word)\r\nInitial Value",
       "Transport network key used for encryption"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AtCommands()[c.command].paramText, c.paramText) << c.command;
    EXPECT_EQ(AtCommands()[c.command].helpText, c.helpText) << c.command;
  }
}

struct KindRow {
  const char* name;
  int width;
  ParamValueType type;
  int maximum;
  const char* rangeText;
};

const KindRow kKindRows[] = {
    {"NULL", 0, T::Plain, 0, ""},
    {"Acknowledgment", 1, T::Hex1, 1, "0 to 1"},
    {"Network Address", 4, T::Hex4, 255, "0000 to FFFF"},
    {"Network address", 4, T::Hex4, 254, "0000 to FFFE"},
    {"Channel", 2, T::OptionList, 15, ""},
    {"Channel Mask", 8, T::OptionList, 0, ""},
    {"Data", 64, T::Text, 0, "Small then 64 word"},
    {"DATA length", 2, T::Hex2, 64, "0 to 0x40"},
    {"Table Type", 2, T::OptionList, 9, ""},
    {"Duration", 1, T::Hex1, 15, "0 to 0xF"},
    {"Devie Type", 1, T::Hex1, 1, "0 to 1"},
    {"Devie Name", 16, T::Text, 0, "Small then 16 word"},
    {"Endpoint", 2, T::Hex2, 254, "00 to FE"},
    {"Group", 1, T::Hex1, 1, "0 to 1"},
    {"Group ID", 4, T::Hex4, 255, "000 to FFFF"},
    {"Hour", 2, T::DecimalSpin, 23, ""},
    {"Minute", 2, T::DecimalSpin, 59, ""},
    {"Mode", 2, T::OptionList, 2, ""},
    {"MAC address", 16, T::HexAddress, 255, "HEX data(16 word)"},
    {"Key", 32, T::HexKey, 255, "HEX data(32 word)"},
    {"", 0, T::Plain, 0, ""},
    {"PAN ID", 4, T::Hex4, 255, "0000 to FFFF"},
    {"Ouput Lv.", 2, T::OptionList, 16, ""},
    {"PERIOD Time", 4, T::Hex4, 255, "0000 to FFFF"},
    {"Period Type", 2, T::OptionList, 7, ""},
    {"Restore MAC addr", 16, T::HexAddress, 255, "HEX data(16 word)"},
    {"", 0, T::Plain, 0, ""},
    {"Key ID", 2, T::Hex2, 255, "00 to FF"},
    {"SREG Type", 2, T::OptionList, 17, ""},
    {"Time Out", 8, T::Hex8, 255, "HEX data(8 word)"},
    {"Target MAC addr", 16, T::HexAddress, 255, "HEX data(16 word)"},
    {"Week", 2, T::WeekdayMask, 0, ""},
    {"Key Type", 2, T::OptionList, 1, ""},
    {"Initial Value", 2, T::OptionList, 1, ""},
    {"SwitchMode", 2, T::OptionList, 2, ""},
};

TEST(ParameterKinds, EveryKindAsPublished) {
  ASSERT_EQ(ParameterKinds().size(), 35u);
  for (std::size_t k = 0; k < 35; ++k) {
    const ParameterKind& kind = ParameterKinds()[k];
    EXPECT_EQ(kind.name, kKindRows[k].name) << k;
    EXPECT_EQ(kind.width, kKindRows[k].width) << k;
    EXPECT_EQ(kind.valueType, kKindRows[k].type) << k;
    EXPECT_EQ(kind.minimum, 0) << k;
    EXPECT_EQ(kind.maximum, kKindRows[k].maximum) << k;
    EXPECT_EQ(kind.rangeText, kKindRows[k].rangeText) << k;
    if (kind.valueType == T::OptionList) {
      EXPECT_EQ(kind.options.size(), static_cast<std::size_t>(kind.maximum) + 1) << k;
    } else {
      EXPECT_TRUE(kind.options.empty()) << k;
    }
  }
}

struct ItemRow {
  const char* name;
  int width;
  const char* defaultValue;
  ParamValueType type;
  int maximum;
  bool enabled;
};

const ItemRow kItemRows[] = {
    {"Version", 4, "0002", T::Plain, 0, false},
    {"Version", 16, "1.092 09/29/2009", T::Plain, 0, false},
    {"CompanyName", 32, "Harbinor Wireless Inc.", T::Text, 0, true},
    {"ModelName", 16, "KT450-SX", T::Text, 0, true},
    {"MCUClock", 2, "00", T::Plain, 0, false},
    {"Baudrate", 2, "04", T::OptionList, 8, true},
    {"DataBit", 2, "02", T::OptionList, 2, true},
    {"Parity", 2, "00", T::OptionList, 3, true},
    {"StopBit", 2, "01", T::OptionList, 2, true},
    {"FlowCtrl", 2, "00", T::OptionList, 2, false},
    {"MACAddr", 16, "0123456789ABCDEF", T::HexAddress, 255, true},
    {"ChannelMask", 8, "07FFF800", T::Plain, 0, false},
    {"Channel", 2, "0B", T::OptionList, 15, true},
    {"TransmitPower", 2, "40", T::Plain, 0, false},
    {"PanID", 4, "9876", T::Hex4, 255, true},
    {"ExPanID", 16, "0000000000000000", T::HexAddress, 255, false},
    {"MyShortAddr", 4, "0000", T::Hex4, 254, false},
    {"DstAddr", 4, "0000", T::Hex4, 255, true},
    {"BeaconOrder", 2, "0F", T::Hex2, 255, false},
    {"SuperframeOrder", 2, "0F", T::Hex2, 255, false},
    {"DeviceType", 2, "02", T::OptionList, 2, true},
    {"PermitJoin", 2, "01", T::OptionList, 1, false},
    {"ParentAddr", 4, "FFFF", T::Hex4, 255, false},
    {"NetworkKey", 32, "3C4D5E6F708192A3B4C5D6E7F8091A2B", T::HexKey, 255, false},
    {"RoutingType", 2, "01", T::OptionList, 1, false},
    {"MaxChildren", 2, "20", T::Plain, 0, false},
    {"MaxRouters", 2, "10", T::Plain, 0, false},
    {"MaxDepth", 2, "10", T::Plain, 0, false},
    {"RepairThreshold", 2, "02", T::Plain, 0, false},
    {"SecurityEnable", 2, "00", T::OptionList, 2, true},
    {"TableExpireTime", 4, "0BB8", T::Hex4, 255, false},
    {"SendInterval", 8, "00000000", T::LongSpin, 500, false},
    {"SyncInterval", 8, "0000003C", T::LongSpin, 500, true},
    {"StarModeInterval", 8, "00000000", T::LongSpin, 500, false},
    {"EDduration", 2, "00", T::Hex2, 255, false},
    {"MyEndpoint", 2, "00", T::Plain, 0, false},
    {"Group ID", 4, "0000", T::Hex4, 255, false},
    {"ConsoleMode", 2, "00", T::OptionList, 4, true},
    {"Device Name", 16, "Device-0001", T::Text, 0, true},
    {"ReserveData3", 2, "00", T::Plain, 0, false},
    {"DeviceID", 4, "0000", T::Hex4, 255, true},
    {"SleepMode", 2, "00", T::OptionList, 2, true},
    {"ConstPeriod", 2, "00", T::OptionList, 6, true},
    {"AlarmMin", 2, "00", T::DecimalSpin, 59, true},
    {"AlarmHour", 2, "00", T::DecimalSpin, 23, true},
    {"AlarmWeek", 2, "7F", T::WeekdayMask, 0, false},
    {"Upgrade", 2, "00", T::Plain, 0, false},
    {"CircuitType", 2, "00", T::OptionList, 2, true},
    {"TurboMode", 2, "00", T::OptionList, 1, true},
    {"SerialNum", 16, "0909000011", T::Plain, 0, true},
    {"ReserveData", 64, "", T::Plain, 0, false},
};

TEST(ConfigCatalogue, EveryItemAsPublished) {
  ASSERT_EQ(ConfigCatalogue().size(), 51u);
  for (std::size_t i = 0; i < 51; ++i) {
    const ConfigItem& item = ConfigCatalogue()[i];
    EXPECT_EQ(item.name, kItemRows[i].name) << i;
    EXPECT_EQ(item.width, kItemRows[i].width) << i;
    EXPECT_EQ(item.defaultValue, kItemRows[i].defaultValue) << i;
    EXPECT_EQ(item.valueType, kItemRows[i].type) << i;
    EXPECT_EQ(item.minimum, 0) << i;
    EXPECT_EQ(item.maximum, kItemRows[i].maximum) << i;
    EXPECT_EQ(item.enabled, kItemRows[i].enabled) << i;
    EXPECT_EQ(item.description, "") << i;
  }
}

// The widths fill bytes 0..253 of the image exactly: number and key items take half their width,
// text items their width.
TEST(ConfigCatalogue, EncodingsAndWidthsFillTheImage) {
  int bytes = 0;
  for (int i = 0; i < kItemCount; ++i) {
    const ConfigItem& item = ConfigCatalogue()[i];
    bool halves = item.encoding == ItemEncoding::Number || item.encoding == ItemEncoding::Key;
    bytes += halves ? item.width / 2 : item.width;
    if (i == kChannelItem) {
      EXPECT_EQ(bytes - 1, 84);  // the Channel byte
    }
  }
  EXPECT_EQ(bytes, 254);
  const std::vector<int> texts = {1, 2, 3, 38, 49};
  for (int i = 0; i < kItemCount; ++i) {
    ItemEncoding expected = i == 23   ? ItemEncoding::Key
                            : i == 50 ? ItemEncoding::Reserved
                            : std::find(texts.begin(), texts.end(), i) != texts.end()
                                ? ItemEncoding::Text
                                : ItemEncoding::Number;
    EXPECT_EQ(ConfigCatalogue()[i].encoding, expected) << i;
  }
}

}  // namespace
}  // namespace netloom::catalogue
