// The run-time value tables that hang off the catalogues: KindValueTable (one text per AT
// parameter kind, what the next composed command sends) and ConfigValueTable (one text per
// configuration item, what the configuration image is encoded from and decoded into).
//
// The console's KindValueTable exists once per process (GlobalKindValues) and lives as long as
// the program; each network document (and each CLI command) owns its ConfigValueTable; tests
// make their own. A slot holds a text of at most 255 characters; a longer one
// is refused, never cut. Slots start empty.
//
// Threads: every member may be called from any thread. Each call is atomic on its own (a mutex
// inside), and Snapshot gives a consistent copy of all slots. A sequence of calls is not atomic:
// the link worker writes ConfigValueTable only during a configuration read and announces it
// afterwards, and read-modify-write edits (weekday rows) come from the UI thread only.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "core/catalogue/config_items.h"
#include "core/catalogue/entry_result.h"
#include "core/catalogue/parameter_kinds.h"

namespace netloom::catalogue {

inline constexpr std::size_t kMaxValueLength = 255;
inline constexpr std::string_view kValueTooLongMessage =
    "Value too long!\n(at most 255 characters)";

namespace detail {

class TextSlots {
 public:
  explicit TextSlots(std::size_t count) : count_(count), values_(count) {}

  // The text of `slot`; empty for an index out of range.
  std::string Get(int slot) const;
  // Replaces `slot`: Stored, or Refused (kValueTooLongMessage, or an index out of range).
  EntryResult Set(int slot, std::string_view text);
  // Empties `slot` (no effect out of range).
  void Clear(int slot);
  // All slots, copied under one lock.
  std::vector<std::string> Snapshot() const;
  // Replaces all slots at once: Stored (with an empty text), or Refused with nothing changed
  // unless `values` has one text per slot, each short enough.
  EntryResult Assign(const std::vector<std::string>& values);

 protected:
  bool InRange(int slot) const { return slot >= 0 && static_cast<std::size_t>(slot) < count_; }

  const std::size_t count_;  // read without the lock: it never changes
  mutable std::mutex mutex_;
  std::vector<std::string> values_;
};

}  // namespace detail

// Slot k belongs to parameter kind k (0..34). Slot 6 doubles as the "Send Message" text, slot 26
// as the RTC argument, slot 31 as the weekday mask.
class KindValueTable : public detail::TextSlots {
 public:
  KindValueTable() : TextSlots(kKindCount) {}
};

// Slot i belongs to configuration item i (0..50). A number item's text holds exactly width hex
// digits, a text item's at most width characters (the entry rules of value_entry.h keep it so).
class ConfigValueTable : public detail::TextSlots {
 public:
  ConfigValueTable() : TextSlots(kItemCount) {}

  // Every slot gets its item's default text.
  void LoadDefaults();

  // NetworkKey becomes editable exactly when `securityValue` (SecurityEnable's text) differs
  // from "00", ignoring case. The image decoder calls it after decoding SecurityEnable.
  void SetKeyEditable(std::string_view securityValue);

  // Whether the Parameters pane lets the user edit `item`: the catalogue's flag, except for
  // NetworkKey, whose flag SetKeyEditable sets (off at start). False out of range.
  bool ItemEnabled(int item) const;

 private:
  bool keyEditable_ = false;  // guarded by mutex_
};

KindValueTable& GlobalKindValues();

}  // namespace netloom::catalogue
