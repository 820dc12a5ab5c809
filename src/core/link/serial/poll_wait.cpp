#include "core/link/serial/poll_wait.h"

#include <poll.h>

#include <cerrno>

namespace netloom::link::detail {

int MsUntil(std::chrono::steady_clock::time_point deadline) {
  const auto left = deadline - std::chrono::steady_clock::now();
  if (left <= std::chrono::steady_clock::duration::zero()) return 0;
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

int WaitFor(int fd, short events, int timeoutMs) {
  pollfd entry{fd, events, 0};
  for (;;) {
    const int ready = ::poll(&entry, 1, timeoutMs);
    if (ready >= 0) return ready == 0 ? 0 : entry.revents;
    if (errno != EINTR) return -1;
  }
}

}  // namespace netloom::link::detail
