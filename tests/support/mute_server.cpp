#include "support/mute_server.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace netloom::testsupport {

MuteServer::MuteServer() {
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  // The kernel completes the handshakes of the backlog: connections are accepted, and no byte
  // ever comes back.
  if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::listen(fd_, 8) == 0 &&
      ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port_ = ntohs(address.sin_port);
  }
}

MuteServer::~MuteServer() {
  ::close(fd_);
}

std::string MuteServer::Name(std::string_view scheme) const {
  return std::string(scheme) + "127.0.0.1:" + std::to_string(port_);
}

}  // namespace netloom::testsupport
