#include "core/link/serial/port_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <utility>

namespace netloom::link {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kRfcomm = "rfcomm";

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The run of digits at the front of `text`, without leading zeros, and what follows it.
std::pair<std::string_view, std::string_view> SplitNumber(std::string_view text) {
  std::size_t end = 0;
  while (end < text.size() && IsDigit(text[end])) ++end;
  std::size_t start = 0;
  while (start + 1 < end && text[start] == '0') ++start;
  return {text.substr(start, end - start), text.substr(end)};
}

// Compares digit runs by value, so ttyUSB2 sorts before ttyUSB10.
bool NaturalLess(std::string_view a, std::string_view b) {
  while (!a.empty() && !b.empty()) {
    if (IsDigit(a.front()) && IsDigit(b.front())) {
      const auto [aNumber, aRest] = SplitNumber(a);
      const auto [bNumber, bRest] = SplitNumber(b);
      if (aNumber.size() != bNumber.size()) return aNumber.size() < bNumber.size();
      if (aNumber != bNumber) return aNumber < bNumber;
      a = aRest;
      b = bRest;
    } else if (a.front() != b.front()) {
      return a.front() < b.front();
    } else {
      a.remove_prefix(1);
      b.remove_prefix(1);
    }
  }
  return a.size() < b.size();
}

// Calls `visit` with every entry of `folder`; a folder that cannot be read has none.
template <typename Visit>
void ForEachEntry(const fs::path& folder, Visit visit) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) visit(*it);
}

std::string ReadLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
  return line;
}

// "Manufacturer Product (vvvv:pppp)" of the USB device above a tty, if it hangs off USB.
std::optional<std::string> UsbDescription(const fs::path& ttyDir, const fs::path& sysRoot) {
  std::error_code ec;
  fs::path dir = fs::canonical(ttyDir / "device", ec);
  if (ec) return std::nullopt;
  for (; dir.has_relative_path() && dir != sysRoot; dir = dir.parent_path()) {
    if (!fs::exists(dir / "idVendor", ec)) continue;
    std::string text = ReadLine(dir / "manufacturer");
    const std::string product = ReadLine(dir / "product");
    if (!product.empty()) text += (text.empty() ? "" : " ") + product;
    if (text.empty()) text = "USB serial port";
    return text + " (" + ReadLine(dir / "idVendor") + ":" + ReadLine(dir / "idProduct") + ")";
  }
  return std::nullopt;
}

// Whether a tty that is not on USB is a port with hardware behind it. The serial core
// registers placeholder ports (type 0, PORT_UNKNOWN) for every possible on-board UART.
bool HasHardware(const fs::path& ttyDir) {
  std::error_code ec;
  if (fs::exists(ttyDir / "type", ec)) return std::atoi(ReadLine(ttyDir / "type").c_str()) != 0;
  const fs::path driver = fs::canonical(ttyDir / "device" / "driver", ec);
  const fs::path device = fs::canonical(ttyDir / "device", ec);
  return driver.filename() != "serial8250" && device.filename() != "serial8250";
}

void AddDevices(const PortDirectoryRoots& roots, std::vector<PortEntry>& ports) {
  std::error_code ec;
  // The sysfs root the device links resolve into; the USB walk stops there.
  const fs::path sysRoot = fs::weakly_canonical(roots.sysClassTty / ".." / "..", ec);
  ForEachEntry(roots.sysClassTty, [&](const fs::directory_entry& entry) {
    const fs::path ttyDir = entry.path();
    const std::string name = ttyDir.filename().string();
    const fs::path devPath = roots.dev / name;
    // Bluetooth ports hang off their adapter, which may be on USB; they are listed below.
    if (name.rfind(kRfcomm, 0) == 0) return;
    // Virtual consoles, pseudo-terminals and the like have no device behind them.
    if (!fs::exists(ttyDir / "device", ec) || !fs::exists(devPath, ec)) return;
    if (auto usb = UsbDescription(ttyDir, sysRoot)) {
      ports.push_back({name, devPath.string(), std::move(*usb)});
    } else if (HasHardware(ttyDir)) {
      ports.push_back({name, devPath.string(), std::string(kOnBoardPortDescription)});
    }
  });
  ForEachEntry(roots.dev, [&](const fs::directory_entry& entry) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kRfcomm, 0) == 0 && name.size() > kRfcomm.size() &&
        std::all_of(name.begin() + kRfcomm.size(), name.end(), IsDigit)) {
      ports.push_back({name, entry.path().string(), "Bluetooth serial port"});
    }
  });
}

// A link folder counts only when it belongs to this user: links planted by someone else in a
// shared /tmp must not be offered.
bool OwnedByUser(const fs::path& folder) {
  struct stat info {};
  return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

void AddVirtualModules(const fs::path& folder, std::vector<PortEntry>& ports) {
  if (!OwnedByUser(folder)) return;
  ForEachEntry(folder, [&](const fs::directory_entry& entry) {
    std::error_code ec;
    // exists() follows the link: a module that ended leaves a dangling one behind.
    if (!entry.is_symlink(ec) || !fs::exists(entry.path(), ec)) return;
    ports.push_back({entry.path().filename().string(), entry.path().string(),
                     std::string(kVirtualModuleDescription)});
  });
}

}  // namespace

fs::path VirtualModuleLinkFolder() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
      runtime != nullptr && runtime[0] == '/' && ::access(runtime, W_OK | X_OK) == 0) {
    return fs::path(runtime) / "netloom";
  }
  return fs::path("/tmp") / ("netloom-" + std::to_string(::geteuid()));
}

std::optional<fs::path> PrepareVirtualModuleLinkFolder(std::string& error) {
  const fs::path folder = VirtualModuleLinkFolder();
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    error = folder.string() + ": " + std::generic_category().message(errno);
    return std::nullopt;
  }
  if (!OwnedByUser(folder)) {
    error = folder.string() + ": not a folder of this user";
    return std::nullopt;
  }
  return folder;
}

std::vector<PortEntry> ListPorts(const PortDirectoryRoots& roots) {
  std::vector<PortEntry> ports;
  AddDevices(roots, ports);
  AddVirtualModules(roots.linkFolder.empty() ? VirtualModuleLinkFolder() : roots.linkFolder, ports);
  std::stable_sort(ports.begin(), ports.end(), [](const PortEntry& a, const PortEntry& b) {
    return NaturalLess(a.name, b.name);
  });
  return ports;
}

std::optional<std::string> ResolvePort(std::string_view nameOrPath,
                                       const PortDirectoryRoots& roots) {
  if (nameOrPath.empty() || nameOrPath == "." || nameOrPath == "..") return std::nullopt;
  if (nameOrPath.find('/') != std::string_view::npos) return std::string(nameOrPath);
  for (const auto& port : ListPorts(roots)) {
    if (port.name == nameOrPath) return port.path;
  }
  std::error_code ec;
  const fs::path device = roots.dev / nameOrPath;
  if (fs::exists(device, ec)) return device.string();
  return std::nullopt;
}

}  // namespace netloom::link
