// The link worker end to end: a real pseudo-terminal, the virtual module at the other end.
#include "core/link/worker/link_worker.h"

#include <gtest/gtest.h>
#include <time.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "core/link/exchange/remote_set_up.h"
#include "core/link/worker/connection.h"
#include "support/recording_listener.h"
#include "support/virtual_module_fixture.h"
#include "support/wait_for.h"

namespace netloom::link {
namespace {

using namespace std::chrono_literals;
using testsupport::RecordingListener;
using C = WorkerCommand;

constexpr auto kLong = 10s;  // bound of every wait for something that must happen

// Pauses compressed; when armed, the next pause blocks until released, so a test can act while
// the worker sits inside a command.
class GateClock final : public Clock {
 public:
  void Pause(std::uint32_t ms) override {
    std::unique_lock lock(mutex_);
    if (armed_) {
      armed_ = false;
      inside_ = true;
      changed_.notify_all();
      changed_.wait(lock, [&] { return !inside_; });
    }
    lock.unlock();
    compressed_.Pause(ms);
  }
  void Arm() {
    std::lock_guard lock(mutex_);
    armed_ = true;
  }
  bool WaitInside() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kLong, [&] { return inside_; });
  }
  void Release() {
    std::lock_guard lock(mutex_);
    inside_ = false;
    changed_.notify_all();
  }

 private:
  CompressedClock compressed_{50};
  std::mutex mutex_;
  std::condition_variable changed_;
  bool armed_ = false;
  bool inside_ = false;
};

class LinkWorkerTest : public testsupport::VirtualModuleTest {
 protected:
  void SetUp() override {
    sim_.Faults().SetRecording(true);
    UartSettings settings;
    Connection connection =
        Connect(sim_.LinkPath(), settings, listener_, session_, values_, clock_);
    ASSERT_TRUE(connection.worker) << connection.error.detail;
    worker_ = std::move(connection.worker);
  }
  void TearDown() override {
    if (worker_) worker_->Stop();
  }

  std::string Received() {
    const auto bytes = sim_.Faults().Received();
    return std::string(bytes.begin(), bytes.end());
  }
  // What the module has received once it holds at least `size` bytes (or the wait ran out).
  std::string ReceivedAtLeast(std::size_t size) {
    testsupport::WaitFor([&] { return Received().size() >= size; }, kLong);
    return Received();
  }
  void SelectRemote(const std::string& address) {
    SelectNode(session_, address);
    SetRemote(session_, RemoteSwitch::Console, true);
  }
  // Makes the worker sit in the echo of the module's reply to "AT", inside its loop.
  void HoldWorkerInEcho() {
    listener_.HoldOutput();
    SendRawText(*worker_, "AT\r");
    ASSERT_TRUE(listener_.WaitHeld());
  }
  std::vector<C> FinishedCodes() const {
    std::vector<C> codes;
    for (const auto& report : listener_.Reports()) codes.push_back(report.code);
    return codes;
  }

  RecordingListener listener_;
  LinkSession session_;
  GateClock clock_;
  catalogue::ConfigValueTable values_;
  std::unique_ptr<CThread> worker_;
};

TEST_F(LinkWorkerTest, QueuedCommandsGoInOrderBeforeTheQueryThatRunsOnce) {
  HoldWorkerInEcho();
  StartRefresh(*worker_);
  StartRefresh(*worker_);  // signalled twice before it is taken: one query
  ASSERT_TRUE(SendConsoleCommand(*worker_, "ATINFO\r"));
  ASSERT_TRUE(SendConsoleCommand(*worker_, "ATVER\r"));  // waits behind the first, lost by none
  ASSERT_TRUE(SendRawText(*worker_, "ATZ\r"));
  listener_.Release();
  ASSERT_TRUE(listener_.WaitFinished(C::RawText, 2));

  const std::string expected = "AT\rATINFO\rATVER\r---\r";  // the walk may follow
  EXPECT_EQ(ReceivedAtLeast(expected.size()).substr(0, expected.size()), expected);
  EXPECT_TRUE(testsupport::WaitFor([&] { return Received().ends_with("ATZ\r"); }, kLong));
  const auto codes = FinishedCodes();
  EXPECT_EQ(
      std::vector<C>(codes.begin(), codes.begin() + 5),
      (std::vector<C>{C::Wake, C::RawText, C::ConsoleCommand, C::ConsoleCommand, C::QueryNetwork}));
  EXPECT_EQ(std::count(codes.begin(), codes.end(), C::QueryNetwork), 1);
}

