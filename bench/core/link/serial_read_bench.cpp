// Read latency when the requested bytes are already waiting (goal: well under 1 ms), so the
// worker's reads cost nothing beyond the line itself.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "core/link/serial/serial_port.h"

namespace {

using netloom::link::OpenPort;
using netloom::link::SerialPort;

// Waits until `count` bytes wait at the slave side (the pseudo-terminal hands them over through
// a kernel work queue, so they are not there the moment the master's write returns).
bool WaitUntilWaiting(int slaveFd, int count) {
  int waiting = 0;
  while (::ioctl(slaveFd, FIONREAD, &waiting) == 0 && waiting < count) {
    pollfd entry{slaveFd, POLLIN, 0};
    if (::poll(&entry, 1, 1000) <= 0) return false;
  }
  return waiting >= count;
}

void BM_ReadWaitingBytes(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  char name[128] = {};
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
      ::ptsname_r(master, name, sizeof name) != 0) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  // A watcher on the slave, opened before the port takes it exclusively.
  const int watcher = ::open(name, O_RDONLY | O_NOCTTY | O_NONBLOCK);
  auto opened = OpenPort(name);
  if (!opened.port || !netloom::link::ConfigurePort(*opened.port, {})) {
    state.SkipWithError("cannot open the port");
    return;
  }
  SerialPort& port = *opened.port;
  const std::string burst(static_cast<std::size_t>(count), 'x');
  std::vector<std::uint8_t> buffer(burst.size());
  for (auto _ : state) {
    state.PauseTiming();
    const bool sent = ::write(master, burst.data(), burst.size()) == count;
    if (!sent || !WaitUntilWaiting(watcher, count)) {
      state.SkipWithError("bytes did not arrive");
      break;
    }
    state.ResumeTiming();
    if (port.Read(buffer).count != buffer.size()) state.SkipWithError("short read");
  }
  opened.port.reset();
  ::close(watcher);
  ::close(master);
}
BENCHMARK(BM_ReadWaitingBytes)->Arg(1)->Arg(16)->Arg(256)->Unit(benchmark::kMicrosecond);

}  // namespace
