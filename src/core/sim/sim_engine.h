// The module's command mode: reads lines, echoes them and runs their handlers. Serving thread
// only.
#pragma once

#include "core/sim/handler_registry.h"

namespace netloom::sim {

class SimEngine {
 public:
  SimEngine(SimNetwork network, HandlerRegistry registry, SimLink& link, const SimFaults& faults)
      : network_(std::move(network)), registry_(std::move(registry)), link_(link), faults_(faults) {
    link_.SetLineRate(network_.Local().baudRate);
  }

  // Waits for one line and serves it. Throws Interrupted (from the link) when stopped.
  void ServeLine();
  // Back to command mode on the local module (a new pseudo-terminal after a re-plug).
  void Reset() {
    session_ = {};
    link_.SetLineRate(network_.Local().baudRate);
  }

 private:
  SimNetwork network_;
  HandlerRegistry registry_;
  SimLink& link_;
  const SimFaults& faults_;
  SimSession session_;
};

}  // namespace netloom::sim
