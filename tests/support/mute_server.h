// Test support: a TCP listener on 127.0.0.1 that takes connections and never says a word (a
// port server that hangs after the accept).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace netloom::testsupport {

class MuteServer {
 public:
  MuteServer();
  ~MuteServer();
  MuteServer(const MuteServer&) = delete;
  MuteServer& operator=(const MuteServer&) = delete;

  // `scheme` ("rfc2217://", "tcp://") followed by "127.0.0.1:PORT".
  std::string Name(std::string_view scheme) const;

 private:
  int fd_ = -1;
  std::uint16_t port_ = 0;
};

}  // namespace netloom::testsupport
