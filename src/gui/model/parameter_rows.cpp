#include "gui/model/parameter_rows.h"

#include "core/catalogue/config_items.h"
#include "core/catalogue/value_entry.h"

namespace netloom::model {
namespace {

using catalogue::ParamValueType;

ItemShown Unknown(std::string_view slot) {
  return {ItemShown::Kind::Unknown, catalogue::ShownText(slot), 0, {}};
}

ParameterEdit FromEntry(const catalogue::EntryResult& result) {
  return {!result.accepted(), result.message, std::nullopt};
}

bool ShowsSlotText(ParamValueType type) {
  return type != ParamValueType::OptionList && type != ParamValueType::DecimalSpin &&
         type != ParamValueType::LongSpin && type != ParamValueType::WeekdayMask;
}

// The slot as its text row shows it: MACAddr in the typed order, each byte one character.
std::string TypedOrder(int item, std::string_view slot) {
  return catalogue::ShownText(item == catalogue::kMacAddrItem ? catalogue::SwapMacHalves(slot)
                                                              : std::string(slot));
}

}  // namespace

ItemShown ShowItem(int item, std::string_view slot) {
  const catalogue::ConfigItem& entry = catalogue::ConfigCatalogue()[static_cast<std::size_t>(item)];
  switch (entry.valueType) {
    case ParamValueType::OptionList: {
      const std::optional<int> option = catalogue::StoredOptionIndex(item, slot);
      if (!option) return Unknown(slot);
      return {ItemShown::Kind::Option,
              std::string(entry.options[static_cast<std::size_t>(*option)]),
              *option,
              {}};
    }
    case ParamValueType::DecimalSpin:
    case ParamValueType::LongSpin: {
      const auto value = entry.valueType == ParamValueType::DecimalSpin
                             ? catalogue::ParseDecimalDigits(slot, entry.width)
                             : catalogue::ParseHexDigits(slot, entry.width);
      // A number beyond the spin's range would be clamped by its editor: it is shown as it is.
      if (!value || slot.size() != static_cast<std::size_t>(entry.width) ||
          *value < static_cast<std::uint32_t>(entry.minimum) ||
          *value > static_cast<std::uint32_t>(entry.maximum))
        return Unknown(slot);
      return {ItemShown::Kind::Number, std::string(slot), static_cast<int>(*value), {}};
    }
    case ParamValueType::WeekdayMask: {
      ItemShown shown{ItemShown::Kind::Days, std::string(slot), 0, {}};
      const auto mask = catalogue::ParseHexDigits(slot, 2);
      for (std::size_t day = 0; day < shown.days.size(); ++day)
        shown.days[day] = !mask || *mask > 0x7F || (*mask & (0x40u >> day)) != 0;
      return shown;
    }
    default:
      return {ItemShown::Kind::Text, TypedOrder(item, slot), 0, {}};
  }
}

ParameterEdit EditParameterRow(catalogue::ConfigValueTable& table, int item,
                               std::string_view rowText) {
  ParameterEdit edit = FromEntry(catalogue::EditItemRow(table, item, rowText));
  const auto type = catalogue::ConfigCatalogue()[static_cast<std::size_t>(item)].valueType;
  if (ShowsSlotText(type)) edit.shown = TypedOrder(item, table.Get(item));
  return edit;
}

ParameterEdit EditParameterDay(catalogue::ConfigValueTable& table, int day, bool checked) {
  return FromEntry(catalogue::EditDayRow(table, day, checked));
}

}  // namespace netloom::model
