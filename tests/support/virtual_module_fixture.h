// Test support: a virtual module for one test, and a plain POSIX client of its link.
//
// ScopedVirtualModule starts a module on a link in a private temporary folder (so tests never
// touch the user's link folder) and stops it, removing link and folder, when it goes away.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/sim/virtual_module.h"
#include "support/temp_folder.h"

namespace netloom::testsupport {

// The module's own waits pass as the test clocks pass the host's pauses: a hundred times
// faster.
inline constexpr std::uint32_t kModuleTimeDivisor = 100;

// Options of a test's module: the demo network, its waits compressed by kModuleTimeDivisor,
// its line at `rate` in command mode.
sim::VirtualModuleOptions TestModuleOptions(std::uint32_t rate = 9600);

class ScopedVirtualModule {
 public:
  // The link path of `options` is replaced by one in the module's own folder.
  explicit ScopedVirtualModule(sim::VirtualModuleOptions options = TestModuleOptions());
  // The test options with `network`.
  explicit ScopedVirtualModule(sim::SimNetwork network);

  sim::VirtualModule& Module() { return *module_; }
  sim::SimFaults& Faults() { return module_->Faults(); }
  const std::string& LinkPath() const { return module_->LinkPath(); }

 private:
  TempFolder folder_;  // declared first: the module goes (and takes its link) before the folder
  std::unique_ptr<sim::VirtualModule> module_;
};

// Fixture with a demo-network module started for each test.
class VirtualModuleTest : public ::testing::Test {
 protected:
  ScopedVirtualModule sim_;
};

// A raw client of a tty path: opened read-write, raw, at `baud`; closed on destruction.
class TtyClient {
 public:
  explicit TtyClient(const std::string& path, std::uint32_t baud = 9600);
  ~TtyClient();
  TtyClient(const TtyClient&) = delete;
  TtyClient& operator=(const TtyClient&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  // Changes the line rate (both directions); false when the rate has no termios speed.
  bool SetRate(std::uint32_t baud);
  bool Write(std::string_view bytes);
  // Collects what arrives until `expected` appears in it or `timeout` passes; returns all of it.
  std::string ReadUntil(std::string_view expected, std::chrono::milliseconds timeout);
  // Collects what arrives during `window`.
  std::string ReadFor(std::chrono::milliseconds window);
  // Waits for one read; false when the read failed (device gone) rather than timed out.
  bool ReadFails(std::chrono::milliseconds timeout);
  int Fd() const { return fd_; }

 private:
  int fd_ = -1;
};

}  // namespace netloom::testsupport
