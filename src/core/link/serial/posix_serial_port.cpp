#include "core/link/serial/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "core/link/serial/link_errno.h"
#include "core/link/serial/poll_wait.h"
#include "core/link/serial/termios_settings.h"

namespace netloom::link::detail {
namespace {

using SteadyClock = std::chrono::steady_clock;

// Unix98 pseudo-terminal slaves (the virtual module's link) have these majors.
bool IsPseudoTerminal(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISCHR(info.st_mode) && major(info.st_rdev) >= 136 &&
         major(info.st_rdev) <= 143;
}

// Whether the device holds the line settings asked for. A pseudo-terminal has no wire and
// always reports 8 bits without parity, whatever it was given.
bool LineTaken(const termios& asked, const termios& held, bool pseudoTerminal) {
  const tcflag_t ignored = pseudoTerminal ? (CSIZE | PARENB) : 0;
  return (asked.c_cflag & ~ignored) == (held.c_cflag & ~ignored) &&
         cfgetispeed(&asked) == cfgetispeed(&held) && cfgetospeed(&asked) == cfgetospeed(&held);
}

}  // namespace

OpenResult PosixSerialPort::Open(const std::string& path) {
  if (path.empty()) return {nullptr, {ErrorKind::CallerBug, "no port given"}};
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {nullptr, TranslateErrno(errno, path)};
  // Exclusive, so a second program cannot grab a port in use: TIOCEXCL keeps other users out, and
  // the lock keeps out root, whom TIOCEXCL does not stop. A refused opener closes without touching
  // the flag.
  termios state{};
  if (::tcgetattr(fd, &state) != 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0 ||
      ::ioctl(fd, TIOCEXCL) != 0) {
    const int err = errno;
    ::close(fd);
    return {nullptr, TranslateErrno(err, path)};
  }
  std::unique_ptr<PosixSerialPort> port(new PosixSerialPort(fd, path));
  MakeRaw(state);
  if (::tcsetattr(fd, TCSANOW, &state) != 0) return {nullptr, TranslateErrno(errno, path)};
  return {std::move(port), {}};
}

PosixSerialPort::~PosixSerialPort() {
  // A pseudo-terminal keeps the exclusive flag after the last close; clear it so the next
  // opener (perhaps not root) is not refused.
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
}

bool PosixSerialPort::Fail(LinkError error) {
  lastError_ = std::move(error);
  return false;
}

bool PosixSerialPort::FailErrno(int err) {
  return Fail(TranslateErrno(err, path_));
}

bool PosixSerialPort::Configure(const UartSettings& settings) {
  termios old{};
  if (::tcgetattr(fd_, &old) != 0) return FailErrno(errno);
  termios next = old;
  std::string reason;
  if (!ApplyLineSettings(settings, next, reason)) {
    return Fail({ErrorKind::Unsupported, path_ + ": " + reason});
  }
  // tcsetattr succeeds when any part was taken, so read back what the device really holds.
  termios taken{};
  if (::tcsetattr(fd_, TCSANOW, &next) != 0) return FailErrno(errno);
  if (::tcgetattr(fd_, &taken) != 0 || !LineTaken(next, taken, IsPseudoTerminal(fd_))) {
    ::tcsetattr(fd_, TCSANOW, &old);
    return Fail({ErrorKind::Unsupported, path_ + ": the device refused these line settings"});
  }
  // DTR and RTS on, as the module expects; a pseudo-terminal has no modem lines.
  const int lines = TIOCM_DTR | TIOCM_RTS;
  ::ioctl(fd_, TIOCMBIS, &lines);
  readTimeoutMs_ = settings.readTimeoutMs;
  writeTimeoutMs_ = settings.writeTimeoutMs;
  lastError_ = {};
  return true;
}

bool PosixSerialPort::Write(std::span<const std::uint8_t> bytes) {
  const auto deadline = SteadyClock::now() + std::chrono::milliseconds(writeTimeoutMs_);
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written > 0) {
      bytes = bytes.subspan(static_cast<std::size_t>(written));
      continue;
    }
    if (written < 0 && errno != EAGAIN && errno != EINTR) return FailErrno(errno);
    const int ready = WaitFor(fd_, POLLOUT, MsUntil(deadline));
    if (ready < 0) return FailErrno(errno);
    if (ready == 0) return Fail({ErrorKind::Protocol, path_ + ": write timed out"});
    if ((ready & (POLLERR | POLLHUP | POLLNVAL)) != 0 && (ready & POLLOUT) == 0) {
      return FailErrno(EIO);
    }
  }
  lastError_ = {};
  return true;
}

ReadResult PosixSerialPort::Read(std::span<std::uint8_t> buffer) {
  const auto start = SteadyClock::now();
  const auto deadline = start + std::chrono::milliseconds(readTimeoutMs_);
  const auto interval = std::chrono::milliseconds(kReadIntervalMs);
  ReadResult result;
  auto lastByte = start;
  lastError_ = {};
  while (result.count < buffer.size()) {
    const auto until = result.count == 0 ? deadline : std::min(deadline, lastByte + interval);
    const int ready = WaitFor(fd_, POLLIN, MsUntil(until));
    if (ready == 0) break;
    if (ready < 0 || (ready & POLLNVAL) != 0) {
      result.failed = !FailErrno(ready < 0 ? errno : EBADF);
      break;
    }
    const ssize_t got = ::read(fd_, buffer.data() + result.count, buffer.size() - result.count);
    if (got > 0) {
      result.count += static_cast<std::size_t>(got);
      lastByte = SteadyClock::now();
    } else if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
      continue;
    } else {
      // Ready but nothing to read, or an I/O error: the device is gone (adapter pulled, the
      // other end of a pseudo-terminal closed).
      result.failed = !FailErrno(got < 0 ? errno : EIO);
      break;
    }
  }
  return result;
}

}  // namespace netloom::link::detail
