// A pseudo-terminal for serial port tests: the test holds the master, the code under test opens
// the slave's path like any serial device.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <string_view>

namespace netloom::link::testing {

class PtyPair {
 public:
  PtyPair() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128] = {};
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0 &&
        ::ptsname_r(master_, name, sizeof name) == 0) {
      slavePath_ = name;
    }
  }
  ~PtyPair() { CloseMaster(); }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  bool Ok() const { return master_ >= 0 && !slavePath_.empty(); }
  int Master() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }

  void CloseMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

  bool Send(std::string_view bytes) const {
    return ::write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }

  // What arrives at the master within `timeout` until `count` bytes are there.
  std::string Receive(std::size_t count,
                      std::chrono::milliseconds timeout = std::chrono::seconds(5)) const {
    std::string got;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (got.size() < count) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd entry{master_, POLLIN, 0};
      if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) <= 0) break;
      char buffer[256];
      const ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, count - got.size()));
      if (n <= 0) break;
      got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
  }

 private:
  int master_ = -1;
  std::string slavePath_;
};

}  // namespace netloom::link::testing
