#include "core/catalogue/config_items.h"

#include <charconv>

#include "core/catalogue/digits.h"
#include "core/catalogue/parameter_kinds.h"

namespace netloom::catalogue {
namespace {

constexpr std::string_view kBaudrateOptions[] = {"300",   "1200",  "2400",  "4800",  "9600",
                                                 "19200", "38400", "57600", "115200"};
constexpr std::string_view kDataBitOptions[] = {"5", "7", "8"};
constexpr std::string_view kParityOptions[] = {"None", "Zero", "Even", "Odd"};
constexpr std::string_view kStopBitOptions[] = {"None", "1", "2"};
constexpr std::string_view kFlowCtrlOptions[] = {"None", "Xon/Xoff", "Hardware"};
constexpr std::string_view kDeviceTypeOptions[] = {"Coordinator", "Router", "EndDevice"};
constexpr std::string_view kPermitJoinOptions[] = {"False", "True"};
constexpr std::string_view kRoutingTypeOptions[] = {"Tree routing", "Mesh routing"};
constexpr std::string_view kSecurityEnableOptions[] = {"Disable", "Enable", "Trust Center"};
constexpr std::string_view kConsoleModeOptions[] = {"AT Command", "P2P MODE", "Group MODE",
                                                    "Remote AT", "Star MODE"};
constexpr std::string_view kSleepModeOptions[] = {"Disable", "Alarm", "Period"};
constexpr std::string_view kConstPeriodOptions[] = {
    "Period disable",  "Once per 0.5 sec", "Once per 1 sec",  "Once per 1 min",
    "Once per 1 hour", "Once per 1 day",   "Once per 1 month"};
constexpr std::string_view kCircuitTypeOptions[] = {"RS232", "RS422", "RS485"};
constexpr std::string_view kTurboModeOptions[] = {"OFF", "ON"};

// clang-format off
constexpr std::array<ConfigItem, kItemCount> kItems = {{
    {"Version", false, 4, "0002", ParamValueType::Plain, 0, 0, {}, "", ItemEncoding::Number},  // 0
    {"Version", false, 16, "1.092 09/29/2009", ParamValueType::Plain, 0, 0, {}, "", ItemEncoding::Text},  // 1
    {"CompanyName", true, 32, "Harbinor Wireless Inc.", ParamValueType::Text, 0, 0, {}, "", ItemEncoding::Text},  // 2
    {"ModelName", true, 16, "KT450-SX", ParamValueType::Text, 0, 0, {}, "", ItemEncoding::Text},  // 3
    {"MCUClock", false, 2, "00", ParamValueType::Plain, 0, 0, {}, "", ItemEncoding::Number},  // 4
    {"Baudrate", true, 2, "04", ParamValueType::OptionList, 0, 8, kBaudrateOptions, "", ItemEncoding::Number},  // 5
    {"DataBit", true, 2, "02", ParamValueType::OptionList, 0, 2, kDataBitOptions, "", ItemEncoding::Number},  // 6
    {"Parity", true, 2, "00", ParamValueType::OptionList, 0, 3, kParityOptions, "", ItemEncoding::Number},  // 7
    {"StopBit", true, 2, "01", ParamValueType::OptionList, 0, 2, kStopBitOptions, "", ItemEncoding::Number},  // 8
    {"FlowCtrl", false, 2, "00", ParamValueType::OptionList, 0, 2, kFlowCtrlOptions, "", ItemEncoding::Number},  // 9
    {"MACAddr", true, 16, "0123456789ABCDEF", ParamValueType::HexAddress, 0, 255, {}, "", ItemEncoding::Number},  // 10
    {"ChannelMask", false, 8, "07FFF800", ParamValueType::Plain, 0, 0, {}, "", ItemEncoding::Number},  // 11
    {"Channel", true, 2, "0B", ParamValueType::OptionList, 0, 15, kChannelOptions, "", ItemEncoding::Number},  // 12
    {"TransmitPower", false, 2, "40", ParamValueType::Plain, 0, 0, {}, "", ItemEncoding::Number},  // 13
    {"PanID", true, 4, "9876", ParamValueType::Hex4, 0, 255, {}, "", ItemEncoding::Number},  // 14
    {"ExPanID", false, 16, "0000000000000000", ParamValueType::HexAddress, 0, 255, {}, "", ItemEncoding::Number},  // 15
    {"MyShortAddr", false, 4, "0000", ParamValueType::Hex4, 0, 254, {}, "", ItemEncoding::Number},  // 16
    {"DstAddr", true, 4, "0000", ParamValueType::Hex4, 0, 255, {}, "", ItemEncoding::Number},  // 17
    {"BeaconOrder", false, 2, "0F", ParamValueType::Hex2, 0, 255, {}, "", ItemEncoding::Number},  // 18
    {"SuperframeOrder", false, 2, "0F", ParamValueType::Hex2, 0, 255, {}, "", ItemEncoding::Number},  // 19
    {"DeviceType", true, 2, "02", ParamValueType::OptionList, 0, 2, kDeviceTypeOptions, "", ItemEncoding::Number},  // 20
    {"PermitJoin", false, 2, "01", ParamValueType::OptionList, 0, 1, kPermitJoinOptions, "", ItemEncoding::Number},  // 21
    {"ParentAddr", false, 4, "FFFF", ParamValueType::Hex4, 0, 255, {}, "", ItemEncoding::Number},  // 22
    {"NetworkKey", false, 32, "3C4D5E6F708192A3B4C5D6E7F8091A2B", ParamValueType::HexKey, 0, 255, {}, "", ItemEncoding::Key},  // 23
    {"RoutingType", false, 2, "01", ParamValueType::OptionList, 0, 1, kRoutingTypeOptions, "", ItemEncoding::Number},  // 24
    {"MaxChildren", false, 2, "20", ParamValueType::Plain, 0, 0, {}, "", ItemEncoding::Number},  // 25
    {"MaxRouters", false, 2, "10", ParamValueType::Plain, 0, 0, {}, "", ItemEncoding::Number},  // 26
    {"MaxDepth", false, 2, "10", ParamValueType::Plain, 0, 0, {}, "", ItemEncoding::Number},  // 27
    {"RepairThreshold", false, 2, "02", ParamValueType::Plain, 0, 0, {}, "", ItemEncoding::Number},  // 28
    {"SecurityEnable", true, 2, "00", ParamValueType::OptionList, 0, 2, kSecurityEnableOptions, "", ItemEncoding::Number},  // 29
    {"TableExpireTime", false, 4, "0BB8", ParamValueType::Hex4, 0, 255, {}, "", ItemEncoding::Number},  // 30
    {"SendInterval", false, 8, "00000000", ParamValueType::LongSpin, 0, 500, {}, "", ItemEncoding::Number},  // 31
    {"SyncInterval", true, 8, "0000003C", ParamValueType::LongSpin, 0, 500, {}, "", ItemEncoding::Number},  // 32
    {"StarModeInterval", false, 8, "00000000", ParamValueType::LongSpin, 0, 500, {}, "", ItemEncoding::Number},  // 33
    {"EDduration", false, 2, "00", ParamValueType::Hex2, 0, 255, {}, "", ItemEncoding::Number},  // 34
    {"MyEndpoint", false, 2, "00", ParamValueType::Plain, 0, 0, {}, "", ItemEncoding::Number},  // 35
    {"Group ID", false, 4, "0000", ParamValueType::Hex4, 0, 255, {}, "", ItemEncoding::Number},  // 36
    {"ConsoleMode", true, 2, "00", ParamValueType::OptionList, 0, 4, kConsoleModeOptions, "", ItemEncoding::Number},  // 37
    {"Device Name", true, 16, "Device-0001", ParamValueType::Text, 0, 0, {}, "", ItemEncoding::Text},  // 38
    {"ReserveData3", false, 2, "00", ParamValueType::Plain, 0, 0, {}, "", ItemEncoding::Number},  // 39
    {"DeviceID", true, 4, "0000", ParamValueType::Hex4, 0, 255, {}, "", ItemEncoding::Number},  // 40
    {"SleepMode", true, 2, "00", ParamValueType::OptionList, 0, 2, kSleepModeOptions, "", ItemEncoding::Number},  // 41
    {"ConstPeriod", true, 2, "00", ParamValueType::OptionList, 0, 6, kConstPeriodOptions, "", ItemEncoding::Number},  // 42
    {"AlarmMin", true, 2, "00", ParamValueType::DecimalSpin, 0, 59, {}, "", ItemEncoding::Number},  // 43
    {"AlarmHour", true, 2, "00", ParamValueType::DecimalSpin, 0, 23, {}, "", ItemEncoding::Number},  // 44
    {"AlarmWeek", false, 2, "7F", ParamValueType::WeekdayMask, 0, 0, {}, "", ItemEncoding::Number},  // 45
    {"Upgrade", false, 2, "00", ParamValueType::Plain, 0, 0, {}, "", ItemEncoding::Number},  // 46
    {"CircuitType", true, 2, "00", ParamValueType::OptionList, 0, 2, kCircuitTypeOptions, "", ItemEncoding::Number},  // 47
    {"TurboMode", true, 2, "00", ParamValueType::OptionList, 0, 1, kTurboModeOptions, "", ItemEncoding::Number},  // 48
    {"SerialNum", true, 16, "0909000011", ParamValueType::Plain, 0, 0, {}, "", ItemEncoding::Text},  // 49
    {"ReserveData", false, 64, "", ParamValueType::Plain, 0, 0, {}, "", ItemEncoding::Reserved},  // 50
}};
// clang-format on

constexpr bool AllItemsFit() {
  for (const ConfigItem& item : kItems) {
    if (item.name.size() > kMaxItemNameLength || item.defaultValue.size() > kMaxTextLength ||
        item.defaultValue.size() > static_cast<std::size_t>(item.width) ||
        item.options.size() > kMaxOptions) {
      return false;
    }
    if (item.valueType == ParamValueType::OptionList &&
        item.options.size() != static_cast<std::size_t>(item.maximum) + 1) {
      return false;
    }
  }
  return true;
}
static_assert(AllItemsFit(), "a configuration item exceeds the catalogue's field limits");

constexpr int kApplication[] = {17, 40, 37, 20, 38, 31};
constexpr int kPower[] = {41, 42, 43, 44, 45};
constexpr int kSecurity[] = {21, 23, 29};
constexpr int kNetwork[] = {22, 24, 25, 26, 27, 32, 30};
constexpr int kMac[] = {10, 14, 15, 16, 18, 19, 34};
constexpr int kPhy[] = {11, 13, 12, 48};
constexpr int kUart[] = {5, 6, 7, 8, 9, 47};
constexpr int kPrivate[] = {1, 2, 3, 49};

constexpr ConfigGroup kGroups[] = {
    {"Application", kApplication},
    {"Power", kPower},
    {"Security", kSecurity},
    {"Network", kNetwork},
    {"MAC", kMac},
    {"PHY", kPhy},
    {"UART", kUart},
    {"Private", kPrivate},
};

constexpr std::string_view kSecurityCodes[] = {"00", "01", "81"};

bool IsOptionItem(int item) {
  return item >= 0 && item < kItemCount && kItems[item].valueType == ParamValueType::OptionList;
}

}  // namespace

std::span<const ConfigItem, kItemCount> ConfigCatalogue() {
  return kItems;
}

std::span<const ConfigGroup> ConfigGroups() {
  return kGroups;
}

std::optional<int> ItemByName(std::string_view name) {
  for (int i = 0; i < kItemCount; ++i) {
    if (kItems[i].name == name) return i;
  }
  return std::nullopt;
}

std::optional<int> FindConfigItem(std::string_view nameOrIndex) {
  if (std::optional<int> byName = ItemByName(nameOrIndex)) return byName;
  int index = -1;
  const char* end = nameOrIndex.data() + nameOrIndex.size();
  auto [stop, error] = std::from_chars(nameOrIndex.data(), end, index);
  if (error != std::errc() || stop != end || index < 0 || index >= kItemCount) {
    return std::nullopt;
  }
  return index;
}

std::optional<std::string> ConfigOptionCode(int item, int option) {
  if (!IsOptionItem(item) || option < 0 || option > kItems[item].maximum) return std::nullopt;
  if (item == kChannelItem) return std::string(kItems[item].options[option]);
  if (item == kSecurityEnableItem) return std::string(kSecurityCodes[option]);
  constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string{kDigits[option >> 4], kDigits[option & 0xF]};
}

std::optional<int> StoredOptionIndex(int item, std::string_view stored) {
  if (!IsOptionItem(item)) return std::nullopt;
  const ConfigItem& entry = kItems[item];
  if (item == kChannelItem) {
    for (std::size_t i = 0; i < entry.options.size(); ++i) {
      if (entry.options[i] == stored) return static_cast<int>(i);
    }
    return std::nullopt;
  }
  if (item == kSecurityEnableItem && stored == kSecurityCodes[2]) return 2;
  std::optional<std::uint32_t> index = ParseDecimalDigits(stored, 2);
  if (!index || stored.size() != 2 || *index > static_cast<std::uint32_t>(entry.maximum)) {
    return std::nullopt;
  }
  return static_cast<int>(*index);
}

}  // namespace netloom::catalogue
