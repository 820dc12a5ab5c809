#include "core/catalogue/config_profile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "core/catalogue/config_items.h"
#include "core/catalogue/digits.h"
#include "core/catalogue/text_case.h"
#include "core/catalogue/utf8.h"
#include "core/catalogue/value_entry.h"
#include "core/catalogue/value_tables.h"

namespace netloom::catalogue {
namespace {

const ConfigItem& Item(int item) {
  return ConfigCatalogue()[static_cast<std::size_t>(item)];
}

bool AllHexDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isxdigit(c) != 0; });
}

EntryResult Refused(const ConfigItem& item, const std::string& reason) {
  return EntryResult::Refused(std::string(item.name) + " : " + reason);
}

// What the image can carry of `text` in `item`'s bytes.
EntryResult CheckEncodable(const ConfigItem& item, std::string_view text) {
  const auto width = static_cast<std::size_t>(item.width);
  switch (item.encoding) {
    case ItemEncoding::Number:
    case ItemEncoding::Key:
      if (text.size() != width || !AllHexDigits(text))
        return Refused(item, "needs " + std::to_string(width) + " hex digits");
      break;
    case ItemEncoding::Text:
    case ItemEncoding::Reserved:
      if (text.size() > width)
        return Refused(item, "at most " + std::to_string(width) + " characters");
      break;
  }
  return EntryResult::Stored(std::string(text));
}

// What the item's row could have stored.
EntryResult CheckRowValue(int index, const ConfigItem& item, std::string_view text) {
  const auto outOfRange = [&] {
    return Refused(
        item, "outside " + std::to_string(item.minimum) + " to " + std::to_string(item.maximum));
  };
  switch (item.valueType) {
    case ParamValueType::OptionList:
      if (!StoredOptionIndex(index, text))
        return Refused(item, std::string(1, '"').append(text).append("\" names no option"));
      break;
    case ParamValueType::DecimalSpin: {
      const auto value = ParseDecimalDigits(text, item.width);
      if (!value) return Refused(item, std::string(kDecimalDigitMessage));
      if (*value < static_cast<std::uint32_t>(item.minimum) ||
          *value > static_cast<std::uint32_t>(item.maximum))
        return outOfRange();
      break;
    }
    case ParamValueType::LongSpin: {
      const auto value = ParseHexDigits(text, item.width);
      if (value && (*value < static_cast<std::uint32_t>(item.minimum) ||
                    *value > static_cast<std::uint32_t>(item.maximum)))
        return outOfRange();
      break;
    }
    case ParamValueType::WeekdayMask: {
      const auto mask = ParseHexDigits(text, 2);
      if (mask && *mask > 0x7F) return Refused(item, "a weekday mask is at most 7F");
      break;
    }
    case ParamValueType::Hex8:
    case ParamValueType::Hex4:
    case ParamValueType::Hex2:
    case ParamValueType::Hex1: {
      // The typed order of the stored text passes the entry rules unchanged.
      const EntryResult entered =
          CheckConfigValue(index, index == kMacAddrItem ? SwapMacHalves(text) : std::string(text));
      if (!entered.accepted()) return EntryResult::Refused(entered.message);
      break;
    }
    default:
      break;
  }
  return EntryResult::Stored(std::string(text));
}

// Item `item`'s text in `values`; empty when `values` is short.
std::string ValueOf(const ConfigValues& values, int item) {
  const auto slot = static_cast<std::size_t>(item);
  return slot < values.size() ? values[slot] : std::string();
}

bool SameValue(int item, const std::string& a, const std::string& b) {
  if (Item(item).encoding == ItemEncoding::Text) return a == b;
  // Digits come back from a module upper-case.
  return SameIgnoringCase(a, b);
}

}  // namespace

std::string ItemLabel(int item) {
  return std::to_string(item) + " " + std::string(Item(item).name);
}

std::string ProfileJson(const ConfigValues& values) {
  nlohmann::ordered_json items = nlohmann::ordered_json::array();
  for (int i = 0; i < kItemCount && i < static_cast<int>(values.size()); ++i) {
    const std::string& value = values[static_cast<std::size_t>(i)];
    if (IsUtf8(value)) {
      items.push_back({{"index", i}, {"name", Item(i).name}, {"value", value}});
    } else {
      // Bytes a module holds that are not UTF-8 (a Latin-1 name): read as Latin-1, and marked
      // so that the reader takes back the very bytes.
      items.push_back(
          {{"index", i}, {"name", Item(i).name}, {"value", ShownText(value)}, {"latin1", true}});
    }
  }
  return nlohmann::ordered_json{{"items", items}}.dump();
}

