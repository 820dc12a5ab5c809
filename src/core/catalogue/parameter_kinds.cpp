#include "core/catalogue/parameter_kinds.h"

#include <cstdio>

namespace netloom::catalogue {
namespace {

constexpr std::string_view kChannelMaskOptions[] = {"07FFF800"};
constexpr std::string_view kTableTypeOptions[] = {
    "Sreg",        "Neighbor",       "Routing",    "Address Map",   "Source Route",
    "Group Table", "Channel Report", "Bind Table", "APS Pair Desc", "NWK Key"};
constexpr std::string_view kModeOptions[] = {"Remote AT", "P2P MODE", "Group MODE"};
constexpr std::string_view kOuputLvOptions[] = {
    "Display", "0.0 dB",  "0.5 dB",  "1.2 dB",  "1.9 dB",  "2.8 dB",  "3.7 dB",  "4.9 dB", "6.3 dB",
    "10.0 dB", "10.5 dB", "11.2 dB", "11.9 dB", "12.8 dB", "13.7 dB", "14.9 dB", "16.3 dB"};
constexpr std::string_view kPeriodTypeOptions[] = {
    "NULL",           "Period disable",  "Once per 0.5 sec", "Once per 1 sec",
    "Once per 1 min", "Once per 1 hour", "Once per 1 day",   "Once per 1 month"};
constexpr std::string_view kSREGTypeOptions[] = {
    "MAC ADDR",         "ExPanID",          "Associate permit",  "Echo back",    "Rx mode",
    "Channel ID",       "PAN ID",           "Not support",       "Network ADDR", "VMDEST",
    "Security Enable",  "MAC When Idle",    "Preconfigured Key", "Current mode", "Flags of status",
    "APS Channel Mask", "PriorPreconf Key", "Print Info"};
constexpr std::string_view kKeyTypeOptions[] = {"Network Key", "Link Key"};
constexpr std::string_view kInitialValueOptions[] = {"0", "1"};
constexpr std::string_view kSwitchModeOptions[] = {"OFF", "ON", "Switch"};

constexpr std::array<ParameterKind, kKindCount> kKinds = {{
    {"NULL", 0, ParamValueType::Plain, 0, 0, {}, ""},                                       // 0
    {"Acknowledgment", 1, ParamValueType::Hex1, 0, 1, {}, "0 to 1"},                        // 1
    {"Network Address", 4, ParamValueType::Hex4, 0, 255, {}, "0000 to FFFF"},               // 2
    {"Network address", 4, ParamValueType::Hex4, 0, 254, {}, "0000 to FFFE"},               // 3
    {"Channel", 2, ParamValueType::OptionList, 0, 15, kChannelOptions, ""},                 // 4
    {"Channel Mask", 8, ParamValueType::OptionList, 0, 0, kChannelMaskOptions, ""},         // 5
    {"Data", 64, ParamValueType::Text, 0, 0, {}, "Small then 64 word"},                     // 6
    {"DATA length", 2, ParamValueType::Hex2, 0, 64, {}, "0 to 0x40"},                       // 7
    {"Table Type", 2, ParamValueType::OptionList, 0, 9, kTableTypeOptions, ""},             // 8
    {"Duration", 1, ParamValueType::Hex1, 0, 15, {}, "0 to 0xF"},                           // 9
    {"Devie Type", 1, ParamValueType::Hex1, 0, 1, {}, "0 to 1"},                            // 10
    {"Devie Name", 16, ParamValueType::Text, 0, 0, {}, "Small then 16 word"},               // 11
    {"Endpoint", 2, ParamValueType::Hex2, 0, 254, {}, "00 to FE"},                          // 12
    {"Group", 1, ParamValueType::Hex1, 0, 1, {}, "0 to 1"},                                 // 13
    {"Group ID", 4, ParamValueType::Hex4, 0, 255, {}, "000 to FFFF"},                       // 14
    {"Hour", 2, ParamValueType::DecimalSpin, 0, 23, {}, ""},                                // 15
    {"Minute", 2, ParamValueType::DecimalSpin, 0, 59, {}, ""},                              // 16
    {"Mode", 2, ParamValueType::OptionList, 0, 2, kModeOptions, ""},                        // 17
    {"MAC address", 16, ParamValueType::HexAddress, 0, 255, {}, "HEX data(16 word)"},       // 18
    {"Key", 32, ParamValueType::HexKey, 0, 255, {}, "HEX data(32 word)"},                   // 19
    {"", 0, ParamValueType::Plain, 0, 0, {}, ""},                                           // 20
    {"PAN ID", 4, ParamValueType::Hex4, 0, 255, {}, "0000 to FFFF"},                        // 21
    {"Ouput Lv.", 2, ParamValueType::OptionList, 0, 16, kOuputLvOptions, ""},               // 22
    {"PERIOD Time", 4, ParamValueType::Hex4, 0, 255, {}, "0000 to FFFF"},                   // 23
    {"Period Type", 2, ParamValueType::OptionList, 0, 7, kPeriodTypeOptions, ""},           // 24
    {"Restore MAC addr", 16, ParamValueType::HexAddress, 0, 255, {}, "HEX data(16 word)"},  // 25
    {"", 0, ParamValueType::Plain, 0, 0, {}, ""},                                           // 26
    {"Key ID", 2, ParamValueType::Hex2, 0, 255, {}, "00 to FF"},                            // 27
    {"SREG Type", 2, ParamValueType::OptionList, 0, 17, kSREGTypeOptions, ""},              // 28
    {"Time Out", 8, ParamValueType::Hex8, 0, 255, {}, "HEX data(8 word)"},                  // 29
    {"Target MAC addr", 16, ParamValueType::HexAddress, 0, 255, {}, "HEX data(16 word)"},   // 30
    {"Week", 2, ParamValueType::WeekdayMask, 0, 0, {}, ""},                                 // 31
    {"Key Type", 2, ParamValueType::OptionList, 0, 1, kKeyTypeOptions, ""},                 // 32
    {"Initial Value", 2, ParamValueType::OptionList, 0, 1, kInitialValueOptions, ""},       // 33
    {"SwitchMode", 2, ParamValueType::OptionList, 0, 2, kSwitchModeOptions, ""},            // 34
}};

constexpr bool KindFits(const ParameterKind& kind) {
  bool fits = kind.name.size() <= kMaxNameLength && kind.rangeText.size() <= kMaxTextLength &&
              kind.options.size() <= kMaxOptions;
  if (kind.valueType == ParamValueType::OptionList) {
    fits = fits && kind.options.size() == static_cast<std::size_t>(kind.maximum) + 1;
  }
  for (std::string_view option : kind.options) fits = fits && option.size() <= kMaxTextLength;
  return fits;
}

constexpr bool AllKindsFit() {
  for (const ParameterKind& kind : kKinds) {
    if (!KindFits(kind)) return false;
  }
  return true;
}
static_assert(AllKindsFit(), "a parameter kind exceeds the catalogue's field limits");

std::string Hex(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
  return text;
}

}  // namespace

std::span<const ParameterKind, kKindCount> ParameterKinds() {
  return kKinds;
}

int KindByLabel(std::string_view label) {
  for (int k = 0; k < kKindCount; ++k) {
    if (k == kSregValueKind || k == kRtcKind) continue;
    if (kKinds[k].name == label) return k;
  }
  return kNoKind;
}

std::optional<std::string> KindOptionCode(int kind, int option) {
  if (kind < 0 || kind >= kKindCount) return std::nullopt;
  const ParameterKind& entry = kKinds[kind];
  if (entry.valueType != ParamValueType::OptionList || option < 0 || option > entry.maximum) {
    return std::nullopt;
  }
  switch (kind) {
    case 4:  // "Channel": the channel number itself
      return std::string(entry.options[option]);
    case 5:  // "Channel Mask": the module takes the mask without its leading zero
      return std::string("7FFF800");
    case 8:  // "Table Type": tables are numbered from 1
      return Hex(option + 1);
    case 22:  // "Ouput Lv.", "Period Type": option 0 only displays, so it sends no argument
    case 24:
      return option == 0 ? std::string() : Hex(option - 1);
    case kSregTypeKind:  // S-register numbers are decimal, from 1
      return std::to_string(option + 1);
    default:
      return Hex(option);
  }
}

std::optional<std::string> InitialKindText(int kind) {
  if (kind < 0 || kind >= kKindCount || kind == kRtcKind) return std::nullopt;
  switch (kKinds[kind].valueType) {
    case ParamValueType::DecimalSpin:
    case ParamValueType::LongSpin:
      return std::string("0");
    case ParamValueType::OptionList:
      return KindOptionCode(kind, 0);
    case ParamValueType::WeekdayMask:
      return std::string("7F");
    default:
      return std::string();
  }
}

}  // namespace netloom::catalogue
