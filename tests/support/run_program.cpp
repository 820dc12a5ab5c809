#include "run_program.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace netloom::testsupport {
namespace {

constexpr uid_t kNobody = 65534;

// In the forked child: only async-signal-safe calls until exec.
[[noreturn]] void RunChild(std::vector<char*>& argv, int out, int err, bool asAnotherUser) {
  const int null = ::open("/dev/null", O_RDONLY);
  if (null < 0 || ::dup2(null, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(126);
  if (asAnotherUser && ::geteuid() == 0 &&
      (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
    ::_exit(126);
  }
  ::execv(argv[0], argv.data());
  ::_exit(127);
}

}  // namespace

ProgramRun RunProgram(const std::vector<std::string>& args, bool asAnotherUser) {
  std::vector<std::string> copies = args;
  std::vector<char*> argv;
  for (auto& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  int out[2], err[2];
  ProgramRun run;
  if (::pipe2(out, O_CLOEXEC) != 0) return run;
  if (::pipe2(err, O_CLOEXEC) != 0) {
    ::close(out[0]);
    ::close(out[1]);
    return run;
  }
  const pid_t child = ::fork();
  if (child == 0) RunChild(argv, out[1], err[1], asAnotherUser);
  ::close(out[1]);
  ::close(err[1]);
  std::array<pollfd, 2> fds = {{{out[0], POLLIN, 0}, {err[0], POLLIN, 0}}};
  std::array<std::string*, 2> sinks = {&run.out, &run.err};
  int open = child > 0 ? 2 : 0;
  while (open > 0 && ::poll(fds.data(), fds.size(), -1) >= 0) {
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  for (const auto& fd : fds) {
    if (fd.fd >= 0) ::close(fd.fd);
  }
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
    run.status = WEXITSTATUS(status);
  }
  return run;
}

}  // namespace netloom::testsupport
