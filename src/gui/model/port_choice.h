// The ports a connection can choose, as the UART dialog lists them.
//
// The machine's serial ports and running virtual modules (the core's port directory, numbers in
// names compared by value), the network ports typed lately, then the built-in demo network,
// which is always there: choosing it opens the program's own virtual module.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/link/serial/port_directory.h"

namespace netloom::model {

inline constexpr char kDemoPortName[] = "Virtual module (demo network)";

struct PortChoice {
  std::string name;         // what titles and the list show ("ttyUSB0")
  std::string path;         // the device path; empty for the demo network until it runs
  std::string description;  // "FTDI FT232R USB UART (0403:6001)", "virtual module", ...
  bool demo = false;        // the built-in demo network

  bool SamePort(const PortChoice& other) const;
};

PortChoice DemoPortChoice();
// The choice for a typed or given port: a network port ("rfc2217://HOST:PORT", "tcp://...")
// keeps its whole name and says what it is; a device path is named by its last part.
PortChoice PortChoiceFor(const std::string& path);

// The network ports a user typed, most recent first, kMaxRecentNetworkPorts at most; the port
// list offers them. Kept for the program's life and, through onChange, in the saved settings.
inline constexpr std::size_t kMaxRecentNetworkPorts = 5;
class RecentNetworkPorts {
 public:
  const std::vector<std::string>& names() const { return names_; }
  // Puts `name` first (once); the oldest beyond the limit go.
  void Add(const std::string& name);
  // Replaces the list (read from the saved settings); names that are no network port are left out.
  void Load(const std::vector<std::string>& names);
  std::function<void(const std::vector<std::string>&)> onChange;

 private:
  std::vector<std::string> names_;
};
// The program's one list.
RecentNetworkPorts& ProcessRecentNetworkPorts();
// The ports present now, in list order, then the recent network ports, the demo network last.
std::vector<PortChoice> ListPortChoices(
    const link::PortDirectoryRoots& roots = {},
    const RecentNetworkPorts& recent = ProcessRecentNetworkPorts());
// The port a new connection starts on: the first adapter or virtual module of `ports` (never a
// network port), else the demo network; on-board ports (which rarely have a module behind them)
// only when nothing else is listed.
PortChoice DefaultPortChoice(const std::vector<PortChoice>& ports);

}  // namespace netloom::model
