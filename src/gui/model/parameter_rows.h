// The Parameters pane's rules without widgets: how a configuration item's slot text shows in
// its row, and what an edited row stores.
//
// Shown value by the item's value type (slot = its ConfigValueTable text):
//   text types     the slot; MACAddr with its halves exchanged (the typed order)
// Texts are given as UTF-8 with each byte of the slot one character (ShownText, value_entry.h),
// and an edited row's text is taken back the same way.
//   OptionList     the option StoredOptionIndex names ("SecurityEnable" "81": "Trust Center");
//                  a slot that names no option is shown as it is, marked Unknown
//   DecimalSpin    the slot read as decimal digits, LongSpin as hex digits (Unknown when they
//                  are not such digits or lie outside minimum..maximum)
//   WeekdayMask    the day rows show the mask's bits (every day when it is no mask)
//
// Pure functions over the table; UI thread only, as every row edit is (value_entry.h).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/catalogue/value_tables.h"

namespace netloom::model {

struct ItemShown {
  enum class Kind { Text, Option, Number, Days, Unknown };
  Kind kind = Kind::Text;
  std::string text;            // Text: the row's text; Unknown: the slot text as it is
  int number = 0;              // Option: the option index; Number: the value
  std::array<bool, 7> days{};  // Days: SUN..SAT
};

ItemShown ShowItem(int item, std::string_view slot);

// The outcome of an edited row.
struct ParameterEdit {
  bool refused = false;
  std::string message;  // refused: for the user
  // Text rows: what the row shows now (the slot text in the typed order), so a refused entry
  // snaps back and an accepted one shows its padding; nullopt: the row stays as it is.
  std::optional<std::string> shown;
};

// Row of item `item` changed to `rowText` (a spin row's integer in decimal, an option row's
// option text).
ParameterEdit EditParameterRow(catalogue::ConfigValueTable& table, int item,
                               std::string_view rowText);
// Day row `day` (0 = SUN .. 6 = SAT) of "AlarmWeek" checked or unchecked.
ParameterEdit EditParameterDay(catalogue::ConfigValueTable& table, int day, bool checked);

}  // namespace netloom::model
