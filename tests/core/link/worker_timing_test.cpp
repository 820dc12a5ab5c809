// The read time-outs and pauses each worker command takes, per remote outcome, and the remote
// flags each outcome leaves: one table, through a real worker on a virtual module.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/link/worker/connection.h"
#include "core/link/worker/link_worker.h"
#include "support/recording_listener.h"
#include "support/recording_port.h"
#include "support/virtual_module_fixture.h"

namespace netloom::link {
namespace {

using testsupport::TimingLog;
using Events = std::vector<std::string>;
using Answer = sim::ConsoleAnswer;

constexpr auto kTimingBound = std::chrono::seconds(30);
const std::string kTarget = "1A01";

class WorkerTimingTest : public testsupport::VirtualModuleTest {
 protected:
  void SetUp() override {
    OpenResult opened = OpenPort(sim_.LinkPath());
    ASSERT_TRUE(opened.port) << opened.error.detail;
    settings_.readTimeoutMs = kConnectReadTimeoutMs;
    ASSERT_TRUE(ConfigurePort(*opened.port, settings_));
    worker_ = std::make_unique<CThread>(
        std::make_unique<testsupport::RecordingPort>(std::move(opened.port), log_), settings_,
        listener_, session_, values_, clock_);
    worker_->Start();
    // Remote requests need their target in the worker's node table.
    Run(WorkerCommand::QueryNetwork, [](CThread& worker) { StartRefresh(worker); });
    StopRefresh(*worker_);
  }
  void TearDown() override {
    if (worker_) worker_->Stop();
  }

  template <typename Request>
  void Run(WorkerCommand code, Request&& request) {
    const auto reports = listener_.Reports();
    const int nth =
        1 + static_cast<int>(std::count_if(reports.begin(), reports.end(),
                                           [&](const auto& r) { return r.code == code; }));
    request(*worker_);
    ASSERT_TRUE(listener_.WaitFinished(code, nth, kTimingBound));
  }

