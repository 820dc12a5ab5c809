// The parameter-kind table of the AT console: 35 read-only kinds, each saying how a parameter of
// that kind is labelled, edited, checked and turned into command text.
//
// Ownership: the table is constant data with static lifetime; spans and string_views returned
// here stay valid for the whole run. Threads: any thread may call everything in this header.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/catalogue/value_type.h"

namespace netloom::catalogue {

inline constexpr int kKindCount = 35;
// What KindByLabel gives for a label that names no kind.
inline constexpr int kNoKind = 35;

// Kinds that other code names by number.
inline constexpr int kNetworkAddressKind = 2;  // "Network Address"
inline constexpr int kJoinAddressKind = 3;     // "Network address"
inline constexpr int kDataKind = 6;            // "Data"; also the text of "Send Message"
inline constexpr int kDeviceNameKind = 11;     // "Devie Name"
inline constexpr int kMacAddressKind = 18;     // "MAC address"
inline constexpr int kSregValueKind = 20;      // value row of "SREG" (no name)
inline constexpr int kRtcKind = 26;            // date-and-time argument of "RTC" (no name)
inline constexpr int kSregTypeKind = 28;       // "SREG Type": composition puts "S" in front
inline constexpr int kWeekKind = 31;           // "Week": the weekday mask

// Limits every catalogue text keeps (the module's own fixed fields).
inline constexpr std::size_t kMaxNameLength = 19;
inline constexpr std::size_t kMaxTextLength = 255;
inline constexpr std::size_t kMaxOptions = 20;

// Option texts of the channel lists (kind "Channel" and item "Channel"): option k is channel
// 11 + k in two hex digits.
inline constexpr std::array<std::string_view, 16> kChannelOptions = {
    "0B", "0C", "0D", "0E", "0F", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "1A"};

struct ParameterKind {
  std::string_view name;  // grid row label; empty for kinds 20 and 26
  std::int32_t width;     // characters on the command line (hex digits, or text length limit)
  ParamValueType valueType;
  std::int32_t minimum;  // 0 in every kind
  // Highest accepted number; for an option list the index of the last option; for hex kinds
  // 254 and 255 stand for the top of the field (FE / FF after leading F digits).
  std::int32_t maximum;
  std::span<const std::string_view> options;  // option texts 0..maximum of an option list
  std::string_view rangeText;                 // description of the grid row, may be empty
};

std::span<const ParameterKind, kKindCount> ParameterKinds();

// The kind whose name equals `label` exactly (case-sensitive), kinds 0..34 in order, skipping
// the unnamed kinds 20 and 26; kNoKind when none matches.
int KindByLabel(std::string_view label);

// The text that choosing option `option` of option-list kind `kind` stores in its value slot:
// "Channel" the option text, "Channel Mask" "7FFF800", "Table Type" i + 1 in hex, "Ouput Lv."
// and "Period Type" empty for option 0 and i - 1 in hex after it, "SREG Type" i + 1 in decimal,
// the others i in hex (all hex upper case, unpadded). nullopt when `kind` is not an option list
// or `option` is outside 0..maximum.
std::optional<std::string> KindOptionCode(int kind, int option);

// The text a kind's slot gets when its grid row is built: empty for text and hex kinds and for
// kind 20, "0" for the spin kinds, the code of option 0 for option lists, "7F" for the weekday
// mask; nullopt for kind 26 (the RTC slot is left as it is) and for an index out of range.
std::optional<std::string> InitialKindText(int kind);

}  // namespace netloom::catalogue
