// netloom-cli ports: the serial ports the port directory finds.
#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/cli.h"
#include "cli/options.h"
#include "core/link/serial/port_directory.h"

namespace netloom::cli {
namespace {

constexpr const char* kUsage =
    "usage: netloom-cli ports [--json]\n"
    "Lists the serial ports: name, device path, description.\n"
    "  --json  one JSON document: {\"ports\":[{\"name\",\"path\",\"description\"}]}\n";

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
  if (const auto status = ParseFlagsOnly("ports", kUsage, args, {{"--json", false}}, io, parsed)) {
    return *status;
  }
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

const CommandRegistrar kRegistrar({"ports", "list the serial ports", RunPorts});

}  // namespace
}  // namespace netloom::cli
