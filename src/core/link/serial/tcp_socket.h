// A TCP connection to a port server, as a network serial port needs it: connected within a
// bound, without Nagle's delay (the protocols here send small frames and wait for each answer),
// with keepalive so that a server that vanished without a word is noticed, and with a bound on
// data the server never acknowledges. POSIX sockets; the descriptor is non-blocking.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace netloom::link::detail {

// Keepalive: the first probe after 5 s of silence, then every 2 s; 3 unanswered probes end the
// connection. Sent data unacknowledged for 10 s ends it too.
inline constexpr int kKeepIdleSeconds = 5;
inline constexpr int kKeepIntervalSeconds = 2;
inline constexpr int kKeepCount = 3;
inline constexpr unsigned kUnacknowledgedLimitMs = 10000;

struct TcpConnectResult {
  int fd = -1;    // -1 when not connected
  int error = 0;  // errno of the failure, or 0 with `reason` for a name that did not resolve
  std::string reason;
};

// Connects to `host`:`port` (each address the name resolves to in turn) within `timeout`.
TcpConnectResult ConnectTcp(const std::string& host, std::uint16_t port,
                            std::chrono::milliseconds timeout);

// Sends all of `bytes` before `deadline` (no SIGPIPE on a closed connection). 0, or the errno
// of the failure (ETIMEDOUT when the deadline passed).
int SendAll(int fd, std::span<const std::uint8_t> bytes,
            std::chrono::steady_clock::time_point deadline);

// Waits until `fd` is readable or `deadline` passes: 1 readable (or hung up), 0 time-out, -1
// with errno on failure.
int WaitReadable(int fd, std::chrono::steady_clock::time_point deadline);

// The kernel's smoothed round-trip time of the connection, in microseconds.
std::optional<std::int64_t> RoundTripMicros(int fd);

}  // namespace netloom::link::detail
