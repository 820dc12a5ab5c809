// Port directory: the serial ports a user can pick, and where virtual modules publish theirs.
//
// Lists the machine's real serial devices (USB and ACM adapters, on-board ports that have
// hardware, Bluetooth RFCOMM) and the running virtual modules. Each virtual module publishes a
// link, a symlink named after the module in VirtualModuleLinkFolder() pointing at its
// pseudo-terminal; a link whose target is gone is not listed.
//
// Everything here reads the file system only: no device is opened. Safe to call from any thread.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace netloom::link {

// Description of a virtual module's port.
inline constexpr std::string_view kVirtualModuleDescription = "virtual module";
// Description of a port on the machine's own board (rarely has a module behind it).
inline constexpr std::string_view kOnBoardPortDescription = "on-board serial port";

struct PortEntry {
  std::string name;         // the device's base name ("ttyUSB0") or the link's name
  std::string path;         // what OpenPort takes ("/dev/ttyUSB0", the link's path)
  std::string description;  // "FTDI FT232R USB UART (0403:6001)", "virtual module" ...
};

// Where the directory looks. Tests point these at a fake tree.
struct PortDirectoryRoots {
  std::filesystem::path sysClassTty = "/sys/class/tty";
  std::filesystem::path dev = "/dev";
  std::filesystem::path linkFolder;  // empty: VirtualModuleLinkFolder()
};

// $XDG_RUNTIME_DIR/netloom when that variable is set and the folder is writable, else
// /tmp/netloom-<uid>. The folder may not exist yet.
std::filesystem::path VirtualModuleLinkFolder();

// Creates VirtualModuleLinkFolder() (mode 0700) if needed and checks that it belongs to this
// user; nothing and `error` set when it cannot be used. For the virtual module publishing its link.
std::optional<std::filesystem::path> PrepareVirtualModuleLinkFolder(std::string& error);

// The ports present now, sorted by name with numbers compared by value (ttyUSB2 before ttyUSB10).
std::vector<PortEntry> ListPorts(const PortDirectoryRoots& roots = {});

// The device path for a name from ListPorts, a device name under /dev ("ttyAMA0"), or a path
// (anything with a '/', returned as given). Nothing when the name is unknown.
std::optional<std::string> ResolvePort(std::string_view nameOrPath,
                                       const PortDirectoryRoots& roots = {});

}  // namespace netloom::link
