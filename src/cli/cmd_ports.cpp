// netloom-cli ports: the serial ports the port directory finds.
#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/cli.h"
#include "cli/options.h"
#include "core/link/serial/port_directory.h"

namespace netloom::cli {
namespace {

void PrintTable(const std::vector<link::PortEntry>& ports, std::ostream& out) {
  std::size_t nameWidth = 0;
  std::size_t pathWidth = 0;
  for (const auto& port : ports) {
    nameWidth = std::max(nameWidth, port.name.size());
    pathWidth = std::max(pathWidth, port.path.size());
  }
  for (const auto& port : ports) {
    out << port.name << std::string(nameWidth - port.name.size() + 2, ' ') << port.path
        << std::string(pathWidth - port.path.size() + 2, ' ') << port.description << "\n";
  }
}

int RunPorts(const std::vector<std::string>& args, CommandIo& io) {
  ParsedArgs parsed;
  if (const auto status = ParseFlagsOnly("ports", args, io, parsed)) return *status;
  const std::vector<link::PortEntry> ports = link::ListPorts();
  if (parsed.Has("--json")) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto& port : ports) {
      list.push_back({{"name", port.name}, {"path", port.path}, {"description", port.description}});
    }
    io.out << nlohmann::ordered_json{{"ports", list}}.dump() << "\n";
  } else if (ports.empty()) {
    io.err << "no serial ports found\n";
  } else {
    PrintTable(ports, io.out);
  }
  return kExitOk;
}

const CommandRegistrar kPorts({
    .name = "ports",
    .summary = "list the serial ports",
    .run = RunPorts,
    .synopsis = {"ports [--json]"},
    .description = "Lists the serial ports: name, device path, description (the USB vendor and "
                   "product where known; \"virtual module\" for a running virtual module).",
    .flags = {JsonFlag("{\"ports\":[{\"name\":...,\"path\":...,\"description\":...}]}")},
});

}  // namespace
}  // namespace netloom::cli
