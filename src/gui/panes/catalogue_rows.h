// Grid rows generated from the catalogues' descriptors: a parameter kind of the AT console or a
// configuration item of the Parameters pane becomes one row by its value type.
//
//   Plain, Text, HexKey, HexAddress, Hex8..Hex1   text row, empty
//   DecimalSpin, LongSpin                         integer row, 0, spin limits minimum..maximum
//   OptionList                                    drop-down of options 0..maximum, option 0
//   WeekdayMask                                   sub-group named after the descriptor with the
//                                                 seven day rows "SUN".."SAT", each checked and
//                                                 described by its own name
//
// A row's tag is the kind or item index (day rows carry their parent's tag). UI thread only.
#pragma once

#include <QString>
#include <QStringList>

#include "core/catalogue/value_type.h"
#include "gui/panes/property_grid.h"

namespace netloom::panes {

struct CatalogueRow {
  QString label;
  QString description;
  catalogue::ParamValueType type = catalogue::ParamValueType::Plain;
  int minimum = 0;
  int maximum = 0;
  QStringList options;  // 0..maximum of an option list
  bool typing = true;   // integer rows: false keeps the spin buttons only
  bool enabled = true;
  int tag = -1;
};

// Parameter kind `kind` (0..34): its name, range text and limits; typing allowed.
CatalogueRow KindRow(int kind);
// Configuration item `item` (0..50): its name, description, limits and catalogue enabled flag;
// integer rows without typing.
CatalogueRow ItemRow(int item);

// Adds the row (or the weekday sub-group) for `source` under `parent` and returns it.
GridRow* AddCatalogueRow(PropertyGrid& grid, GridRow* parent, const CatalogueRow& source);

}  // namespace netloom::panes
