#include "gui/panes/parameters_grid.h"

#include "core/catalogue/config_items.h"
#include "gui/model/parameter_rows.h"
#include "gui/panes/catalogue_rows.h"
#include "gui/panes/qt_text.h"

namespace netloom::panes {
namespace {

template <typename Visit>
void ForEachValueRow(GridRow* row, Visit&& visit) {
  if (!row->IsGroup()) visit(row);
  for (const auto& child : row->children) ForEachValueRow(child.get(), visit);
}

}  // namespace

QString UnknownText(const QString& slot) {
  return slot + QStringLiteral(" (unknown)");
}

ItemRows BuildParametersGrid(PropertyGrid& grid, const catalogue::ConfigValueTable& table,
                             const std::vector<std::string>& unedited) {
  grid.Clear();
  ItemRows rows;
  const std::vector<std::string> values = table.Snapshot();
  for (const catalogue::ConfigGroup& category : catalogue::ConfigGroups()) {
    GridRow* group = grid.AddGroup(ToQString(category.name));
    for (int item : category.items) {
      CatalogueRow source = ItemRow(item);
      // The day rows stay editable though "AlarmWeek" is flagged read-only: the flag greys the
      // item's own row, and the mask is what the alarm days are set with (the command line
      // takes it too).
      source.enabled =
          table.ItemEnabled(item) || source.type == catalogue::ParamValueType::WeekdayMask;
      GridRow* row = AddCatalogueRow(grid, group, source);
      const auto slot = static_cast<std::size_t>(item);
      ShowItemValue(grid, row, item, unedited[slot], true);
      if (values[slot] != unedited[slot]) ShowItemValue(grid, row, item, values[slot], false);
      rows[item] = row;
    }
  }
  return rows;
}

void ShowItemValue(PropertyGrid& grid, GridRow* row, int item, const std::string& slot,
                   bool asOriginal) {
  const model::ItemShown shown = model::ShowItem(item, slot);
  switch (shown.kind) {
    case model::ItemShown::Kind::Days:
      for (std::size_t day = 0; day < row->children.size() && day < shown.days.size(); ++day)
        grid.SetValue(row->children[day].get(), shown.days[day], asOriginal);
      return;
    case model::ItemShown::Kind::Number:
      grid.SetValue(row, shown.number, asOriginal);
      return;
    case model::ItemShown::Kind::Unknown:
      grid.SetValue(row, UnknownText(ToQString(shown.text)), asOriginal);
      return;
    case model::ItemShown::Kind::Option:
    case model::ItemShown::Kind::Text:
      grid.SetValue(row, ToQString(shown.text), asOriginal);
      return;
  }
}

void MarkUnmodified(PropertyGrid& grid, const ItemRows& rows) {
  for (const auto& [item, row] : rows)
    ForEachValueRow(row, [&](GridRow* r) { grid.SetValue(r, r->value, true); });
}

std::vector<int> ModifiedItems(const ItemRows& rows) {
  std::vector<int> items;
  for (const auto& [item, row] : rows) {
    bool modified = false;
    ForEachValueRow(row, [&](GridRow* r) { modified = modified || r->Modified(); });
    if (modified) items.push_back(item);
  }
  return items;
}

}  // namespace netloom::panes
