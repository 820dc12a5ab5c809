#include "gui/model/port_choice.h"

#include <algorithm>

#include "core/link/serial/network_port_name.h"
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

PortChoice PortChoiceFor(const std::string& path) {
  if (link::IsNetworkPortName(path)) {
    return {path, path, std::string(link::NetworkPortDescription(path)), false};
  }
  return {path.substr(path.find_last_of('/') + 1), path, std::string(), false};
}

void RecentNetworkPorts::Add(const std::string& name) {
  std::erase(names_, name);
  names_.insert(names_.begin(), name);
  if (names_.size() > kMaxRecentNetworkPorts) names_.resize(kMaxRecentNetworkPorts);
  if (onChange) onChange(names_);
}

void RecentNetworkPorts::Load(const std::vector<std::string>& names) {
  names_.clear();
  for (const auto& name : names) {
    if (link::IsNetworkPortName(name) && names_.size() < kMaxRecentNetworkPorts &&
        std::find(names_.begin(), names_.end(), name) == names_.end()) {
      names_.push_back(name);
    }
  }
}

RecentNetworkPorts& ProcessRecentNetworkPorts() {
  static RecentNetworkPorts recent;
  return recent;
}

PortChoice DefaultPortChoice(const std::vector<PortChoice>& ports) {
  const PortChoice* onBoard = nullptr;
  for (const auto& port : ports) {
    if (link::IsNetworkPortName(port.path)) continue;
    if (port.description != link::kOnBoardPortDescription) return port;
    if (!onBoard) onBoard = &port;
  }
  return onBoard ? *onBoard : DemoPortChoice();
}

std::vector<PortChoice> ListPortChoices(const link::PortDirectoryRoots& roots,
                                        const RecentNetworkPorts& recent) {
  std::vector<PortChoice> choices;
  const std::string demoPath = RunningDemoNetworkPath();
  for (auto& entry : link::ListPorts(roots)) {
    if (!demoPath.empty() && entry.path == demoPath) continue;  // listed as the demo network
    choices.push_back({std::move(entry.name), std::move(entry.path), std::move(entry.description)});
  }
  for (const auto& name : recent.names()) choices.push_back(PortChoiceFor(name));
  choices.push_back(DemoPortChoice());
  return choices;
}

}  // namespace netloom::model
