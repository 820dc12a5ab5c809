// What a network port knows of its link's health, for the status bar: the round-trip time the
// kernel measures on the connection and the modem lines the server last reported.
//
// The port (worker thread) writes, the UI thread reads: every field is atomic. Shared between
// the two by shared_ptr, so the UI may keep it after the port is gone.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace netloom::link {

struct LinkHealth {
  static constexpr std::int64_t kUnknown = -1;
  std::atomic<std::int64_t> roundTripMicros{kUnknown};  // smoothed round trip of the connection
  std::atomic<int> modemState{-1};                      // RFC 2217 modem-state bits, -1 unknown
};

// "modem state CD DSR" (the lines that are on; "modem state" alone when none is).
std::string ModemStateText(std::uint8_t state);

// For the status bar: "RTT 0.3 ms", then the modem state once the server has reported one;
// empty while neither is known.
std::string LinkHealthText(const LinkHealth& health);

}  // namespace netloom::link
