// Link worker timings on a pseudo-terminal: how soon a signalled command reaches the wire while
// the worker idles (goal: within one read time-out, 200 ms), and the processor time of an idle
// worker and of a worker whose port was pulled (goal: under 0.5 % of a core each).
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <thread>
#include <vector>

#include "core/link/worker/connection.h"

namespace {

using namespace netloom::link;
using Steady = std::chrono::steady_clock;

class SilentListener final : public WorkerListener {
 public:
  void QueryStarted() override {}
  void ClearDiagram() override {}
  void NetworkReady(const NetworkSnapshot&) override {}
  void ConfigTransferStarted() override {}
  void ConfigValuesChanged() override {}
  void AppendOutput(std::string_view) override {}
  void ShowMessage(std::string_view) override {}
  void PortLost(std::string_view) override {}
};

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Percent of one core the process used over `window` while this thread sleeps.
double CpuPercent(std::chrono::seconds window) {
  const double before = CpuSeconds();
  std::this_thread::sleep_for(window);
  return (CpuSeconds() - before) * 100.0 / static_cast<double>(window.count());
}

// Waits for one byte at the master; the time it took.
double MillisecondsToFirstByte(int master, Steady::time_point since) {
  pollfd entry{master, POLLIN, 0};
  if (poll(&entry, 1, 5000) <= 0) return -1;
  char byte = 0;
  [[maybe_unused]] const ssize_t n = read(master, &byte, 1);
  return std::chrono::duration<double, std::milli>(Steady::now() - since).count();
}

}  // namespace

int main() {
  const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return 1;
  SilentListener listener;
  LinkSession session;
  netloom::catalogue::ConfigValueTable values;
  UartSettings settings;
  Connection connection = Connect(ptsname(master), settings, listener, session, values);
  if (!connection.worker) {
    std::fprintf(stderr, "cannot open the pseudo-terminal: %s\n", connection.error.detail.c_str());
    return 1;
  }
  CThread& worker = *connection.worker;

  // Signals land at random points of the idle read.
  constexpr int kRounds = 25;
  std::vector<double> latencies;
  std::srand(1);
  for (int i = 0; i < kRounds; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50 + std::rand() % 200));
    const auto signalled = Steady::now();
    SendRawText(worker, "A");
    latencies.push_back(MillisecondsToFirstByte(master, signalled));
  }
  std::sort(latencies.begin(), latencies.end());
  const double mean =
      std::accumulate(latencies.begin(), latencies.end(), 0.0) / static_cast<double>(kRounds);
  std::printf(
      "signal to first byte, idle worker (read time-out 200 ms, %d rounds): "
      "mean %.1f ms, median %.1f ms, max %.1f ms\n",
      kRounds, mean, latencies[kRounds / 2], latencies.back());

  std::printf("idle worker: %.3f %% of a core\n", CpuPercent(std::chrono::seconds(3)));
  close(master);  // the adapter is pulled
  std::printf("worker on a pulled port: %.3f %% of a core\n", CpuPercent(std::chrono::seconds(3)));
  const auto stopping = Steady::now();
  worker.Stop();
  std::printf("stop after the port was pulled: %.1f ms\n",
              std::chrono::duration<double, std::milli>(Steady::now() - stopping).count());
  return 0;
}
