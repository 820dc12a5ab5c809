// A virtual module over a pseudo-terminal and the network walk run on it, one walk at a time, as
// one refresh of a document runs it; the module's topology may change between walks.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/link/serial/serial_port.h"
#include "core/link/walk/network_walk.h"
#include "core/sim/sim_network.h"
#include "support/virtual_module_fixture.h"

namespace netloom::network {

class ModuleWalker {
 public:
  explicit ModuleWalker(sim::SimNetwork network = sim::DemoNetwork())
      : module_(std::move(network)) {
    link::OpenResult opened = link::OpenPort(module_.LinkPath());
    EXPECT_TRUE(opened.port) << opened.error.detail;
    port_ = std::move(opened.port);
    if (!port_) return;
    link::ConfigurePort(*port_, settings_);
    // Longer than the 200 ms of a query, so a loaded machine cannot make a reply look silent.
    link::ApplyReadTimeout(*port_, settings_, 500);
  }

  testsupport::ScopedVirtualModule& Module() { return module_; }

  // One walk from the root with a fresh table; a snapshot without root when it broke off.
  link::NetworkSnapshot Walk() {
    link::NetworkSnapshot snapshot;
    if (!port_) return snapshot;
    link::NetworkWalk walk(
        *port_, clock_, snapshot.nodeTable, snapshot.nodeCount, directory_, [](std::string_view) {},
        [](std::string_view) {});
    snapshot.rootNode = walk.QueryNode("0000", link::kQueryDepth);
    return snapshot;
  }

 private:
  testsupport::ScopedVirtualModule module_;
  link::UartSettings settings_;
  link::CompressedClock clock_{100};
  link::DeviceDirectory directory_;
  std::unique_ptr<link::SerialPort> port_;
};

}  // namespace netloom::network
