// A pseudo-terminal for serial port tests: the test holds the master, the code under test opens
// the slave's path like any serial device.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <string_view>

#include "support/wait_for.h"

namespace netloom::testsupport {

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
    return ReadUntil(
        master_, [](const std::string&) { return false; }, timeout, count);
  }

 private:
  int master_ = -1;
  std::string slavePath_;
};

}  // namespace netloom::testsupport