// A full queue refuses the text it cannot hold, and what it held still goes out whole.
TEST_F(LinkWorkerTest, AFullQueueRefusesAndLosesNothingItTook) {
  HoldWorkerInEcho();
  std::string sent;
  for (std::size_t i = 0; i < kQueuedTextLimit; ++i) {
    const std::string piece = "<" + std::to_string(i) + ">";
    ASSERT_TRUE(SendRawText(*worker_, piece));
    sent += piece;
  }
  EXPECT_FALSE(SendRawText(*worker_, "<refused>"));
  listener_.Release();
  EXPECT_EQ(ReceivedAtLeast(3 + sent.size()), "AT\r" + sent);
}

TEST_F(LinkWorkerTest, StopOutranksEverythingButWake) {
  HoldWorkerInEcho();
  SendRawText(*worker_, "ATZ\r");
  SendConsoleCommand(*worker_, "ATINFO\r");
  StartRefresh(*worker_);
  RequestConfigRead(*worker_);
  worker_->Signal(C::Stop);
  worker_->Signal(C::Wake);
  listener_.Release();
  worker_->Stop();

  EXPECT_EQ(Received(), "AT\r");
  EXPECT_EQ(FinishedCodes(), (std::vector<C>{C::Wake, C::RawText, C::Wake, C::Stop}));
  EXPECT_TRUE(session_.Snapshot().workerEnded);
  // The port is closed: the module's link opens again (opening is exclusive).
  EXPECT_TRUE(OpenPort(sim_.LinkPath()).port);
}

TEST_F(LinkWorkerTest, NothingIsEchoedOnceStopIsSignalled) {
  SelectRemote("1A01");
  clock_.Arm();
  SendConsoleCommand(*worker_, "ATINFO\r");
  ASSERT_TRUE(clock_.WaitInside());  // in the remote set-up's escape sequence
  worker_->Signal(C::Stop);
  clock_.Release();
  worker_->Stop();

  // The command ran to its end after Stop, and the node's reply was read and dropped.
  EXPECT_EQ(Received(), "+++\rATCONSOLE 1A01 0\rATINFO\r");
  EXPECT_TRUE(listener_.Outputs().empty());
}

TEST_F(LinkWorkerTest, RawTextWithPercentSignsReachesTheModuleUnchanged) {
  const std::string text = "AT%s%d%%n 100%\r";
  SendRawText(*worker_, text);
  ASSERT_TRUE(listener_.WaitFinished(C::RawText));
  EXPECT_EQ(ReceivedAtLeast(text.size()), text);
}

struct ConsoleCase {
  const char* name;
  sim::ConsoleAnswer answer;
  std::string target;  // "NULL": no node selected
  bool delivered;
  std::string received;  // every byte the module got for the command
  std::string failureLine;
  bool refused;  // the coordinator's refusal of the target, afterwards
};

class ConsoleSetUp : public LinkWorkerTest, public ::testing::WithParamInterface<ConsoleCase> {};

TEST_P(ConsoleSetUp, WritesAndShowsExactlyWhatTheOutcomePrescribes) {
  const ConsoleCase& c = GetParam();
  sim_.Faults().SetConsoleAnswer(c.answer);
  if (c.target != "NULL") SelectRemote(c.target);
  SendConsoleCommand(*worker_, "ATINFO\r");
  ASSERT_TRUE(listener_.WaitFinished(C::ConsoleCommand));
  const auto report = listener_.Reports().back();
  EXPECT_EQ(report.delivered, c.delivered);
  EXPECT_EQ(report.failure, c.failureLine);
  EXPECT_EQ(ReceivedAtLeast(c.received.size()), c.received);
  EXPECT_EQ(session_.Snapshot().targeting.refused(), c.refused);

  const auto outputs = listener_.Outputs();
  if (c.failureLine.empty()) {
    for (const auto& line : outputs) EXPECT_FALSE(IsRemoteFailureText(line)) << line;
  } else {
    ASSERT_FALSE(outputs.empty());
    EXPECT_EQ(outputs.front(), c.failureLine);
  }
  if (!c.delivered && c.answer != sim::ConsoleAnswer::Garbage) {
    // Nothing else was shown: the set-up's replies were all taken by its own reads.
    EXPECT_EQ(outputs.size(), c.failureLine.empty() ? 0u : 1u);
  }
}

