// The virtual module: a ZigBee module emulator on a pseudo-terminal.
//
// It stands where a radio module on a serial adapter would: a client opens its link path like
// any serial device (exclusively, any number of times one after the other) and speaks the AT
// protocol with it. The module serves on a thread of its own, as sequential code (see
// sim_link.h and handler_registry.h for how exchanges are written and added).
//
// Ownership and threads: the owner calls Start, Stop, Unplug, Replug and the destructor from one
// thread; Faults() may be used from any thread at any time. The network given in the options
// belongs to the serving thread once Start succeeded.
//
// Results: Start returns a LinkError (kind System with the system's reason) when no
// pseudo-terminal or link can be made; nothing here throws.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "core/link/serial/serial_port.h"
#include "core/sim/pseudo_terminal.h"
#include "core/sim/replay_script.h"
#include "core/sim/sim_faults.h"
#include "core/sim/sim_network.h"

namespace netloom::sim {

struct VirtualModuleOptions {
  SimNetwork network = DemoNetwork();
  // Where the link (a symlink to the pseudo-terminal) goes. Empty: a fresh name in
  // link::VirtualModuleLinkFolder(), which the port directory lists.
  std::string linkPath;
  // Pace every byte sent and received at the baud rate the client set on the line.
  bool baudRateEmulation = false;
  // The module's own waits (its restart) pass this many times faster than real time; tests
  // compress them as they compress the host's pauses, so the order of the two stays real.
  std::uint32_t timeDivisor = 1;
  // A recorded session to serve back instead of the network (replay_script.h).
  std::optional<ReplayScript> replay{};
};

class VirtualModule {
 public:
  explicit VirtualModule(VirtualModuleOptions options = {});
  // Stops serving and removes the link.
  ~VirtualModule();
  VirtualModule(const VirtualModule&) = delete;
  VirtualModule& operator=(const VirtualModule&) = delete;

  // Opens the pseudo-terminal, publishes the link and starts serving. Once only.
  link::LinkError Start();
  // Stops serving (set stop, wake, join); the link stays until destruction. Idempotent.
  void Stop();

  // The path clients open; valid after a successful Start, and stable across re-plugs.
  const std::string& LinkPath() const { return linkPath_; }

  SimFaults& Faults() { return faults_; }

  // Serves `network` instead from the next line the module reads (any thread, any time; the
  // nodes' configuration images start afresh, an open remote console ends). Tests change the
  // topology between walks with it.
  void ChangeNetwork(SimNetwork network);

  // Pulls the adapter: the pseudo-terminal is closed, so a client's reads and writes fail and
  // the link dangles. Returns when done; false when not serving or already unplugged.
  bool Unplug();
  // Plugs it back: a new pseudo-terminal behind the same link path, the module back in command
  // mode on the local node. Returns when done; false when not unplugged or when no
  // pseudo-terminal can be had.
  bool Replug();

 private:
  enum class PlugState { Plugged, UnplugRequested, Unplugged, ReplugRequested };

  void Serve();
  // Serving thread: drops the pseudo-terminal and waits for a re-plug or stop.
  void ServeUnplugged(class SimLink& link, class SimEngine& engine);
  bool Plug(std::string& error);

  VirtualModuleOptions options_;
  std::string linkPath_;
  SimFaults faults_;
  std::optional<detail::PseudoTerminal> pty_;  // the serving thread's, once started
  std::optional<detail::WakePipe> wake_;
  std::mutex networkMutex_;
  std::optional<SimNetwork> nextNetwork_;  // guarded by networkMutex_
  std::atomic<bool> stop_{false};
  std::atomic<bool> unplugRequested_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
  PlugState plug_ = PlugState::Plugged;  // guarded by mutex_
  bool serving_ = false;                 // guarded by mutex_
  std::thread thread_;
};

}  // namespace netloom::sim
