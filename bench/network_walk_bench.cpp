// Network walk of the demo network on the virtual module, through the link worker as a refresh
// runs it: time per node, and the part of it that is not the specified waiting (the 200 ms pause
// per node, the prelude's pauses, and reads that end by their time-out or by the 20 ms gap after
// the last byte). Goal: that part under 5 % of the total. Real time throughout.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <utility>

#include "core/link/connection.h"
#include "core/sim/virtual_module.h"

namespace {

using namespace netloom::link;
using Steady = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

// What the exchange spends in waits the protocol prescribes, in milliseconds, and the bytes it
// moved (at line rate each takes ten bit times on the wire; the exchange is half duplex).
struct SpecifiedWaits {
  struct Totals {
    double ms = 0;
    std::size_t bytesMoved = 0;
  };
  std::mutex mutex;
  Totals totals;
  void Add(double wait, std::size_t bytes) {
    const std::lock_guard lock(mutex);
    totals.ms += wait;
    totals.bytesMoved += bytes;
  }
  Totals Take() {
    const std::lock_guard lock(mutex);
    return std::exchange(totals, Totals{});
  }
};

class CountingClock final : public Clock {
 public:
  explicit CountingClock(SpecifiedWaits& waits) : waits_(waits) {}
  void Pause(std::uint32_t ms) override {
    waits_.Add(ms, 0);
    DefaultClock().Pause(ms);
  }

 private:
  SpecifiedWaits& waits_;
};

// The port with every read's prescribed wait noted: the whole time-out for a silent read, the
// closing gap for one that got fewer bytes than it asked for, nothing for a full one.
class CountingPort final : public SerialPort {
 public:
  CountingPort(std::unique_ptr<SerialPort> port, SpecifiedWaits& waits)
      : port_(std::move(port)), waits_(waits) {}
  bool Configure(const UartSettings& settings) override {
    timeoutMs_ = settings.readTimeoutMs;
    return port_->Configure(settings);
  }
  void SetReadTimeout(std::uint32_t totalMs) override {
    timeoutMs_ = totalMs;
    port_->SetReadTimeout(totalMs);
  }
  bool Write(std::span<const std::uint8_t> bytes) override {
    waits_.Add(0, bytes.size());
    return port_->Write(bytes);
  }
  ReadResult Read(std::span<std::uint8_t> buffer) override {
    const auto start = Steady::now();
    const ReadResult result = port_->Read(buffer);
    const double took = Ms(Steady::now() - start).count();
    double prescribed = 0;
    if (result.count < buffer.size()) prescribed = result.count == 0 ? timeoutMs_ : kReadIntervalMs;
    waits_.Add(std::min(took, prescribed), result.count);
    return result;
  }
  const std::string& Path() const override { return port_->Path(); }

 private:
  std::unique_ptr<SerialPort> port_;
  SpecifiedWaits& waits_;
  std::uint32_t timeoutMs_ = 0;
};

// Times each query from QueryStarted to its end.
class QueryTimer final : public WorkerListener {
 public:
  explicit QueryTimer(SpecifiedWaits& waits) : waits_(waits) {}
  void QueryStarted() override {
    waits_.Take();
    started_ = Steady::now();
  }
  void ClearDiagram() override {}
  void NetworkReady(const NetworkSnapshot& snapshot) override {
    nodes_ = snapshot.nodeTable.size();
  }
  void ConfigTransferStarted() override {}
  void ConfigValuesChanged() override {}
  void AppendOutput(std::string_view) override {}
  void ShowMessage(std::string_view text) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
  }
  void PortLost(std::string_view) override {}
  void CommandFinished(const CommandReport& report) override {
    if (report.code != WorkerCommand::QueryNetwork) return;
    const std::lock_guard lock(mutex_);
    result_ = {Ms(Steady::now() - started_).count(), waits_.Take(), nodes_};
    done_ = true;
    changed_.notify_all();
  }

  struct Result {
    double totalMs = 0;
    SpecifiedWaits::Totals waits;
    std::size_t nodes = 0;
  };
  Result Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return done_; });
    done_ = false;
    return result_;
  }

 private:
  SpecifiedWaits& waits_;
  Steady::time_point started_;
  std::size_t nodes_ = 0;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool done_ = false;
  Result result_;
};

int Measure(bool lineRate, int rounds) {
  netloom::sim::VirtualModule module({netloom::sim::DemoNetwork(), {}, lineRate});
  if (const LinkError error = module.Start()) {
    std::fprintf(stderr, "virtual module: %s\n", error.detail.c_str());
    return 1;
  }
  UartSettings settings;
  settings.readTimeoutMs = kConnectReadTimeoutMs;
  OpenResult opened = OpenPort(module.LinkPath());
  if (!opened.port || !ConfigurePort(*opened.port, settings)) {
    std::fprintf(stderr, "cannot open %s: %s\n", module.LinkPath().c_str(),
                 opened.error.detail.c_str());
    return 1;
  }
  SpecifiedWaits waits;
  CountingClock clock(waits);
  QueryTimer timer(waits);
  LinkSession session;
  CThread worker(std::make_unique<CountingPort>(std::move(opened.port), waits), settings, timer,
                 session, clock);
  worker.Start();

  QueryTimer::Result sum;
  for (int i = 0; i < rounds; ++i) {
    StartRefresh(worker);
    const QueryTimer::Result walk = timer.Wait();
    sum.totalMs += walk.totalMs;
    sum.waits.ms += walk.waits.ms;
    sum.waits.bytesMoved += walk.waits.bytesMoved;
    sum.nodes += walk.nodes;
  }
  worker.Stop();
  const double nodes = static_cast<double>(sum.nodes);
  const double lineMs = lineRate ? sum.waits.bytesMoved * 10'000.0 / settings.baudRate : 0.0;
  const double other = sum.totalMs - sum.waits.ms - lineMs;
  std::printf("demo network walk%s, %d walks of %zu nodes: %.1f ms per node",
              lineRate ? " at line rate" : "", rounds, sum.nodes / rounds, sum.totalMs / nodes);
  if (lineRate)
    std::printf(", of which %.1f ms bytes on the wire at %u baud", lineMs / nodes,
                settings.baudRate);
  std::printf(
      "; not specified waiting%s: %.2f ms per node = %.2f %% of the total (goal under 5 %%)\n",
      lineRate ? " nor wire time" : "", other / nodes, 100.0 * other / sum.totalMs);
  return 0;
}

}  // namespace

int main() {
  if (const int failed = Measure(false, 5)) return failed;
  return Measure(true, 2);
}
