// Network walk of the demo network on the virtual module, through the link worker as a refresh
// runs it: time per node, and the part of it that is not protocol waiting (the 200 ms pause
// per node, the prelude's pauses, and reads that end by their time-out or by the 20 ms gap after
// the last byte). Goal: that part under 5 % of the total. Real time throughout.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>

#include "core/link/worker/connection.h"
#include "core/sim/virtual_module.h"
#include "counting_link.h"

namespace {

using namespace netloom::link;
using namespace netloom::bench;

// Times each query from QueryStarted to its end.
class QueryTimer final : public QuietListener {
 public:
  struct Result {
    double totalMs = 0;
    ProtocolWaits::Totals waits;
    std::size_t nodes = 0;
  };

  explicit QueryTimer(ProtocolWaits& waits) : waits_(waits) {}
  void QueryStarted() override {
    waits_.Take();
    started_ = Steady::now();
  }
  void NetworkReady(const NetworkSnapshot& snapshot) override {
    nodes_ = snapshot.nodeTable.size();
  }
  void CommandFinished(const CommandReport& report) override {
    if (report.code != WorkerCommand::QueryNetwork) return;
    finished_.Put({Ms(Steady::now() - started_).count(), waits_.Take(), nodes_});
  }
  Result Wait() { return finished_.Take(); }

 private:
  ProtocolWaits& waits_;
  Steady::time_point started_;
  std::size_t nodes_ = 0;
  ResultSlot<Result> finished_;
};

int Measure(bool lineRate, int rounds) {
  netloom::sim::VirtualModule module({netloom::sim::DemoNetwork(), {}, lineRate});
  if (const LinkError error = module.Start()) {
    std::fprintf(stderr, "virtual module: %s\n", error.detail.c_str());
    return 1;
  }
  UartSettings settings;
  ProtocolWaits waits;
  CountingClock clock(waits);
  QueryTimer timer(waits);
  LinkSession session;
  netloom::catalogue::ConfigValueTable values;
  const auto started =
      StartCountingWorker(module.LinkPath(), settings, waits, clock, timer, session, values);
  if (!started) return 1;
  CThread& worker = *started;

  QueryTimer::Result sum;
  for (int i = 0; i < rounds; ++i) {
    StartRefresh(worker);
    const QueryTimer::Result walk = timer.Wait();
    sum.totalMs += walk.totalMs;
    sum.waits.ms += walk.waits.ms;
    sum.waits.bytesRead += walk.waits.bytesRead;
    sum.waits.bytesWritten += walk.waits.bytesWritten;
    sum.nodes += walk.nodes;
  }
  worker.Stop();
  const double nodes = static_cast<double>(sum.nodes);
  // Both ways: the virtual module takes the host's bytes at line rate too.
  const double lineMs =
      lineRate ? (sum.waits.bytesRead + sum.waits.bytesWritten) * 10'000.0 / settings.baudRate
               : 0.0;
  const double other = sum.totalMs - sum.waits.ms - lineMs;
  std::printf("demo network walk%s, %d walks of %zu nodes: %.1f ms per node",
              lineRate ? " at line rate" : "", rounds, sum.nodes / rounds, sum.totalMs / nodes);
  if (lineRate)
    std::printf(", of which %.1f ms bytes on the wire at %u baud", lineMs / nodes,
                settings.baudRate);
  std::printf(
      "; not protocol waiting%s: %.2f ms per node = %.2f %% of the total (goal under 5 %%)\n",
      lineRate ? " nor wire time" : "", other / nodes, 100.0 * other / sum.totalMs);
  return 0;
}

}  // namespace

int main() {
  if (const int failed = Measure(false, 5)) return failed;
  return Measure(true, 2);
}
