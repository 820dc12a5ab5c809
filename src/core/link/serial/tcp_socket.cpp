#include "core/link/serial/tcp_socket.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "core/link/serial/poll_wait.h"

namespace netloom::link::detail {
namespace {

using SteadyClock = std::chrono::steady_clock;

// Waits for `events` until `deadline`: 1 ready (with `revents`), 0 time-out, -1 failure.
int Poll(int fd, short events, SteadyClock::time_point deadline, short& revents) {
  const int ready = WaitFor(fd, events, MsUntil(deadline));
  revents = static_cast<short>(ready > 0 ? ready : 0);
  return ready > 0 ? 1 : ready;
}

void SetOption(int fd, int level, int name, int value) {
  ::setsockopt(fd, level, name, &value, sizeof value);
}

void SetLinkOptions(int fd) {
  SetOption(fd, IPPROTO_TCP, TCP_NODELAY, 1);
  SetOption(fd, SOL_SOCKET, SO_KEEPALIVE, 1);
  SetOption(fd, IPPROTO_TCP, TCP_KEEPIDLE, kKeepIdleSeconds);
  SetOption(fd, IPPROTO_TCP, TCP_KEEPINTVL, kKeepIntervalSeconds);
  SetOption(fd, IPPROTO_TCP, TCP_KEEPCNT, kKeepCount);
  SetOption(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, static_cast<int>(kUnacknowledgedLimitMs));
}

// One address: the connected descriptor, or -1 with `error` set.
int ConnectOne(const addrinfo& address, SteadyClock::time_point deadline, int& error) {
  const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                          address.ai_protocol);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  SetLinkOptions(fd);
  if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
    if (errno != EINPROGRESS) {
      error = errno;
      ::close(fd);
      return -1;
    }
    short revents = 0;
    const int ready = Poll(fd, POLLOUT, deadline, revents);
    int soError = 0;
    socklen_t length = sizeof soError;
    if (ready <= 0) {
      error = ready == 0 ? ETIMEDOUT : errno;
    } else if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &length) != 0) {
      error = errno;
    } else {
      error = soError;
    }
    if (error != 0) {
      ::close(fd);
      return -1;
    }
  }
  return fd;
}

}  // namespace

TcpConnectResult ConnectTcp(const std::string& host, std::uint16_t port,
                            std::chrono::milliseconds timeout) {
  const auto deadline = SteadyClock::now() + timeout;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const int resolved = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
  if (resolved != 0) return {-1, 0, ::gai_strerror(resolved)};
  const std::unique_ptr<addrinfo, void (*)(addrinfo*)> addresses(found, ::freeaddrinfo);
  int error = EHOSTUNREACH;
  for (const addrinfo* address = found; address != nullptr; address = address->ai_next) {
    const int fd = ConnectOne(*address, deadline, error);
    if (fd >= 0) return {fd, 0, {}};
    if (error == ETIMEDOUT) break;
  }
  return {-1, error, {}};
}

int SendAll(int fd, std::span<const std::uint8_t> bytes, SteadyClock::time_point deadline) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent > 0) {
      bytes = bytes.subspan(static_cast<std::size_t>(sent));
      continue;
    }
    if (sent < 0 && errno != EAGAIN && errno != EINTR) return errno;
    short revents = 0;
    const int ready = Poll(fd, POLLOUT, deadline, revents);
    if (ready < 0) return errno;
    if (ready == 0) return ETIMEDOUT;
    if ((revents & POLLOUT) == 0) return (revents & POLLHUP) != 0 ? EPIPE : EIO;
  }
  return 0;
}

int WaitReadable(int fd, SteadyClock::time_point deadline) {
  short revents = 0;
  return Poll(fd, POLLIN, deadline, revents);
}

std::optional<std::int64_t> RoundTripMicros(int fd) {
  tcp_info info{};
  socklen_t length = sizeof info;
  if (::getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &length) != 0) return std::nullopt;
  return static_cast<std::int64_t>(info.tcpi_rtt);
}

}  // namespace netloom::link::detail
