#include "gui/model/port_choice.h"

#include "core/link/serial/port_directory.h"
#include "gui/model/demo_network.h"

namespace netloom::model {

bool PortChoice::SamePort(const PortChoice& other) const {
  if (demo || other.demo) return demo == other.demo;
  return (!path.empty() && path == other.path) || (path.empty() && name == other.name);
}

PortChoice DemoPortChoice() {
  return {kDemoPortName, std::string(), "built-in demo network", true};
}

PortChoice DefaultPortChoice(const std::vector<PortChoice>& ports) {
  for (const auto& port : ports)
    if (port.description != link::kOnBoardPortDescription) return port;
  return ports.empty() ? DemoPortChoice() : ports.front();
}

std::vector<PortChoice> ListPortChoices(const link::PortDirectoryRoots& roots) {
  std::vector<PortChoice> choices;
  const std::string demoPath = RunningDemoNetworkPath();
  for (auto& entry : link::ListPorts(roots)) {
    if (!demoPath.empty() && entry.path == demoPath) continue;  // listed as the demo network
    choices.push_back({std::move(entry.name), std::move(entry.path), std::move(entry.description)});
  }
  choices.push_back(DemoPortChoice());
  return choices;
}

}  // namespace netloom::model
