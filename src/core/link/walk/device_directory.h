// The process-wide device directory: every node a network walk has met, with its address and
// name, for the AT console to fill in a picked node's details.
//
// It only grows: the walk adds an entry for a key it has not seen, and never changes or removes
// one while the program runs (a node renamed later keeps its first name here).
// Thread safety: written by link workers, read by the user-interface thread; every member
// function may be called from any thread at any time (an internal lock guards the map, and
// readers get copies).
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace netloom::link {

struct DeviceEntry {
  std::int32_t key = 0;    // NodeKey of the address
  std::string address;     // address text
  std::string name;        // the node's name from the walk
  std::string macAddress;  // empty: the walk does not learn it
};

class DeviceDirectory {
 public:
  // Adds an entry for the node key of `address` unless one is there. True when it was added.
  bool Add(std::string_view address, std::string_view name);
  // The entry for the node key of `address`, if any.
  std::optional<DeviceEntry> Find(std::string_view address) const;
  // Every entry, in node-key order.
  std::vector<DeviceEntry> Entries() const;
  std::size_t Size() const;

 private:
  mutable std::mutex mutex_;
  std::map<std::int32_t, DeviceEntry> entries_;
};

// The one directory of this process; it lives as long as the program.
DeviceDirectory& ProcessDeviceDirectory();

}  // namespace netloom::link
