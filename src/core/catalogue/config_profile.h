// Configuration profiles: the 51 value texts of a ConfigValueTable as a JSON document, and how
// two sets of values differ.
//
// The document is what `netloom-cli config read --json` prints and `config write --from` reads,
// and what the Parameters pane saves and loads:
//   {"items":[{"index":0,"name":"Version","value":"0002"}, ... ]}
// Each value is the slot text as the table holds it (MACAddr with its halves exchanged, option
// items by their stored code). On reading, "name" is optional but must match the index when
// given; items may be missing or in any order, and are taken in document order.
//
// Pure functions over values and files; any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/catalogue/entry_result.h"

namespace netloom::catalogue {

class ConfigValueTable;

using ConfigValues = std::vector<std::string>;                  // one text per item 0..50
using ProfileItems = std::vector<std::pair<int, std::string>>;  // item, stored text

// The document for `values` (one line, no line break at the end). A value whose bytes are not
// UTF-8 (a Latin-1 name read from a module) is written as Latin-1 text with "latin1":true, and
// read back byte for byte.
std::string ProfileJson(const ConfigValues& values);

// The items of the document in `text`; nullopt with `error` ("<source>: ...") when it is not
// such a document. `source` names it in the error (a file path).
std::optional<ProfileItems> ParseProfile(std::string_view text, std::string_view source,
                                         std::string& error);
// The same for the file at `path` ("cannot read '<path>'" when it cannot be opened).
std::optional<ProfileItems> ReadProfileFile(const std::string& path, std::string& error);
// Writes the document with a line break at the end; false with `error` when the file cannot be
// written.
bool WriteProfileFile(const std::string& path, const ConfigValues& values, std::string& error);

// Whether `text` is a value item `item` can hold as it stands (as a read from a module leaves
// it): what the Parameters pane's rows could have stored and the image can carry. Stored with
// the text, or Refused with the reason ("<name> : ...").
EntryResult CheckStoredValue(int item, std::string_view text);

// Items that name one module, which a profile never carries to another: the image version,
// MACAddr, ExPanID, MyShortAddr, ParentAddr and SerialNum.
bool IsPerModuleItem(int item);

// What loading a profile did.
struct ProfileLoad {
  ProfileItems refused;      // with their reasons, in the order given
  std::vector<int> skipped;  // read-only or per-module items the profile would have changed
};

// Loads a profile as `config write --set` takes values: read-only items (the table's
// ItemEnabled, NetworkKey following the SecurityEnable the load ends with; the weekday mask is
// editable) and per-module items are skipped, so that a profile saved from one module never
// gives another its identity; the items that pass CheckStoredValue are put into `table`
// (NetworkKey's editable flag then follows SecurityEnable, as after a read), the others are
// refused with their reasons. The accepted items are stored even when others are refused.
ProfileLoad ApplyProfile(ConfigValueTable& table, const ProfileItems& items);

// The one message for the skipped items of a load; empty when none was:
// "2 items were not loaded and keep this module's values (read-only or the module's own):
// 10 MACAddr, 49 SerialNum".
std::string SkippedItemsText(const std::vector<int>& skipped);

// Items whose texts differ between `a` and `b` (hex digits compared without case, text items
// exactly), in item order.
std::vector<int> DifferingItems(const ConfigValues& a, const ConfigValues& b);
// "1 item differs: 14 PanID (wrote \"4321\", read \"1234\")" for the items of
// DifferingItems(wrote, read); empty when none differs.
std::string DescribeDifferences(const ConfigValues& wrote, const ConfigValues& read);

// "14 PanID": an item's index and name.
std::string ItemLabel(int item);

}  // namespace netloom::catalogue
