// Run-time switches of a virtual module: faults to inject and the record of received bytes.
//
// Thread safety: every member may be called from any thread at any time (tests flip switches
// while the module serves); the serving thread reads them at the next byte it sends or takes.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/sim/boot_loader_faults.h"
#include "core/sim/exchange_faults.h"

namespace netloom::sim {

// How "ATCONSOLE <address> 0" is answered.
enum class ConsoleAnswer {
  Normal,   // "OK" for a node of the network, "FAIL" for any other address
  Fail,     // "FAIL" whatever the address
  Time,     // a line with "Time" in it (the remote node did not answer in time)
  Garbage,  // bursts of text with none of the expected words, until the host sends again
  Silence,  // the echo only
};

// How the neighbour reply ("ATNETINFO") of one node is spoiled.
enum class NetInfoFault {
  None,
  BadClose,  // the closing ">" comes as ")"
  BreakOff,  // the reply stops in the middle of its entries
  NotHex,    // a character of the node's own address comes as "G"
};

class SimFaults {
 public:
  void SetConsoleAnswer(ConsoleAnswer answer) { consoleAnswer_ = answer; }
  ConsoleAnswer GetConsoleAnswer() const { return consoleAnswer_; }

  // Noise: `count` bytes of line garbage (never a protocol character) before every write.
  void SetNoise(std::size_t count) { noise_ = count; }
  std::size_t Noise() const { return noise_; }

  // Silence: the module goes on taking bytes but sends nothing at all.
  void SetSilent(bool silent) { silent_ = silent; }
  bool Silent() const { return silent_; }

  // Spoils the neighbour reply of the node `address` (either case) from now on; None mends it.
  // One node at a time: a later call replaces the earlier one.
  void SetNetInfoFault(std::string address, NetInfoFault fault);
  // The fault for the node `address` (upper case, as the network holds it); None for the rest.
  NetInfoFault NetInfoFaultOf(std::string_view address) const;

  // Record of every byte the module received while recording is on (off at start).
  void SetRecording(bool on);
  std::vector<std::uint8_t> Received() const;
  void ClearReceived();
  // Called by the serving thread for each chunk it reads.
  void NoteReceived(std::span<const std::uint8_t> bytes);

  // The rate the module's line runs at now (its command-mode rate outside the boot loader).
  std::uint32_t LineRate() const { return lineRate_; }
  void NoteLineRate(std::uint32_t rate) { lineRate_ = rate; }

  // Restarts the module has come back from (while one lasts it answers nothing and loses
  // what comes).
  std::size_t Restarts() const { return restarts_; }
  void NoteRestarted() { ++restarts_; }

  // The boot loader's switches and record (thread-safe like the rest, so reachable from the
  // serving thread's const reference too).
  BootLoaderFaults& BootLoader() const { return bootLoader_; }
  // The configuration and identity exchanges' switches and counters (thread-safe like the
  // rest, so reachable from the serving thread's const reference too).
  ExchangeFaults& Exchanges() const { return exchanges_; }

 private:
  std::atomic<ConsoleAnswer> consoleAnswer_{ConsoleAnswer::Normal};
  std::atomic<std::size_t> noise_{0};
  std::atomic<bool> silent_{false};
  std::atomic<bool> recording_{false};
  std::atomic<std::size_t> restarts_{0};
  std::atomic<std::uint32_t> lineRate_{9600};
  mutable std::mutex netInfoMutex_;
  std::string netInfoAddress_;
  NetInfoFault netInfoFault_ = NetInfoFault::None;
  mutable std::mutex receivedMutex_;
  std::vector<std::uint8_t> received_;
  mutable BootLoaderFaults bootLoader_;
  mutable ExchangeFaults exchanges_;
};

}  // namespace netloom::sim
