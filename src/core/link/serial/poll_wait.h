// Waiting on a descriptor within a deadline: the one wait every port backend goes through.
#pragma once

#include <chrono>

namespace netloom::link::detail {

// Milliseconds left until `deadline`, rounded up so a wait never ends early; 0 when past.
int MsUntil(std::chrono::steady_clock::time_point deadline);

// Waits for `events` on `fd` (interrupted waits are resumed); the revents, 0 on time-out, -1
// with errno on failure.
int WaitFor(int fd, short events, int timeoutMs);

}  // namespace netloom::link::detail
