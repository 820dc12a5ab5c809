#include "core/catalogue/value_entry.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <span>
#include <utility>

#include "core/catalogue/config_items.h"
#include "core/catalogue/parameter_kinds.h"
#include "core/catalogue/utf8.h"

namespace netloom::catalogue {
namespace {

// The fields of a kind or an item the entry rules look at.
struct Field {
  std::string_view name;
  int width;
  ParamValueType type;
  int minimum;
  int maximum;
  std::span<const std::string_view> options;
  bool padAtEnd;  // configuration items pad at the end, console kinds in front
  int index;      // of the kind or item, for its option codes
  std::optional<std::string> (*optionCode)(int index, int option);
};

std::optional<Field> KindField(int kind) {
  if (kind < 0 || kind >= kKindCount) return std::nullopt;
  const ParameterKind& k = ParameterKinds()[static_cast<std::size_t>(kind)];
  return Field{k.name,    k.width, k.valueType, k.minimum,     k.maximum,
               k.options, false,   kind,        KindOptionCode};
}

std::optional<Field> ItemField(int item) {
  if (item < 0 || item >= kItemCount) return std::nullopt;
  const ConfigItem& i = ConfigCatalogue()[static_cast<std::size_t>(item)];
  return Field{i.name,    i.width, i.valueType, i.minimum,       i.maximum,
               i.options, true,    item,        ConfigOptionCode};
}

std::string Printf(const char* format, auto... args) {
  char text[64];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string LengthMessage(const Field& field) {
  return std::string(field.name) + Printf(" :\nLess than %d word!!", field.width);
}

// The range message of a hex number field.
std::string RangeMessage(const Field& field, bool topOfField) {
  const char* format = "%d to %d (hex)";
  if (topOfField) {
    if (field.type == ParamValueType::Hex2) format = "%d to %02X (hex)";
    if (field.type == ParamValueType::Hex4) format = "%d to FF%02X (hex)";
    if (field.type == ParamValueType::Hex8) format = "%d to FFFFFF%02X (hex)";
  }
  return std::string(field.name) + " :\nPlease enter between " +
         Printf(format, field.minimum, field.maximum);
}

EntryResult CheckOption(const Field& field, std::string_view text) {
  for (std::size_t i = 0; i < field.options.size(); ++i) {
    if (field.options[i] == text) {
      return EntryResult::Stored(*field.optionCode(field.index, static_cast<int>(i)));
    }
  }
  return EntryResult::Unchanged();
}

EntryResult CheckHex(const Field& field, std::string_view text) {
  const auto width = static_cast<std::size_t>(field.width);
  std::string padded(text);
  if (padded.size() < width) {
    std::string zeros(width - padded.size(), '0');
    padded = field.padAtEnd ? padded + zeros : zeros + padded;
  }
  if (IsHexDigitsType(field.type)) {
    const bool allHex = std::all_of(padded.begin(), padded.begin() + field.width,
                                    [](unsigned char c) { return std::isxdigit(c) != 0; });
    if (!allHex) return EntryResult::Refused(std::string(kHexDigitMessage));
  } else {
    std::optional<std::uint32_t> value = ParseHexDigits(padded, field.width);
    if (!value) return EntryResult::Refused(std::string(kHexDigitMessage));
    // 254 and 255 stand for the top of the field: FE or FF after leading F digits.
    const bool topOfField = (field.maximum == 254 || field.maximum == 255) && field.width >= 2;
    std::uint32_t top = static_cast<std::uint32_t>(field.maximum);
    if (topOfField) {
      std::uint32_t all = field.width >= 8 ? 0xFFFFFFFFu : (1u << (4 * field.width)) - 1;
      top = (all & ~0xFFu) | top;
    }
    if (*value < static_cast<std::uint32_t>(field.minimum) || *value > top) {
      return EntryResult::Refused(RangeMessage(field, topOfField));
    }
  }
  if (text.size() > width) return EntryResult::Refused(LengthMessage(field));
  return EntryResult::Stored(std::move(padded));
}

EntryResult Check(const Field& field, std::string_view text) {
  switch (field.type) {
    case ParamValueType::Plain:
    case ParamValueType::Text:
      if (text.size() > static_cast<std::size_t>(field.width)) {
        return EntryResult::Refused(LengthMessage(field));
      }
      return EntryResult::Stored(std::string(text));
    case ParamValueType::OptionList:
      return CheckOption(field, text);
    case ParamValueType::DecimalSpin:
    case ParamValueType::LongSpin:
    case ParamValueType::WeekdayMask:
      return EntryResult::Unchanged();
    default:
      return CheckHex(field, text);
  }
}

EntryResult Store(detail::TextSlots& table, int slot, EntryResult result) {
  if (result.status != EntryResult::Status::Stored) return result;
  return table.Set(slot, result.text);
}

// A spin row's integer, given as decimal text, formatted for its slot.
EntryResult CheckSpin(const Field& field, std::string_view rowText) {
  const bool allDigits =
      !rowText.empty() && rowText.find_first_not_of("0123456789") == std::string_view::npos;
  if (!allDigits) return EntryResult::Refused(std::string(kDecimalDigitMessage));
  std::uint64_t value = 0;
  for (char c : rowText) value = std::min<std::uint64_t>(value * 10 + (c - '0'), 1ull << 32);
  if (value < static_cast<std::uint64_t>(field.minimum) ||
      value > static_cast<std::uint64_t>(field.maximum)) {
    return EntryResult::Refused(std::string(field.name) + " :\nPlease enter between " +
                                Printf("%d to %d", field.minimum, field.maximum));
  }
  const char* format = field.type == ParamValueType::DecimalSpin ? "%02u" : "%08X";
  return EntryResult::Stored(Printf(format, static_cast<unsigned>(value)));
}

bool IsTextType(ParamValueType type) {
  return type == ParamValueType::Plain || type == ParamValueType::Text;
}

// Text rows: the typed text as the slot's bytes, then the entry rules.
EntryResult EditTextRow(detail::TextSlots& table, int slot, const Field& field,
                        std::string_view rowText, EntryResult (*check)(int, std::string_view)) {
  EntryResult bytes = TypedText(field.name, rowText, table.Get(slot));
  if (!bytes.accepted()) return bytes;
  return Store(table, slot, check(slot, bytes.text));
}

std::string NotAsciiMessage(std::string_view name, std::string_view shown) {
  std::string message = name.empty() ? std::string() : std::string(name) + " :\n";
  return message + "\"" + std::string(shown) +
         "\" is not a character the module takes (7-bit ASCII)";
}

EntryResult EditDay(detail::TextSlots& table, int slot, int day, bool checked) {
  return Store(table, slot, WeekdayMaskAfter(table.Get(slot), day, checked));
}

bool IsSpin(ParamValueType type) {
  return type == ParamValueType::DecimalSpin || type == ParamValueType::LongSpin;
}

EntryResult NoSuchKind() {
  return EntryResult::Refused("No such parameter kind");
}
EntryResult NoSuchItem() {
  return EntryResult::Refused("No such configuration item");
}

}  // namespace

EntryResult CheckParameterValue(int kind, std::string_view text) {
  std::optional<Field> field = KindField(kind);
  return field ? Check(*field, text) : NoSuchKind();
}

EntryResult CheckConfigValue(int item, std::string_view text) {
  std::optional<Field> field = ItemField(item);
  if (!field) return NoSuchItem();
  EntryResult result = Check(*field, text);
  if (item == kMacAddrItem && result.status == EntryResult::Status::Stored) {
    result.text = SwapMacHalves(result.text);
  }
  return result;
}

EntryResult StoreParameterValue(KindValueTable& table, int kind, std::string_view text) {
  return Store(table, kind, CheckParameterValue(kind, text));
}

EntryResult StoreConfigValue(ConfigValueTable& table, int item, std::string_view text) {
  return Store(table, item, CheckConfigValue(item, text));
}

EntryResult EditKindRow(KindValueTable& table, int kind, std::string_view rowText) {
  std::optional<Field> field = KindField(kind);
  if (!field) return NoSuchKind();
  if (IsSpin(field->type)) return Store(table, kind, CheckSpin(*field, rowText));
  if (IsTextType(field->type))
    return EditTextRow(table, kind, *field, rowText, CheckParameterValue);
  return StoreParameterValue(table, kind, rowText);
}

EntryResult EditItemRow(ConfigValueTable& table, int item, std::string_view rowText) {
  std::optional<Field> field = ItemField(item);
  if (!field) return NoSuchItem();
  if (IsSpin(field->type)) return Store(table, item, CheckSpin(*field, rowText));
  if (IsTextType(field->type)) return EditTextRow(table, item, *field, rowText, CheckConfigValue);
  return StoreConfigValue(table, item, rowText);
}

std::optional<int> DayByLabel(std::string_view label) {
  for (std::size_t d = 0; d < kDayLabels.size(); ++d) {
    if (kDayLabels[d] == label) return static_cast<int>(d);
  }
  return std::nullopt;
}

EntryResult WeekdayMaskAfter(std::string_view mask, int day, bool checked) {
  if (day < 0 || day >= static_cast<int>(kDayLabels.size())) {
    return EntryResult::Refused("No such day");
  }
  std::optional<std::uint32_t> value = ParseHexDigits(mask, 2);
  if (!value || mask.size() != 2) return EntryResult::Refused(std::string(kHexDigitMessage));
  // Set or clear the day's bit rather than add or subtract it: the day rows need not show the
  // mask they edit (after a read they all start checked), and arithmetic would then turn an
  // unchecked day into "every day".
  const std::uint32_t bit = 0x40u >> day;
  std::uint32_t next = *value & 0x7Fu;
  next = checked ? (next | bit) : (next & ~bit);
  return EntryResult::Stored(Printf("%02X", next));
}

EntryResult EditDayRow(KindValueTable& table, int day, bool checked) {
  return EditDay(table, kWeekKind, day, checked);
}

EntryResult EditDayRow(ConfigValueTable& table, int day, bool checked) {
  return EditDay(table, kAlarmWeekItem, day, checked);
}

std::string ShownText(std::string_view slot) {
  std::string shown;
  shown.reserve(slot.size());
  for (char c : slot) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      shown += c;
    } else {
      shown += static_cast<char>(0xC0 | (byte >> 6));
      shown += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return shown;
}

EntryResult TypedText(std::string_view name, std::string_view typed, std::string_view slot) {
  std::string bytes;
  bytes.reserve(typed.size());
  while (!typed.empty()) {
    const auto decoded = DecodeUtf8(typed);
    if (!decoded) {
      char shown[8];
      std::snprintf(shown, sizeof shown, "\\x%02X", static_cast<unsigned char>(typed[0]));
      return EntryResult::Refused(NotAsciiMessage(name, shown));
    }
    const auto [point, length] = *decoded;
    const bool kept = point >= 0x80 && point <= 0xFF &&
                      slot.find(static_cast<char>(point)) != std::string_view::npos;
    if (point >= 0x80 && !kept)
      return EntryResult::Refused(NotAsciiMessage(name, typed.substr(0, length)));
    bytes += static_cast<char>(point);
    typed.remove_prefix(length);
  }
  return EntryResult::Stored(std::move(bytes));
}

std::string SwapMacHalves(std::string_view text) {
  if (text.size() != 16) return std::string(text);
  return std::string(text.substr(8)) + std::string(text.substr(0, 8));
}

EntryResult EnterConfigValue(ConfigValueTable& table, int item, std::string_view typed) {
  std::optional<Field> field = ItemField(item);
  if (!field) return NoSuchItem();
  const std::string name(field->name);
  if (field->type == ParamValueType::WeekdayMask) {
    std::optional<std::uint32_t> mask = ParseHexDigits(typed, 2);
    if (!mask || typed.size() != 2) return EntryResult::Refused(std::string(kHexDigitMessage));
    if (*mask > 0x7F) return EntryResult::Refused(name + " :\nPlease enter between 0 to 7F (hex)");
    return table.Set(item, Printf("%02X", *mask));
  }
  if (!table.ItemEnabled(item)) return EntryResult::Refused(name + " :\nThis item is read-only!");
  if (field->type == ParamValueType::OptionList) {
    EntryResult result = CheckOption(*field, typed);
    if (result.status == EntryResult::Status::Stored) return Store(table, item, result);
    std::string choices;
    for (std::string_view option : field->options) {
      choices += (choices.empty() ? "" : ", ") + std::string(option);
    }
    return EntryResult::Refused(name + " :\nPlease choose one of " + choices);
  }
  return EditItemRow(table, item, typed);
}

}  // namespace netloom::catalogue
