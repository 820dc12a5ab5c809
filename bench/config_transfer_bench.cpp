// Configuration read and write and identity write against the virtual module with line-rate
// emulation at 9600 baud, through the link worker, in real time: each exchange's time from its
// first byte written to its end, against what the bytes need on the wire (ten bit times each,
// both ways) plus the protocol's pauses and read waits. Goal: the rest under 5 % of the total.
// Usage: config_transfer_bench [rounds, default 5]
#include <cstdio>
#include <string>

#include "core/catalogue/value_tables.h"
#include "core/link/worker/connection.h"
#include "core/sim/virtual_module.h"
#include "counting_link.h"

namespace {

using namespace netloom::link;
using namespace netloom::bench;

// Times each command from the window's first write to its end.
class ExchangeTimer final : public QuietListener {
 public:
  struct Result {
    CommandReport report{WorkerCommand::Wake};
    double totalMs = 0;
    ProtocolWaits::Totals waits;
  };

  explicit ExchangeTimer(ProtocolWaits& waits) : waits_(waits) {}
  void ShowMessage(std::string_view) override {}  // "Writing finished!" after every write
  void CommandFinished(const CommandReport& report) override {
    const auto now = Steady::now();
    const ProtocolWaits::Totals totals = waits_.Take();
    finished_.Put({report, totals.firstWrite ? Ms(now - *totals.firstWrite).count() : 0.0, totals});
  }
  Result Wait() { return finished_.Take(); }

 private:
  ProtocolWaits& waits_;
  ResultSlot<Result> finished_;
};

struct Sum {
  int runs = 0;
  double totalMs = 0, protocolMs = 0, wireMs = 0;
};

// `wireInPauses`: the bytes travel while the host pauses (the identity write's replies come
// during its 200 and 500 ms pauses), so the wire time is not added to the protocol's time.
void Report(const char* what, const Sum& sum, bool wireInPauses) {
  const double rest = sum.totalMs - sum.protocolMs - (wireInPauses ? 0.0 : sum.wireMs);
  std::printf(
      "%-20s %d runs: %8.1f ms each; wire %6.1f ms%s, protocol waits %7.1f ms; rest %5.1f ms = "
      "%5.2f %% (goal under 5 %%)\n",
      what, sum.runs, sum.totalMs / sum.runs, sum.wireMs / sum.runs,
      wireInPauses ? " (within the pauses)" : "", sum.protocolMs / sum.runs, rest / sum.runs,
      100.0 * rest / sum.totalMs);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::stoi(argv[1]) : 5;
  netloom::sim::VirtualModule module({netloom::sim::DemoNetwork(), {}, true});
  if (const LinkError error = module.Start()) {
    std::fprintf(stderr, "virtual module: %s\n", error.detail.c_str());
    return 1;
  }
  UartSettings settings;  // 9600 baud
  ProtocolWaits waits;
  CountingClock clock(waits);
  ExchangeTimer timer(waits);
  LinkSession session;
  netloom::catalogue::ConfigValueTable values;
  const auto started =
      StartCountingWorker(module.LinkPath(), settings, waits, clock, timer, session, values);
  if (!started) return 1;
  CThread& worker = *started;
  values.LoadDefaults();

  const auto measure = [&](const char* what, int runs, void (*request)(CThread&),
                           bool wireInPauses) {
    Sum sum;
    for (int i = 0; i < runs; ++i) {
      waits.Arm();
      request(worker);
      const ExchangeTimer::Result run = timer.Wait();
      if (!run.report.delivered) {
        std::fprintf(stderr, "%s failed: %s\n", what, run.report.failure.c_str());
        return false;
      }
      ++sum.runs;
      sum.totalMs += run.totalMs;
      sum.protocolMs += run.waits.ms;
      sum.wireMs += (run.waits.bytesRead + run.waits.bytesWritten) * 10'000.0 / settings.baudRate;
    }
    Report(what, sum, wireInPauses);
    return true;
  };
  const auto identityWrite = [](CThread& w) {
    RequestIdentityWrite(w, kNoAddress, {2, 0x0B, 0x1234, 0, 0, "Device001"});
  };
  const bool ok = measure("configuration read", rounds, RequestConfigRead, false) &&
                  measure("configuration write", rounds, RequestConfigWrite, false) &&
                  measure("identity write", std::max(1, rounds / 2), identityWrite, true);
  worker.Stop();
  return ok ? 0 : 1;
}
