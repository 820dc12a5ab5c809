// A link worker on a virtual module's pseudo-terminal, for the configuration and identity
// exchange tests: real port, real worker, protocol pauses recorded and compressed.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/catalogue/value_tables.h"
#include "core/link/worker/connection.h"
#include "core/link/worker/link_worker.h"
#include "support/recording_listener.h"
#include "support/ser2net_server.h"
#include "support/virtual_module_fixture.h"

namespace netloom::testsupport {

// Notes every pause and sleeps a hundredth of it.
class RecordingClock final : public link::Clock {
 public:
  void Pause(std::uint32_t ms) override {
    {
      std::lock_guard lock(mutex_);
      pauses_.push_back(ms);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(ms * 10 + 1));
  }
  std::vector<std::uint32_t> Pauses() const {
    std::lock_guard lock(mutex_);
    return pauses_;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    pauses_.clear();
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::uint32_t> pauses_;
};

// Also keeps the node tables the worker hands over between queries.
class ExchangeListener final : public RecordingListener {
 public:
  void NodeTableChanged(std::shared_ptr<const link::NodeTable> table) override {
    {
      std::lock_guard lock(mutex_);
      tables_.push_back(table);
    }
    RecordingListener::NodeTableChanged(std::move(table));
  }
  std::vector<std::shared_ptr<const link::NodeTable>> Tables() const {
    std::lock_guard lock(mutex_);
    return tables_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::shared_ptr<const link::NodeTable>> tables_;
};

// The node the remote refusal rows are for.
inline const std::string kRefusedNode = "1A01";

// One way the coordinator keeps a request from its node, and the failure text that ends it.
struct RemoteRefusal {
  const char* what;
  sim::ConsoleAnswer answer;
  bool walk;  // walk the network first (else the worker's node table is still empty)
  std::string message;
};

// The coordinator's refusals the configuration and identity exchanges share, for kRefusedNode:
// first the node missing from the node table (`unknownNode`: what the request ends with then),
// then "Time", a reply without the expected texts, "FAIL" and silence after a walk.
inline std::vector<RemoteRefusal> RemoteRefusals(const std::string& unknownNode) {
  const auto text = [](const std::string& cause) {
    return cause + "Can't remote " + kRefusedNode + ", Please try again!\r";
  };
  return {
      {"target not in the node table", sim::ConsoleAnswer::Normal, false, unknownNode},
      {"Time", sim::ConsoleAnswer::Time, true, text("(Time Out)")},
      {"remote error", sim::ConsoleAnswer::Garbage, true, text("(Remote error)")},
      {"FAIL", sim::ConsoleAnswer::Fail, true, text("(FAIL)")},
      {"no answer", sim::ConsoleAnswer::Silence, true, text("(No answer)")},
  };
}

class ExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Values().LoadDefaults();
    Connect();
  }
  // A new worker on the module's link (after a re-plug, say).
  void Connect(link::UartSettings settings = {}) {
    if (worker_) worker_->Stop();
    link::Connection connection =
        link::Connect(PortPath(), settings, listener_, session_, values_, clock_);
    ASSERT_TRUE(connection.worker) << connection.error.detail;
    worker_ = std::move(connection.worker);
  }
  void TearDown() override {
    if (worker_) worker_->Stop();
  }

  // From now on the worker reaches the module through a real ser2net in `mode` (connected anew).
  void UseSer2net(Ser2netMode mode) {
    server_ = std::make_unique<Ser2netServer>(sim_.LinkPath(), mode);
    ASSERT_TRUE(server_->Running());
    Connect();
  }
  // The module's link, or the server's port after UseSer2net.
  std::string PortPath() const { return server_ ? server_->PortName() : sim_.LinkPath(); }

  // The values the worker decodes a read into and encodes a write from.
  catalogue::ConfigValueTable& Values() { return values_; }
  sim::ExchangeFaults& Faults() { return sim_.Faults().Exchanges(); }

  // Runs `request` and waits for the end of its command; the command's report.
  template <typename Request>
  link::CommandReport Run(link::WorkerCommand code, Request&& request) {
    const int nth = Finished(code) + 1;
    request(*worker_);
    EXPECT_TRUE(listener_.WaitFinished(code, nth, std::chrono::seconds(60)));
    link::CommandReport last{code};
    for (const auto& report : listener_.Reports()) {
      if (report.code == code) last = report;
    }
    return last;
  }

  // One network query, so that remote requests find their target in the node table.
  void Walk() {
    Run(link::WorkerCommand::QueryNetwork,
        [](link::CThread& worker) { link::StartRefresh(worker); });
    link::StopRefresh(*worker_);
  }

  // Directs the next configuration transfers to `address` as a node click and the Parameters
  // pane's remote switch do, and the next identity exchanges as the wizard does.
  void Target(const std::string& address) {
    target_ = address;
    link::SelectNode(session_, address);
    link::SetRemote(session_, link::RemoteSwitch::Parameters, true);
  }

  // Everything the module received since recording was switched on, as text.
  std::string Received() {
    const auto bytes = sim_.Faults().Received();
    return {bytes.begin(), bytes.end()};
  }

  ScopedVirtualModule sim_;
  std::unique_ptr<Ser2netServer> server_;
  RecordingClock clock_;
  ExchangeListener listener_;
  link::LinkSession session_;
  catalogue::ConfigValueTable values_;
  std::unique_ptr<link::CThread> worker_;
  std::string target_{link::kNoAddress};  // the identity exchanges' node

 private:
  int Finished(link::WorkerCommand code) const {
    const auto reports = listener_.Reports();
    return static_cast<int>(std::count_if(reports.begin(), reports.end(),
                                          [&](const auto& r) { return r.code == code; }));
  }
};

}  // namespace netloom::testsupport
