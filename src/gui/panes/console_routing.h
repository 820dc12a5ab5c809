// Where an edited row of the AT console grid goes, by its label:
//   "System Time"             the clock starts (checked) or stops; nothing stored
//   "RTC Mode"                the date rows follow "Modify"; nothing stored
//   a parameter kind's name   EditKindRow on the kind's slot (exact label; kinds 20, 26 skipped)
//   "SUN".."SAT"              the day's bit of the weekday mask (slot 31)
//   anything else             nothing
// The "SREG" value row (tag 20, labelled "Data") keeps the "Data" rules but stores into slot 20,
// which the "SREG" line carries: a value typed there is sent, not dropped. Text rows take back
// the slot's bytes by TypedText (value_entry.h): characters typed beyond 7-bit ASCII are refused.
// UI thread only (one table's rows are edited from one thread).
#pragma once

#include <QString>

#include "core/catalogue/value_tables.h"
#include "gui/panes/property_grid_model.h"

namespace netloom::panes {

struct ConsoleEdit {
  enum class Effect {
    Nothing,
    SystemTime,  // `on`: start the clock
    RtcMode,     // `on`: "Modify"
    Stored,
    Refused,  // `message` for the user
  };
  Effect effect = Effect::Nothing;
  bool on = false;
  QString message;
  // Text rows, after Stored or Refused: what the row shows now (the slot text); null: no change.
  QString shown;
};

ConsoleEdit RouteConsoleEdit(const GridRow& row, catalogue::KindValueTable& values);

// A slot as its text row shows it: each byte one character (ShownText), so a name a node gave in
// another code than UTF-8 goes back unchanged.
QString ShownSlot(const catalogue::KindValueTable& values, int kind);

}  // namespace netloom::panes
