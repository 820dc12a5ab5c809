// The Parameters pane's grid: the configuration items in their eight categories, built from the
// catalogue, and each row showing its item's value text (model/parameter_rows.h).
//
// Build: per category a group row; per item one catalogue row (catalogue_rows.h; "AlarmWeek" a
// sub-group with its day rows), enabled by the table's ItemEnabled. Every row starts as the
// value it was built with, so rows edited afterwards show bold until the next build or
// MarkUnmodified. UI thread only; row pointers are valid until the grid's next Clear.
#pragma once

#include <map>
#include <vector>

#include "core/catalogue/value_tables.h"
#include "gui/panes/property_grid.h"

namespace netloom::panes {

// Item index -> its row (the weekday sub-group for "AlarmWeek").
using ItemRows = std::map<int, GridRow*>;

// Empties `grid` and builds the rows, each showing its slot of `table`; `unedited` (one text per
// item) are the rows' unedited values, so items whose slot differs show as edits.
ItemRows BuildParametersGrid(PropertyGrid& grid, const catalogue::ConfigValueTable& table,
                             const std::vector<std::string>& unedited);

// Row `row` of item `item` shows `slot` (day rows for the weekday mask); `asOriginal` also makes
// it the row's unedited value.
void ShowItemValue(PropertyGrid& grid, GridRow* row, int item, const std::string& slot,
                   bool asOriginal);

// Every row's value becomes its unedited value (after a write: the module holds them).
void MarkUnmodified(PropertyGrid& grid, const ItemRows& rows);
// The items whose rows were edited since the build or the last MarkUnmodified, in item order.
std::vector<int> ModifiedItems(const ItemRows& rows);

// The text a row shows for a slot its kind of row cannot hold (an option list's slot that names
// no option, a spin's slot that is no number in its range): the slot, marked "(unknown)".
QString UnknownText(const QString& slot);

}  // namespace netloom::panes
