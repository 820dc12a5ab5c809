#include "gui/panes/catalogue_rows.h"

#include <span>
#include <string_view>

#include "core/catalogue/config_items.h"
#include "core/catalogue/parameter_kinds.h"
#include "core/catalogue/value_entry.h"
#include "gui/panes/qt_text.h"

namespace netloom::panes {

namespace {

using catalogue::ParamValueType;

QStringList Options(std::span<const std::string_view> options, int maximum) {
  QStringList list;
  for (int i = 0; i <= maximum && i < static_cast<int>(options.size()); ++i)
    list << ToQString(options[static_cast<std::size_t>(i)]);
  return list;
}

RowKind KindOf(ParamValueType type) {
  switch (type) {
    case ParamValueType::DecimalSpin:
    case ParamValueType::LongSpin:
      return RowKind::Integer;
    case ParamValueType::OptionList:
      return RowKind::Options;
    case ParamValueType::WeekdayMask:
      return RowKind::SubGroup;
    default:
      return RowKind::Text;
  }
}

}  // namespace

CatalogueRow KindRow(int kind) {
  const auto& k = catalogue::ParameterKinds()[static_cast<std::size_t>(kind)];
  return {ToQString(k.name),
          ToQString(k.rangeText),
          k.valueType,
          k.minimum,
          k.maximum,
          Options(k.options, k.maximum),
          true,
          true,
          kind};
}

CatalogueRow ItemRow(int item) {
  const auto& i = catalogue::ConfigCatalogue()[static_cast<std::size_t>(item)];
  return {ToQString(i.name),
          ToQString(i.description),
          i.valueType,
          i.minimum,
          i.maximum,
          Options(i.options, i.maximum),
          false,
          i.enabled,
          item};
}

GridRow* AddCatalogueRow(PropertyGrid& grid, GridRow* parent, const CatalogueRow& source) {
  RowSpec spec;
  spec.kind = KindOf(source.type);
  spec.label = source.label;
  spec.description = source.description;
  spec.minimum = source.minimum;
  spec.maximum = source.maximum;
  spec.typing = source.typing;
  spec.options = source.options;
  // The weekday sub-group itself is never greyed: its day rows are what is edited.
  spec.enabled = source.enabled || spec.kind == RowKind::SubGroup;
  spec.tag = source.tag;
  GridRow* row = grid.AddRow(parent, spec);
  if (spec.kind != RowKind::SubGroup) return row;
  for (std::string_view day : catalogue::kDayLabels) {
    RowSpec check;
    check.kind = RowKind::Check;
    check.label = ToQString(day);
    check.description = check.label;
    check.tag = source.tag;
    check.enabled = source.enabled;
    GridRow* dayRow = grid.AddRow(row, std::move(check));
    grid.SetValue(dayRow, true, true);
  }
  return row;
}

}  // namespace netloom::panes
