// The configuration item catalogue: the 51 items of a module's 256-byte configuration image, in
// image order, with value widths, defaults, value types, options and the Parameters pane groups.
//
// Ownership: constant data with static lifetime; spans and string_views returned here stay valid
// for the whole run. The one run-time part, NetworkKey's enabled flag, lives with the values in
// ConfigValueTable (value_tables.h). Threads: any thread may call everything in this header.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/catalogue/value_type.h"

namespace netloom::catalogue {

inline constexpr int kItemCount = 51;
inline constexpr std::size_t kMaxItemNameLength = 29;

// Items that other code names by number.
inline constexpr int kImageVersionItem = 0;  // must read "0002"
inline constexpr int kBaudrateItem = 5;      // the module's command-mode line rate
inline constexpr int kMacAddrItem = 10;      // stored with its eight-digit halves exchanged
inline constexpr int kChannelItem = 12;      // stores the channel number; 0 marks an empty image
inline constexpr int kNetworkKeyItem = 23;   // editable only while security is on
inline constexpr int kSecurityEnableItem = 29;
inline constexpr int kAlarmWeekItem = 45;  // weekday mask
inline constexpr int kReserveDataItem = 50;

// How an item's value text travels in the image.
enum class ItemEncoding {
  Number,    // width hex digits as an unsigned number of width / 2 bytes, least significant first
  Key,       // width hex digits as bytes in text order
  Text,      // the characters, zero bytes up to width
  Reserved,  // written as zero bytes, read back like a text
};

struct ConfigItem {
  std::string_view name;  // row label; items 0 and 1 are both "Version"
  bool enabled;  // catalogue flag; NetworkKey's run-time flag is ConfigValueTable::ItemEnabled
  std::int32_t width;  // hex digits of a number item, characters of a text item
  std::string_view defaultValue;
  ParamValueType valueType;
  std::int32_t minimum;  // 0 in every item
  // Last option index of an option list, largest value of a spin, range code 254/255 of a hex
  // number (see value_entry.h); 0 otherwise.
  std::int32_t maximum;
  std::span<const std::string_view> options;  // option texts of an option list, index 0 first
  std::string_view description;               // empty in every item
  ItemEncoding encoding;
};

std::span<const ConfigItem, kItemCount> ConfigCatalogue();

// A category of the Parameters pane: its name and item indices in row order.
struct ConfigGroup {
  std::string_view name;
  std::span<const int> items;
};

// The eight groups in display order (42 rows); items 0, 4, 28, 33, 35, 36, 39, 46 and 50 are in
// none of them.
std::span<const ConfigGroup> ConfigGroups();

// The first item (0..50) whose name equals `name` exactly; nullopt when none does.
std::optional<int> ItemByName(std::string_view name);

// An item named by its name (as ItemByName) or else by its index in decimal ("14").
std::optional<int> FindConfigItem(std::string_view nameOrIndex);

// The value text that choosing option `option` of option-list item `item` stores: "Channel" the
// option text, "SecurityEnable" "00", "01", "81", the others the index as "%02X". nullopt when
// the item is no option list or the option is outside 0..maximum.
std::optional<std::string> ConfigOptionCode(int item, int option);

// The option a stored value text shows as: "Channel" the option equal to the text,
// "SecurityEnable" "81" option 2, the others the text read as two decimal digits. nullopt when
// the text names no option of the item (only an unusual image from a module gives one).
std::optional<int> StoredOptionIndex(int item, std::string_view stored);

}  // namespace netloom::catalogue
