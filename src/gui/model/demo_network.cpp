#include "gui/model/demo_network.h"

#include <memory>

#include "core/sim/virtual_module.h"

namespace netloom::model {
namespace {

std::unique_ptr<sim::VirtualModule>& DemoModule() {
  static std::unique_ptr<sim::VirtualModule> module;
  return module;
}

}  // namespace

std::optional<std::string> DemoNetworkPath(std::string& error) {
  auto& module = DemoModule();
  if (!module) {
    auto started = std::make_unique<sim::VirtualModule>();
    if (const link::LinkError failure = started->Start()) {
      error = failure.detail;
      return std::nullopt;
    }
    module = std::move(started);
  }
  return module->LinkPath();
}

std::string RunningDemoNetworkPath() {
  return DemoModule() ? DemoModule()->LinkPath() : std::string();
}

}  // namespace netloom::model
