#include "core/link/port_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace netloom::link {
namespace fs = std::filesystem;
namespace {

// Compares digit runs by value, so ttyUSB2 sorts before ttyUSB10.
bool NaturalLess(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (std::isdigit(static_cast<unsigned char>(a[i])) &&
        std::isdigit(static_cast<unsigned char>(b[j]))) {
      const auto runEnd = [](std::string_view s, std::size_t k) {
        while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) ++k;
        return k;
      };
      const auto skipZeros = [](std::string_view s, std::size_t k, std::size_t end) {
        while (k + 1 < end && s[k] == '0') ++k;
        return k;
      };
      const std::size_t aEnd = runEnd(a, i);
      const std::size_t bEnd = runEnd(b, j);
      const auto aRun = a.substr(skipZeros(a, i, aEnd), aEnd - skipZeros(a, i, aEnd));
      const auto bRun = b.substr(skipZeros(b, j, bEnd), bEnd - skipZeros(b, j, bEnd));
      if (aRun.size() != bRun.size()) return aRun.size() < bRun.size();
      if (aRun != bRun) return aRun < bRun;
      i = aEnd;
      j = bEnd;
      continue;
    }
    if (a[i] != b[j]) return a[i] < b[j];
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
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
  for (const auto& entry : fs::directory_iterator(roots.sysClassTty, ec)) {
    const fs::path ttyDir = entry.path();
    const std::string name = ttyDir.filename().string();
    const fs::path devPath = roots.dev / name;
    // Virtual consoles, pseudo-terminals and the like have no device behind them.
    if (!fs::exists(ttyDir / "device", ec) || !fs::exists(devPath, ec)) continue;
    if (auto usb = UsbDescription(ttyDir, sysRoot)) {
      ports.push_back({name, devPath.string(), std::move(*usb)});
    } else if (HasHardware(ttyDir)) {
      ports.push_back({name, devPath.string(), std::string(kOnBoardPortDescription)});
    }
  }
  for (const auto& entry : fs::directory_iterator(roots.dev, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("rfcomm", 0) == 0 && name.size() > 6) {
      ports.push_back({name, entry.path().string(), "Bluetooth serial port"});
    }
  }
}

// A link folder counts only when it belongs to this user: links planted by someone else in a
// shared /tmp must not be offered.
bool OwnedByUser(const fs::path& folder) {
  struct stat info {};
  return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

void AddVirtualModules(const fs::path& folder, std::vector<PortEntry>& ports) {
  if (!OwnedByUser(folder)) return;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    // exists() follows the link: a module that ended leaves a dangling one behind.
    if (!entry.is_symlink(ec) || !fs::exists(entry.path(), ec)) continue;
    ports.push_back({entry.path().filename().string(), entry.path().string(),
                     std::string(kVirtualModuleDescription)});
  }
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
  if (nameOrPath.empty()) return std::nullopt;
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
