// Bench support: a port and a clock that note what an exchange spends in the waits the protocol
// prescribes and how many bytes it moves, so a bench can tell the protocol's own time (pauses,
// reads that end by their time-out or by the 20 ms gap after the last byte, bytes on the wire) from
// the rest.
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "core/link/serial/clock.h"
#include "core/link/serial/serial_port.h"
#include "core/link/worker/link_worker.h"
#include "core/link/worker/worker_listener.h"

namespace netloom::bench {

using Steady = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

// What an exchange spent in prescribed waits, in milliseconds, and the bytes it moved.
struct ProtocolWaits {
  struct Totals {
    double ms = 0;
    std::size_t bytesRead = 0;
    std::size_t bytesWritten = 0;
    std::optional<Steady::time_point> firstWrite;  // of the armed window
  };

  // Starts a window that opens with the next write: reads that began before it are not its.
  void Arm() {
    const std::lock_guard lock(mutex);
    totals = {};
    armed = true;
  }
  void AddRead(Steady::time_point began, double wait, std::size_t bytes) {
    const std::lock_guard lock(mutex);
    if (armed && (!totals.firstWrite || began < *totals.firstWrite)) return;
    totals.ms += wait;
    totals.bytesRead += bytes;
  }
  void AddWrite(std::size_t bytes) {
    const std::lock_guard lock(mutex);
    if (armed && !totals.firstWrite) totals.firstWrite = Steady::now();
    totals.bytesWritten += bytes;
  }
  void AddPause(double ms) {
    const std::lock_guard lock(mutex);
    totals.ms += ms;
  }
  Totals Take() {
    const std::lock_guard lock(mutex);
    armed = false;
    return std::exchange(totals, Totals{});
  }

  std::mutex mutex;
  Totals totals;
  bool armed = false;
};

// Real-time pauses, each noted.
class CountingClock final : public link::Clock {
 public:
  explicit CountingClock(ProtocolWaits& waits) : waits_(waits) {}
  void Pause(std::uint32_t ms) override {
    waits_.AddPause(ms);
    link::DefaultClock().Pause(ms);
  }

 private:
  ProtocolWaits& waits_;
};

// The port with every read's prescribed wait noted: the whole time-out for a silent read, the
// closing gap for one that got fewer bytes than it asked for, nothing for a full one.
class CountingPort final : public link::SerialPort {
 public:
  CountingPort(std::unique_ptr<link::SerialPort> port, ProtocolWaits& waits)
      : port_(std::move(port)), waits_(waits) {}
  bool Configure(const link::UartSettings& settings) override {
    timeoutMs_ = settings.readTimeoutMs;
    return port_->Configure(settings);
  }
  void SetReadTimeout(std::uint32_t totalMs) override {
    timeoutMs_ = totalMs;
    port_->SetReadTimeout(totalMs);
  }
  bool Write(std::span<const std::uint8_t> bytes) override {
    waits_.AddWrite(bytes.size());
    return port_->Write(bytes);
  }
  link::ReadResult Read(std::span<std::uint8_t> buffer) override {
    const auto start = Steady::now();
    const link::ReadResult result = port_->Read(buffer);
    const double took = Ms(Steady::now() - start).count();
    double prescribed = 0;
    if (result.count < buffer.size()) {
      prescribed = result.count == 0 ? timeoutMs_ : link::kReadIntervalMs;
    }
    waits_.AddRead(start, std::min(took, prescribed), result.count);
    return result;
  }
  const std::string& Path() const override { return port_->Path(); }

 private:
  std::unique_ptr<link::SerialPort> port_;
  ProtocolWaits& waits_;
  std::uint32_t timeoutMs_ = 0;
};

// One result at a time from the worker thread (Put) to the bench's thread (Take, which waits).
template <typename Result>
class ResultSlot {
 public:
  void Put(Result result) {
    const std::lock_guard lock(mutex_);
    result_ = std::move(result);
    full_ = true;
    changed_.notify_all();
  }
  Result Take() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return full_; });
    full_ = false;
    return result_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool full_ = false;
  Result result_{};
};

// A listener that lets every report pass; a bench overrides what it times.
class QuietListener : public link::WorkerListener {
 public:
  void QueryStarted() override {}
  void ClearDiagram() override {}
  void NetworkReady(const link::NetworkSnapshot&) override {}
  void ConfigTransferStarted() override {}
  void ConfigValuesChanged() override {}
  void AppendOutput(std::string_view) override {}
  void ShowMessage(std::string_view text) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
  }
  void PortLost(std::string_view) override {}
};

// Opens `path` as a connection does (read time-out 200 ms) and starts a worker on it whose port
// and pauses are counted into `waits`. Null, with the reason on standard error, when the port
// does not open. `settings`, `clock`, `listener`, `session` and `values` (the configuration values
// its transfers decode and encode) must outlive the worker.
inline std::unique_ptr<link::CThread> StartCountingWorker(const std::string& path,
                                                          link::UartSettings& settings,
                                                          ProtocolWaits& waits, link::Clock& clock,
                                                          link::WorkerListener& listener,
                                                          link::LinkSession& session,
                                                          catalogue::ConfigValueTable& values) {
  settings.readTimeoutMs = link::kConnectReadTimeoutMs;
  link::OpenResult opened = link::OpenPort(path);
  if (!opened.port || !link::ConfigurePort(*opened.port, settings)) {
    std::fprintf(stderr, "cannot open %s: %s\n", path.c_str(), opened.error.detail.c_str());
    return nullptr;
  }
  auto worker =
      std::make_unique<link::CThread>(std::make_unique<CountingPort>(std::move(opened.port), waits),
                                      settings, listener, session, values, clock);
  worker->Start();
  return worker;
}

}  // namespace netloom::bench