using A = sim::ConsoleAnswer;
INSTANTIATE_TEST_SUITE_P(
    Outcomes, ConsoleSetUp,
    ::testing::Values(
        ConsoleCase{"NoNodeSelected", A::Normal, "NULL", true, "ATINFO\r", "", false},
        ConsoleCase{"Ok", A::Normal, "1A01", true, "+++\rATCONSOLE 1A01 0\rATINFO\r", "", false},
        // Nothing goes to the coordinator in the node's place.
        ConsoleCase{"Fail", A::Fail, "1A01", false, "+++\rATCONSOLE 1A01 0\r",
                    "(FAIL)Can't remote 1A01, Please try again!\r", true},
        ConsoleCase{"Time", A::Time, "1A2B", false, "+++\rATCONSOLE 1A2B 0\r",
                    "(TimeOut)Can't remote 1A2B, Please try again!\r", false},
        ConsoleCase{"RemoteError", A::Garbage, "1A01", false, "+++\rATCONSOLE 1A01 0\r",
                    "(Remote error)Can't remote 1A01, Please try again!\r", false},
        ConsoleCase{"ThreeSilentAttempts", A::Silence, "1A01", false, "+++\rATCONSOLE 1A01 0\r",
                    "(No answer)Can't remote 1A01, Please try again!\r", false}),
    [](const auto& info) { return info.param.name; });

// A command meant for a node never reaches the coordinator in its place (ATRESET would reset
// it); after a refusal the next command asks for the node again, and goes out once it is taken.
TEST_F(LinkWorkerTest, ARefusedRemoteConsoleSendsNothingAndTheNextCommandAsksAgain) {
  sim_.Faults().SetConsoleAnswer(A::Fail);
  SelectRemote("1A01");
  SendConsoleCommand(*worker_, "ATRESET\r");
  ASSERT_TRUE(listener_.WaitFinished(C::ConsoleCommand));
  const std::string ask = "+++\rATCONSOLE 1A01 0\r";
  SendConsoleCommand(*worker_, "ATRESET\r");
  ASSERT_TRUE(listener_.WaitFinished(C::ConsoleCommand, 2));
  EXPECT_EQ(ReceivedAtLeast(2 * ask.size()), ask + ask);
  EXPECT_TRUE(session_.Snapshot().targeting.refused());

  sim_.Faults().SetConsoleAnswer(A::Normal);
  SendConsoleCommand(*worker_, "ATVER\r");
  ASSERT_TRUE(listener_.WaitFinished(C::ConsoleCommand, 3));
  EXPECT_EQ(ReceivedAtLeast(3 * ask.size() + 6), ask + ask + ask + "ATVER\r");
  EXPECT_FALSE(session_.Snapshot().targeting.refused());
  const auto outputs = listener_.Outputs();
  EXPECT_EQ(
      std::count(outputs.begin(), outputs.end(), "(FAIL)Can't remote 1A01, Please try again!\r"),
      2);
}

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

