#include "core/link/walk/device_directory.h"

#include "core/link/walk/node_table.h"

namespace netloom::link {

bool DeviceDirectory::Add(std::string_view address, std::string_view name) {
  const std::int32_t key = NodeKey(address);
  const std::lock_guard lock(mutex_);
  return entries_.try_emplace(key, DeviceEntry{key, std::string(address), std::string(name), {}})
      .second;
}

std::optional<DeviceEntry> DeviceDirectory::Find(std::string_view address) const {
  const std::lock_guard lock(mutex_);
  const auto found = entries_.find(NodeKey(address));
  if (found == entries_.end()) return std::nullopt;
  return found->second;
}

std::vector<DeviceEntry> DeviceDirectory::Entries() const {
  const std::lock_guard lock(mutex_);
  std::vector<DeviceEntry> all;
  all.reserve(entries_.size());
  for (const auto& [key, entry] : entries_) all.push_back(entry);
  return all;
}

std::size_t DeviceDirectory::Size() const {
  const std::lock_guard lock(mutex_);
  return entries_.size();
}

DeviceDirectory& ProcessDeviceDirectory() {
  static DeviceDirectory directory;
  return directory;
}

}  // namespace netloom::link
