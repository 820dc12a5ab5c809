// The module's command mode: reads lines, echoes them and runs their handlers. Serving thread
// only.
#pragma once

#include <functional>
#include <optional>

#include "core/sim/handler_registry.h"
#include "core/sim/replay_script.h"

namespace netloom::sim {

class SimEngine {
 public:
  // Asked after each line is read: a network it gives replaces the one served, from that line
  // on (an open remote console ends with it).
  using NetworkSource = std::function<std::optional<SimNetwork>()>;

  // With `replay`, every line is answered from the recorded session alone (replay_script.h).
  SimEngine(SimNetwork network, HandlerRegistry registry, SimLink& link, const SimFaults& faults,
            NetworkSource nextNetwork = {}, std::optional<ReplayScript> replay = std::nullopt)
      : network_(std::move(network)),
        registry_(std::move(registry)),
        link_(link),
        faults_(faults),
        nextNetwork_(std::move(nextNetwork)),
        replay_(std::move(replay)) {
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
  NetworkSource nextNetwork_;
  std::optional<ReplayScript> replay_;
  SimSession session_;
};

}  // namespace netloom::sim
