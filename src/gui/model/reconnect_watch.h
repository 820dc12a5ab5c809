// Recognises a pulled adapter when it comes back, so its document can reconnect by itself.
//
// Taken when a connection opens: the device path and the stable names that lead to the same
// device (/dev/serial/by-id links). The device counts as back when the path exists again, or
// when one of those stable names leads to a device again (the adapter may come back under
// another ttyUSB number). A network port counts as back at every look: only connecting tells.
// Reads the file system only; widget-free.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace netloom::model {

inline constexpr char kSerialByIdFolder[] = "/dev/serial/by-id";

class ReconnectWatch {
 public:
  ReconnectWatch() = default;
  ReconnectWatch(std::string devicePath,
                 const std::filesystem::path& byIdFolder = kSerialByIdFolder);

  const std::string& devicePath() const { return devicePath_; }
  const std::vector<std::filesystem::path>& stableNames() const { return stableNames_; }

  // The path to open now that the device is back, or nothing while it is away.
  std::optional<std::string> Returned() const;

 private:
  std::string devicePath_;
  std::vector<std::filesystem::path> stableNames_;
};

}  // namespace netloom::model
