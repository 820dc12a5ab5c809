#include "support/wait_for.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

namespace netloom::testsupport {

using Clock = std::chrono::steady_clock;

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds bound) {
  const auto until = Clock::now() + bound;
  while (!done()) {
    if (Clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

std::string ReadUntil(int fd, const std::function<bool(const std::string&)>& done,
                      std::chrono::milliseconds bound, std::size_t most) {
  std::string got;
  const auto until = Clock::now() + bound;
  while (got.size() < most && !done(got)) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    if (left.count() <= 0) break;
    pollfd in{fd, POLLIN, 0};
    if (::poll(&in, 1, static_cast<int>(left.count())) <= 0) continue;
    char buffer[256];
    const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, most - got.size()));
    if (n <= 0) break;
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return got;
}

}  // namespace netloom::testsupport
