// What a user types into a value row: the console grid's kinds, the Parameters grid's items,
// their row edits, the weekday mask and the command line's --set values. The first byte picks
// the entry, the second the kind or item, the rest is the text.
#include <cstdlib>

#include "core/catalogue/config_items.h"
#include "core/catalogue/parameter_kinds.h"
#include "core/catalogue/value_entry.h"
#include "core/catalogue/value_tables.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace netloom::catalogue;
  netloom::fuzz::FuzzInput input(data, size);
  const std::uint8_t pick = input.Byte();
  const int kind = input.Byte() % kKindCount;
  const int item = kind % kItemCount;
  const std::string_view text = input.RestText();
  KindValueTable kinds;
  ConfigValueTable items;
  items.LoadDefaults();
  EntryResult result;
  switch (pick % 7) {
    case 0:
      result = StoreParameterValue(kinds, kind, text);
      break;
    case 1:
      result = StoreConfigValue(items, item, text);
      break;
    case 2:
      result = EditKindRow(kinds, kind, text);
      break;
    case 3:
      result = EditItemRow(items, item, text);
      break;
    case 4:
      result = EnterConfigValue(items, item, text);
      break;
    case 5:
      result = WeekdayMaskAfter(text, kind % 7, (pick & 0x80) != 0);
      break;
    case 6:
      (void)SwapMacHalves(text);
      (void)DayByLabel(text);
      return 0;
  }
  if (!result.accepted() && result.message.empty()) std::abort();  // refused without a message
  return 0;
}
