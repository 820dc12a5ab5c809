// The ports a connection can choose, as the UART dialog lists them.
//
// The machine's serial ports and running virtual modules (the core's port directory, numbers in
// names compared by value), then the built-in demo network, which is always there: choosing it
// opens the program's own virtual module.
#pragma once

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
// The ports present now, in list order, the demo network last.
std::vector<PortChoice> ListPortChoices(const link::PortDirectoryRoots& roots = {});
// The port a new connection starts on: the first adapter or virtual module of `ports`, else
// the demo network; on-board ports (which rarely have a module behind them) only when nothing
// else is listed.
PortChoice DefaultPortChoice(const std::vector<PortChoice>& ports);

}  // namespace netloom::model
