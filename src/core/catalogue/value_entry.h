// Value entry: how what a user types or picks in a grid row becomes the text of a value slot,
// with the checks of each value type and the messages for refused input.
//
// The same rules serve the AT console grid (parameter kinds, KindValueTable), the Parameters
// grid (configuration items, ConfigValueTable) and the command line (EnterConfigValue). Nothing
// here shows anything: a refused entry returns its message (lines separated by '\n') and the
// caller shows it; the slot keeps its old text.
//
// Rules by value type, W being the kind's or the item's width:
// - Plain, Text: at most W characters, else "%s :\nLess than %d word!!" (name, W).
// - OptionList: the text must equal an option; the slot gets that option's code (parameter_kinds.h,
//   config_items.h). A text equal to no option is accepted and changes nothing.
// - HexKey, HexAddress, Hex8..Hex1: a text shorter than W is padded with "0" (console: in front,
//   "1a" -> "001a"; configuration: at the end, "1a" -> "1a00"). Then, in this order: the first W
//   characters must be hex digits (kHexDigitMessage); for Hex8..Hex1 their value must lie in
//   minimum..top, where a maximum of 254 or 255 makes top the W-digit number FF..FE or FF..FF,
//   and any other maximum is the top itself (range messages below); the text must not be longer
//   than W (the length message). Letters keep their case.
// - DecimalSpin, LongSpin, WeekdayMask: the text rules accept them unchanged; the row edits
//   below format them.
// The configuration item "MACAddr" is stored with its two eight-digit halves exchanged.
//
// Threads: the Check functions are pure; the rest touch the given table (value_tables.h). Row
// edits read a slot before writing it, so one table's rows are edited from one thread (the UI).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/catalogue/digits.h"
#include "core/catalogue/entry_result.h"
#include "core/catalogue/value_tables.h"

namespace netloom::catalogue {

// What `text` typed into a row of parameter kind `kind` would store (status Stored or
// Unchanged), or why it is refused.
EntryResult CheckParameterValue(int kind, std::string_view text);
// The same for configuration item `item` (padding at the end, MACAddr halves exchanged,
// configuration option codes).
EntryResult CheckConfigValue(int item, std::string_view text);

// Check, and store what is accepted.
EntryResult StoreParameterValue(KindValueTable& table, int kind, std::string_view text);
EntryResult StoreConfigValue(ConfigValueTable& table, int item, std::string_view text);

// A changed grid row of a kind or an item, `rowText` being the row's value as text (a spin row
// gives its integer in decimal): DecimalSpin stores "%02d", LongSpin "%08X" (a value outside
// minimum..maximum or a non-number is refused), WeekdayMask changes nothing (its day rows do),
// Plain and Text first become bytes by TypedText over the slot, and every other type goes
// through the Store function. After a text row the grid shows the slot
// text again (for MACAddr with its halves exchanged back, SwapMacHalves).
EntryResult EditKindRow(KindValueTable& table, int kind, std::string_view rowText);
EntryResult EditItemRow(ConfigValueTable& table, int item, std::string_view rowText);

// The day rows of a weekday mask, day 0..6; day d is bit 0x40 >> d.
inline constexpr std::array<std::string_view, 7> kDayLabels = {"SUN", "MON", "TUE", "WEK",
                                                               "THU", "FRI", "SAT"};
std::optional<int> DayByLabel(std::string_view label);

// The mask text after day `day` was checked or unchecked: the day's bit set or cleared, as
// "%02X" of 00..7F. Refused with kHexDigitMessage when `mask` is not two hex digits.
EntryResult WeekdayMaskAfter(std::string_view mask, int day, bool checked);
// A day row of the console's "Week" (slot 31) or of the item "AlarmWeek" (slot 45) changed.
EntryResult EditDayRow(KindValueTable& table, int day, bool checked);
EntryResult EditDayRow(ConfigValueTable& table, int day, bool checked);

// A 16-character text with its two eight-character halves exchanged (MACAddr's stored order and
// typed order); any other text unchanged.
std::string SwapMacHalves(std::string_view text);

// Texts travel to the module as single bytes, and the module takes 7-bit ASCII. A field shows a
// slot's bytes one character per byte (ShownText: byte b as the character U+00bb, as UTF-8), so
// that bytes that are no UTF-8 (a name a module holds in another code) show and come back
// unchanged. TypedText turns what a field holds after an edit (UTF-8) back into the slot's
// bytes: ASCII characters as they are, a character U+0080..U+00FF only when the slot held that
// byte (it came from the module, not from the user); any other character the user typed is
// refused with "<name> :\n\"é\" is not a character the module takes (7-bit ASCII)" (without
// the name line when `name` is empty). A field left as it was gives the slot's bytes back.
std::string ShownText(std::string_view slot);
EntryResult TypedText(std::string_view name, std::string_view typed, std::string_view slot);

// A value for item `item` typed on the command line (`config write --set`): the Parameters
// pane's rules, plus what its controls guarantee there. The item must be editable
// (ItemEnabled; the weekday mask always is); an option item takes one of its option texts; a
// spin item takes a decimal number within its range; the weekday mask takes two hex digits up to
// 7F. Stored with the stored text, or Refused with the message.
EntryResult EnterConfigValue(ConfigValueTable& table, int item, std::string_view typed);

}  // namespace netloom::catalogue
