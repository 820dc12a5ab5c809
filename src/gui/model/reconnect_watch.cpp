#include "gui/model/reconnect_watch.h"

#include <system_error>

#include "core/link/serial/network_port_name.h"

namespace netloom::model {
namespace fs = std::filesystem;

ReconnectWatch::ReconnectWatch(std::string devicePath, const fs::path& byIdFolder)
    : devicePath_(std::move(devicePath)) {
  std::error_code ec;
  const fs::path device = fs::canonical(devicePath_, ec);
  if (ec) return;
  for (fs::directory_iterator it(byIdFolder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code linkError;
    if (fs::canonical(it->path(), linkError) == device && !linkError)
      stableNames_.push_back(it->path());
  }
}

std::optional<std::string> ReconnectWatch::Returned() const {
  // A server cannot be watched without connecting: the connection attempt is the look.
  if (link::IsNetworkPortName(devicePath_)) return devicePath_;
  std::error_code ec;
  if (!devicePath_.empty() && fs::exists(devicePath_, ec)) return devicePath_;
  for (const auto& name : stableNames_) {
    const fs::path target = fs::canonical(name, ec);
    if (!ec) return target.string();
  }
  return std::nullopt;
}

}  // namespace netloom::model