std::optional<ProfileItems> ParseProfile(std::string_view text, std::string_view source,
                                         std::string& error) {
  const std::string where(source);
  const auto document = nlohmann::json::parse(text, nullptr, false);
  if (document.is_discarded() || !document.is_object() || !document.contains("items") ||
      !document["items"].is_array()) {
    error = where + ": not a JSON document with an \"items\" array";
    return std::nullopt;
  }
  ProfileItems items;
  for (const auto& entry : document["items"]) {
    const bool shaped = entry.is_object() && entry.contains("index") &&
                        entry["index"].is_number_integer() && entry.contains("value") &&
                        entry["value"].is_string();
    // Read wide: an index beyond int must be refused, not wrapped into 0..50.
    const std::int64_t index = shaped ? entry["index"].get<std::int64_t>() : -1;
    if (!shaped || index < 0 || index >= kItemCount) {
      error = where + ": each item needs an \"index\" 0..50 and a text \"value\"";
      return std::nullopt;
    }
    const auto name = Item(static_cast<int>(index)).name;
    if (entry.contains("name") && entry["name"] != name) {
      error = where + ": item " + std::to_string(index) + " is \"" + std::string(name) + "\"";
      return std::nullopt;
    }
    std::string value = entry["value"].get<std::string>();
    if (entry.contains("latin1") && entry["latin1"] == true) {
      const std::optional<std::string> bytes = Latin1FromUtf8(value);
      if (!bytes) {
        error = where + ": item " + std::to_string(index) +
                " is marked \"latin1\" but holds a character beyond U+00FF";
        return std::nullopt;
      }
      value = *bytes;
    }
    items.emplace_back(static_cast<int>(index), std::move(value));
  }
  return items;
}

std::optional<ProfileItems> ReadProfileFile(const std::string& path, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot read '" + path + "'";
    return std::nullopt;
  }
  std::ostringstream text;
  text << file.rdbuf();
  return ParseProfile(text.str(), path, error);
}

bool WriteProfileFile(const std::string& path, const ConfigValues& values, std::string& error) {
  std::ofstream file(path, std::ios::out | std::ios::trunc);
  if (file) file << ProfileJson(values) << "\n";
  file.close();
  if (!file) {
    error = "cannot write '" + path + "'";
    return false;
  }
  return true;
}

EntryResult CheckStoredValue(int item, std::string_view text) {
  if (item < 0 || item >= kItemCount) return EntryResult::Refused("no such item");
  if (text.size() > kMaxValueLength) return EntryResult::Refused(std::string(kValueTooLongMessage));
  const EntryResult carried = CheckEncodable(Item(item), text);
  if (!carried.accepted()) return carried;
  return CheckRowValue(item, Item(item), text);
}

bool IsPerModuleItem(int item) {
  static constexpr int kPerModule[] = {kImageVersionItem, kMacAddrItem, 15, 16, 22, 49};
  return std::find(std::begin(kPerModule), std::end(kPerModule), item) != std::end(kPerModule);
}

ProfileLoad ApplyProfile(ConfigValueTable& table, const ProfileItems& items) {
  // The key is editable when the load leaves security on: the profile's SecurityEnable if it
  // carries one the row could hold, else the module's.
  std::string security = table.Get(kSecurityEnableItem);
  for (const auto& [item, text] : items)
    if (item == kSecurityEnableItem && CheckStoredValue(item, text).accepted()) security = text;
  const auto loads = [&](int item) {
    if (IsPerModuleItem(item)) return false;
    if (item == kNetworkKeyItem) return security != "00";
    return Item(item).enabled || item == kAlarmWeekItem;
  };

  ProfileLoad load;
  for (const auto& [item, text] : items) {
    if (!loads(item)) {
      const bool named =
          std::find(load.skipped.begin(), load.skipped.end(), item) != load.skipped.end();
      if (!named && !SameValue(item, table.Get(item), text)) load.skipped.push_back(item);
      continue;
    }
    const EntryResult checked = CheckStoredValue(item, text);
    if (checked.accepted())
      table.Set(item, text);
    else
      load.refused.emplace_back(item, checked.message);
  }
  std::sort(load.skipped.begin(), load.skipped.end());
  table.SetKeyEditable(table.Get(kSecurityEnableItem));
  return load;
}

std::string SkippedItemsText(const std::vector<int>& skipped) {
  if (skipped.empty()) return {};
  std::string list;
  for (int item : skipped) list += (list.empty() ? "" : ", ") + ItemLabel(item);
  return std::to_string(skipped.size()) + (skipped.size() == 1 ? " item was" : " items were") +
         " not loaded and keep this module's values (read-only or the module's own): " + list;
}

std::vector<int> DifferingItems(const ConfigValues& a, const ConfigValues& b) {
  std::vector<int> items;
  for (int i = 0; i < kItemCount; ++i)
    if (!SameValue(i, ValueOf(a, i), ValueOf(b, i))) items.push_back(i);
  return items;
}

std::string DescribeDifferences(const ConfigValues& wrote, const ConfigValues& read) {
  const std::vector<int> items = DifferingItems(wrote, read);
  if (items.empty()) return {};
  std::string list;
  for (int i : items) {
    list += (list.empty() ? "" : ", ") + ItemLabel(i) + " (wrote \"" + ValueOf(wrote, i) +
            "\", read \"" + ValueOf(read, i) + "\")";
  }
  return std::to_string(items.size()) +
         (items.size() == 1 ? " item differs: " : " items differ: ") + list;
}

}  // namespace netloom::catalogue
