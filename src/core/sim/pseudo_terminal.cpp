#include "core/sim/pseudo_terminal.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace netloom::sim::detail {
namespace {

std::string SystemError(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

}  // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    Reset();
    fd_ = other.Release();
  }
  return *this;
}

int UniqueFd::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

void UniqueFd::Reset() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

std::optional<PseudoTerminal> OpenPseudoTerminal(std::string& error) {
  PseudoTerminal pty;
  pty.master = UniqueFd(posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (pty.master.Get() < 0) {
    error = SystemError("posix_openpt");
    return std::nullopt;
  }
  if (grantpt(pty.master.Get()) != 0 || unlockpt(pty.master.Get()) != 0) {
    error = SystemError("grantpt/unlockpt");
    return std::nullopt;
  }
  char name[128] = {};
  if (ptsname_r(pty.master.Get(), name, sizeof name) != 0) {
    error = SystemError("ptsname");
    return std::nullopt;
  }
  pty.slavePath = name;
  pty.slave = UniqueFd(open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (pty.slave.Get() < 0) {
    error = SystemError("cannot open " + pty.slavePath);
    return std::nullopt;
  }
  // Raw from the start: with the default echo the line discipline would hand every reply
  // straight back to the module as input.
  termios tio{};
  tcgetattr(pty.slave.Get(), &tio);
  cfmakeraw(&tio);
  cfsetispeed(&tio, B9600);
  cfsetospeed(&tio, B9600);
  if (tcsetattr(pty.slave.Get(), TCSANOW, &tio) != 0) {
    error = SystemError("cannot set " + pty.slavePath + " raw");
    return std::nullopt;
  }
  // The user running the module reads and writes it; nobody else.
  fchmod(pty.slave.Get(), 0600);
  return pty;
}

bool PublishLink(const std::string& linkPath, const std::string& target, std::string& error) {
  struct stat info {};
  if (lstat(linkPath.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
    error = linkPath + " exists and is not a link";
    return false;
  }
  const std::string temporary = linkPath + ".new" + std::to_string(getpid());
  unlink(temporary.c_str());
  if (symlink(target.c_str(), temporary.c_str()) != 0) {
    error = SystemError("cannot create link " + linkPath);
    return false;
  }
  if (rename(temporary.c_str(), linkPath.c_str()) != 0) {
    error = SystemError("cannot create link " + linkPath);
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

void RemoveLink(const std::string& linkPath, const std::string& target) {
  char buffer[4096];
  const ssize_t n = readlink(linkPath.c_str(), buffer, sizeof buffer - 1);
  if (n < 0) return;
  if (std::string(buffer, static_cast<std::size_t>(n)) == target) unlink(linkPath.c_str());
}

namespace {
constexpr std::string_view kLinkPrefix = "sim-";
}  // namespace

std::string FreshLinkName() {
  static std::atomic<unsigned> counter{0};
  return std::string(kLinkPrefix) + std::to_string(getpid()) + "-" + std::to_string(++counter);
}

void RemoveStaleLinks(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.substr(0, kLinkPrefix.size()) != kLinkPrefix) continue;
    const long pid = std::strtol(name.data() + kLinkPrefix.size(), nullptr, 10);
    if (pid <= 0 || kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    const std::string path = folder + "/" + std::string(name);
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) unlink(path.c_str());
  }
  closedir(dir);
}

void WakePipe::Wake() const {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(write.Get(), &byte, 1);  // full pipe: already awake
}

std::optional<WakePipe> OpenWakePipe(std::string& error) {
  int fds[2];
  if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) {
    error = SystemError("pipe");
    return std::nullopt;
  }
  return WakePipe{UniqueFd(fds[0]), UniqueFd(fds[1])};
}

}  // namespace netloom::sim::detail