TEST_F(LinkWorkerTest, APulledPortIsReportedOnceAndThenCostsNothingUntilStop) {
  const auto pulled = std::chrono::steady_clock::now();
  ASSERT_TRUE(sim_.Module().Unplug());
  const auto isLost = [](const std::vector<std::string>& calls) {
    return std::count_if(calls.begin(), calls.end(), [](const std::string& c) {
      return c.rfind("PortLost:Port lost: ", 0) == 0;
    });
  };
  ASSERT_TRUE(listener_.WaitFor([&](const auto& calls) { return isLost(calls) > 0; }));
  // Within one read time-out (200 ms), with a wide margin for a loaded machine.
  EXPECT_LT(std::chrono::steady_clock::now() - pulled, 200ms + 2s);

  // An idle worker on a lost port sleeps: a spinning one would burn the whole window.
  const double cpuBefore = ProcessCpuSeconds();
  listener_.WaitFor([](const auto&) { return false; }, 500ms);
  EXPECT_LT(ProcessCpuSeconds() - cpuBefore, 0.1);

  // Requests still end (their reads fail at once), so nobody waits for them in vain.
  SendConsoleCommand(*worker_, "ATINFO\r");
  EXPECT_TRUE(listener_.WaitFinished(C::ConsoleCommand));
  worker_->Stop();
  EXPECT_TRUE(session_.Snapshot().workerEnded);
  EXPECT_EQ(isLost(listener_.Calls()), 1);
}

// The real port, except that the first read that brings bytes also reports the device gone,
// as when an adapter is pulled right after the module's last words.
class LastWordsPort final : public SerialPort {
 public:
  explicit LastWordsPort(std::unique_ptr<SerialPort> port) : port_(std::move(port)) {}
  bool Configure(const UartSettings& settings) override { return port_->Configure(settings); }
  void SetReadTimeout(std::uint32_t totalMs) override { port_->SetReadTimeout(totalMs); }
  bool Write(std::span<const std::uint8_t> bytes) override { return port_->Write(bytes); }
  ReadResult Read(std::span<std::uint8_t> buffer) override {
    if (gone_) return {0, true};
    ReadResult result = port_->Read(buffer);
    gone_ = result.count > 0;
    result.failed = gone_;
    return result;
  }
  const std::string& Path() const override { return port_->Path(); }

 private:
  std::unique_ptr<SerialPort> port_;
  bool gone_ = false;
};

TEST(LinkWorker, BytesOfTheReadThatFailsAreShownBeforeTheLoss) {
  testsupport::ScopedVirtualModule sim;
  OpenResult opened = OpenPort(sim.LinkPath());
  ASSERT_TRUE(opened.port) << opened.error.detail;
  UartSettings settings;
  settings.readTimeoutMs = kConnectReadTimeoutMs;
  ASSERT_TRUE(ConfigurePort(*opened.port, settings));
  ASSERT_TRUE(WriteText(*opened.port, "ATINFO\r"));  // its reply comes in the first idle read
  RecordingListener listener;
  LinkSession session;
  CompressedClock clock(50);
  catalogue::ConfigValueTable values;
  CThread worker(std::make_unique<LastWordsPort>(std::move(opened.port)), settings, listener,
                 session, values, clock);
  worker.Start();
  ASSERT_TRUE(listener.WaitFor([](const std::vector<std::string>& calls) {
    return !calls.empty() && calls.back().rfind("PortLost:", 0) == 0;
  }));
  worker.Stop();
  const auto calls = listener.Calls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0].rfind("AppendOutput:ATINFO\r\n", 0), 0u) << calls[0];
  EXPECT_EQ(calls[1].rfind("PortLost:", 0), 0u) << calls[1];
}

TEST_F(LinkWorkerTest, WaitsOnTheSessionEndWithTheWorker) {
  session_.Update([](LinkState& state) { state.config.busy = true; });
  worker_->Stop();
  EXPECT_EQ(session_.WaitUntil([](const LinkState& s) { return !s.config.busy; }, kLong),
            LinkSession::WaitResult::WorkerEnded);
}

TEST(LinkWorker, WithoutAPortTheLoopEndsAtOnce) {
  RecordingListener listener;
  LinkSession session;
  catalogue::ConfigValueTable values;
  CThread worker(nullptr, UartSettings{}, listener, session, values, DefaultClock());
  worker.Start();
  EXPECT_EQ(session.WaitUntil([](const LinkState&) { return false; }, kLong),
            LinkSession::WaitResult::WorkerEnded);
  worker.Stop();
  EXPECT_TRUE(listener.Calls().empty());
}

}  // namespace
}  // namespace netloom::link
