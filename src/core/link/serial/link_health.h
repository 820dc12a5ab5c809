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

// "RTT 0.3 ms", or empty while nothing was measured.
std::string RoundTripText(const LinkHealth& health);

}  // namespace netloom::link
