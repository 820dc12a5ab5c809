// Test support: the virtual module's boot loader seen from outside, as a host would use it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "support/virtual_module_fixture.h"
#include "support/wait_for.h"

namespace netloom::testsupport {

using namespace std::chrono_literals;

// The module restarts on its own time after the host's last command: bytes sent meanwhile
// would be lost, so a test waits for the restart to end before it talks to the module.
inline bool WaitUntilOutOfBootLoader(ScopedVirtualModule& sim) {
  return WaitFor([&] { return !sim.Faults().BootLoader().InBootLoader(); });
}

// Puts the module into its boot loader, as "Upgrade Mode" would (at the module's present rate).
inline void EnterBootLoader(ScopedVirtualModule& sim) {
  ASSERT_TRUE(WaitUntilOutOfBootLoader(sim));
  {
    TtyClient client(sim.LinkPath(), sim.Faults().LineRate());
    ASSERT_TRUE(client.IsOpen());
    client.Write("ATUPGRADE 1\r");
    client.ReadUntil("OK\r\n", 5s);
    client.Write("ATRESET\r");
    client.ReadUntil("OK\r\n", 5s);
  }
  ASSERT_TRUE(WaitFor([&] { return sim.Faults().BootLoader().InBootLoader(); }));
}

// True when the module answers an AT command (it is in AT command mode), at its present rate.
inline bool AnswersAtCommands(ScopedVirtualModule& sim) {
  if (!WaitUntilOutOfBootLoader(sim)) return false;
  TtyClient client(sim.LinkPath(), sim.Faults().LineRate());
  if (!client.IsOpen()) return false;
  // A module still restarting (after the ATRESET that returned it) answers nothing: ask again
  // until it does or the bound passes. The CR first ends any line of noise the module holds
  // (bytes sent at another rate).
  return WaitFor([&] {
    return client.Write("\rATVERSION\r") &&
           client.ReadUntil("OK\r\n", 1s).find("\nVERSION:") != std::string::npos;
  });
}

}  // namespace netloom::testsupport