  UartSettings settings_;
  TimingLog log_;
  testsupport::RecordingPauseClock clock_{log_};
  testsupport::RecordingListener listener_;
  LinkSession session_;
  catalogue::ConfigValueTable values_;
  std::unique_ptr<CThread> worker_;
};

struct Command {
  const char* name;
  WorkerCommand code;
  std::function<void(CThread&)> request;
};

// The node the identity exchanges address: the selected one, as the wizard asks for it.
std::string Selected(CThread& worker) {
  return worker.session().Read([](const LinkState& state) { return state.targeting.node; });
}

const Command kConsole{"console", WorkerCommand::ConsoleCommand,
                       [](CThread& w) { SendConsoleCommand(w, "ATINFO\r"); }};
const Command kRaw{"raw text", WorkerCommand::RawText, [](CThread& w) { SendRawText(w, "AT\r"); }};
const Command kConfigRead{"config read", WorkerCommand::ReadConfig,
                          [](CThread& w) { RequestConfigRead(w); }};
const Command kConfigWrite{"config write", WorkerCommand::WriteConfig,
                           [](CThread& w) { RequestConfigWrite(w); }};
const Command kIdentityRead{"identity read", WorkerCommand::ReadIdentity,
                            [](CThread& w) { RequestIdentityRead(w, Selected(w)); }};
const Command kIdentityWrite{"identity write", WorkerCommand::WriteIdentity, [](CThread& w) {
                               // What the last read left to be written.
                               RequestIdentityWrite(w, Selected(w),
                                                    w.session().Read([](const LinkState& s) {
                                                      return s.identity.requested;
                                                    }));
                             }};

// The escape sequence's pause, the console's pause after ATCONSOLE, the identity preludes.
const Events kEscape = {"pause 50"};
const Events kReadPrelude = {"pause 500", "pause 500"};
const Events kWritePrelude = {"pause 500", "pause 200"};

Events Join(std::initializer_list<Events> parts) {
  Events all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST_F(WorkerTimingTest, TimeoutsPausesAndRemoteFlagsPerCommandAndOutcome) {
  // The identity write after the module's answer: the pause after the request, after the reset,
  // the prelude again and the restart.
  const Events writeTail = Join({{"pause 200", "pause 200"}, kWritePrelude, {"pause 5000"}});
  const struct {
    const Command& command;
    bool remote;
    Answer answer;
    Events events;
    bool refused;  // the coordinator's refusal of the target, afterwards
  } cases[] = {
      {kRaw, false, Answer::Normal, {}, false},
      {kConsole, false, Answer::Normal, {"timeout 200"}, false},
      {kConsole, true, Answer::Normal, Join({kEscape, {"pause 50", "timeout 500"}}), false},
      {kConsole, true, Answer::Fail, Join({kEscape, {"pause 50", "timeout 200"}}), true},
      {kConsole, true, Answer::Time, Join({kEscape, {"pause 50", "timeout 200"}}), false},
      {kConsole, true, Answer::Silence, Join({kEscape, {"pause 50"}}), false},
      // A transfer ends with 200 ms, and with the escape when a console may be open.
      {kConfigRead, false, Answer::Normal, {"timeout 500", "timeout 200"}, false},
      {kConfigRead, true, Answer::Normal,
       Join({kEscape, {"timeout 1000"}, kEscape, {"timeout 200"}}), false},
      {kConfigRead, true, Answer::Fail, Join({kEscape, {"timeout 500", "timeout 200"}}), true},
      {kConfigRead, true, Answer::Time, Join({kEscape, {"timeout 200"}}), false},
      {kConfigRead, true, Answer::Silence, Join({kEscape, kEscape, {"timeout 200"}}), false},
      {kConfigWrite, false, Answer::Normal, {"timeout 500", "timeout 200"}, false},
      {kConfigWrite, true, Answer::Normal,
       Join({kEscape, {"timeout 1000"}, kEscape, {"timeout 200"}}), false},
      // The identity exchanges keep the time-out the set-up left.
      {kIdentityRead, false, Answer::Normal, Join({kReadPrelude, {"timeout 500"}}), false},
      {kIdentityRead, true, Answer::Normal, Join({kReadPrelude, {"timeout 1000"}}), false},
      {kIdentityRead, true, Answer::Fail, Join({kReadPrelude, {"timeout 500"}}), true},
      {kIdentityRead, true, Answer::Time, kReadPrelude, false},
      {kIdentityRead, true, Answer::Silence, kReadPrelude, false},
      {kIdentityWrite, false, Answer::Normal, Join({kWritePrelude, {"timeout 500"}, writeTail}),
       false},
      {kIdentityWrite, true, Answer::Normal, Join({kWritePrelude, {"timeout 1000"}, writeTail}),
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.command.name) + (c.remote ? " remote, answer " : " local") +
                 (c.remote ? std::to_string(static_cast<int>(c.answer)) : ""));
    sim_.Faults().SetConsoleAnswer(c.answer);
    session_.Update([&](LinkState& state) {
      state.targeting.node = c.remote ? kTarget : std::string(kNoAddress);
      state.targeting.refusedNode = kNoAddress;
      state.targeting.consoleRemote = c.remote;
      state.targeting.parametersRemote = c.remote;
    });
    log_.Clear();
    Run(c.command.code, c.command.request);
    EXPECT_EQ(log_.Events(), c.events);
    EXPECT_EQ(session_.Read([](const LinkState& state) { return state.targeting.refused(); }),
              c.refused);
  }
}

TEST_F(WorkerTimingTest, TheNetworkQueryPausesBeforeEveryNode) {
  log_.Clear();
  Run(WorkerCommand::QueryNetwork, [](CThread& worker) { StartRefresh(worker); });
  const Events events = log_.Events();
  ASSERT_GT(events.size(), 4u);
  // The query prelude's two pauses, the 200 ms read time-out, then 200 ms before every node.
  EXPECT_EQ(Events(events.begin(), events.begin() + 3),
            (Events{"pause 50", "pause 50", "timeout 200"}));
  EXPECT_EQ(std::count(events.begin() + 3, events.end(), "pause 200"),
            static_cast<long>(events.size() - 3));
}

}  // namespace
}  // namespace netloom::link
