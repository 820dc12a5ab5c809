#include "gui/model/connection_controller.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "../network_fixture.h"
#include "../session_access.h"
#include "core/link/serial/serial_port.h"
#include "manual_ui_thread.h"
#include "support/ser2net_server.h"
#include "support/virtual_module_fixture.h"

namespace netloom::model {
namespace {

using State = ConnectionState;

// Everything the controller tells, as a test reads it.
struct Recorder final : ConnectionObserver {
  void StateChanged(State state) override { states.push_back(state); }
  void AppendOutput(std::string_view text) override { output += text; }
  void ShowMessage(std::string_view text, std::string_view detail) override {
    if (onMessage) onMessage();
    messages.push_back(std::string(text) + "|" + std::string(detail));
  }
  void NetworkChanged() override {
    ++networks;
    if (clock) walks.push_back(clock->now());
  }
  void ConsoleTargetChanged(const PaneTarget& target) override { console = target; }
  void ParametersTargetChanged(const PaneTarget& target) override { parameters = target; }
  void NodePicked(std::string_view address) override { picked = address; }

  std::vector<State> states;
  std::string output;
  std::vector<std::string> messages;
  int networks = 0;
  PaneTarget console, parameters;
  std::string picked;
  std::function<void()> onMessage;  // runs as a message box would open
  const testsupport::ManualUiThread* clock = nullptr;
  std::vector<std::chrono::milliseconds> walks;  // test-clock time of each network, with clock
};

class ConnectionControllerTest : public testsupport::VirtualModuleTest {
 protected:
  ConnectionControllerTest() {
    controller_.AddObserver(seen_);
    controller_.Reset(PortChoice{"vmod", sim_.LinkPath(), "virtual module", false});
    seen_.states.clear();
  }
  ~ConnectionControllerTest() override { controller_.Disconnect(); }

  testsupport::ManualTimer& RefreshTimer() { return *ui_.timers().at(0); }
  testsupport::ManualTimer& ReconnectTimer() { return *ui_.timers().at(1); }
  bool RunUntilNetworks(int count) {
    return ui_.RunUntil([&] { return seen_.networks >= count; });
  }

  testsupport::ManualUiThread ui_;
  RefreshPeriods periods_;
  catalogue::ConfigValueTable values_;
  ConnectionController controller_{ui_, values_, periods_};
  Recorder seen_;
};

TEST_F(ConnectionControllerTest, ConnectRunStopDisconnectWalkTheStates) {
  ASSERT_TRUE(controller_.Connect());
  EXPECT_EQ(seen_.states, (std::vector{State::Opening, State::Open}));
  EXPECT_TRUE(controller_.portOpen());

  controller_.StartRefresh();
  EXPECT_EQ(controller_.state(), State::Refreshing);
  EXPECT_TRUE(controller_.autoRefresh());
  ASSERT_TRUE(RunUntilNetworks(1));
  EXPECT_GT(controller_.snapshot().nodeTable.size(), 5u);
  // The query armed the refresh timer with the period; when it fires the next query runs.
  ASSERT_TRUE(controller_.refreshTimerActive());
  EXPECT_EQ(RefreshTimer().delay(), std::chrono::seconds(5));
  RefreshTimer().Fire();
  ASSERT_TRUE(RunUntilNetworks(2));

  controller_.StopRefresh();
  EXPECT_EQ(controller_.state(), State::Open);
  EXPECT_FALSE(controller_.refreshTimerActive());
  EXPECT_TRUE(controller_.portOpen());  // Stop keeps the port open

  seen_.states.clear();
  controller_.Disconnect();
  EXPECT_EQ(seen_.states, (std::vector{State::Closing, State::Closed}));
  EXPECT_FALSE(controller_.portOpen());
  EXPECT_TRUE(seen_.messages.empty());
}

TEST_F(ConnectionControllerTest, RefusedLineSettingsAreALineInTheOutputAndConnectGoesOn) {
  link::UartSettings settings = controller_.uartSettings();
  settings.baudRate = 12345;
  ASSERT_TRUE(controller_.ApplySettings(settings, controller_.port(), false));
  ASSERT_TRUE(controller_.Connect());
  EXPECT_TRUE(controller_.portOpen());
  EXPECT_NE(seen_.output.find("The port refused the line settings ("), std::string::npos)
      << seen_.output;
  EXPECT_NE(seen_.output.find("baud rate 12345 is not supported"), std::string::npos);
  EXPECT_TRUE(seen_.messages.empty());
}

TEST_F(ConnectionControllerTest, TitleSuffixFollowsTheState) {
  const std::pair<State, std::string_view> rows[] = {
      {State::Closed, ""},           {State::Opening, ""},  {State::Open, "*"},
      {State::Refreshing, "*"},      {State::Waiting, "*"}, {State::Closing, "*"},
      {State::Lost, " (port lost)"},
  };
  for (const auto& [state, suffix] : rows) EXPECT_EQ(TitleSuffix(state), suffix);
}

TEST_F(ConnectionControllerTest, ARequestOnAMissingPortTellsTheUserAndIsDropped) {
  ASSERT_TRUE(controller_.SelectPort({"ghost", "/nonexistent/ttyGHOST", "", false}));
  EXPECT_FALSE(controller_.SendConsoleCommand("ATINFO\r"));
  EXPECT_EQ(seen_.output.find("(Not sent)"), std::string::npos);  // the message box said why
  ASSERT_EQ(seen_.messages.size(), 1u);
  EXPECT_TRUE(seen_.messages[0].starts_with(std::string(link::kCantOpenPortMessage) + "|"));
  EXPECT_GT(seen_.messages[0].size(), link::kCantOpenPortMessage.size() + 1);  // the reason
  EXPECT_EQ(controller_.state(), State::Closed);
  EXPECT_FALSE(controller_.portOpen());
}

TEST_F(ConnectionControllerTest, CommandsDuringAWaitAreDroppedNotReplayed) {
  controller_.StartRefresh();
  testsupport::SessionAccess::Of(controller_).Update([](link::LinkState& s) {
    s.config.busy = true;
  });
  bool during = false;
  ui_.onServe = [&] {
    if (during) return;
    during = true;
    controller_.StopRefresh();
    controller_.Disconnect();
    // Refused where the user sees it, never dropped in silence.
    EXPECT_FALSE(controller_.SendConsoleCommand("ATINFO\r"));
    EXPECT_NE(seen_.output.find("(Not sent) \"ATINFO\": the link is busy"), std::string::npos)
        << seen_.output;
    EXPECT_FALSE(controller_.Connect());
    EXPECT_FALSE(controller_.RunIfIdle([] { ADD_FAILURE() << "ran during the wait"; }));
    EXPECT_EQ(controller_.state(), State::Waiting);
    testsupport::SessionAccess::Of(controller_).Update([](link::LinkState& s) {
      s.config.busy = false;
    });
  };
  EXPECT_TRUE(controller_.Wait([](const link::LinkState& s) { return !s.config.busy; }));
  ui_.onServe = nullptr;
  ASSERT_TRUE(during);
  ui_.RunPosted();
  // Nothing of it ran afterwards: the cycle runs and the port is open, as before the wait.
  EXPECT_EQ(controller_.state(), State::Refreshing);
  EXPECT_TRUE(controller_.portOpen());
}

TEST_F(ConnectionControllerTest, AWorkerMessageDuringAWaitShowsAfterItAndHoldsTheWorker) {
  ASSERT_TRUE(controller_.Connect());
  std::atomic<bool> workerWentOn = false;
  bool heldWhileShown = false;
  seen_.onMessage = [&] { heldWhileShown = !workerWentOn; };
  std::thread worker([&] {
    controller_.listener().ShowMessage("Config read timeout.");
    workerWentOn = true;
  });
  ASSERT_TRUE(ui_.WaitPosted(1));  // the message is on its way to the UI thread
  testsupport::SessionAccess::Of(controller_).Update([](link::LinkState& s) {
    s.config.busy = true;
  });
  ui_.onServe = [&] {
    testsupport::SessionAccess::Of(controller_).Update([](link::LinkState& s) {
      s.config.busy = false;
    });
  };
  EXPECT_TRUE(controller_.Wait([](const link::LinkState& s) { return !s.config.busy; }));
  ui_.onServe = nullptr;
  EXPECT_TRUE(seen_.messages.empty());  // it came during the wait: not shown in it
  EXPECT_FALSE(workerWentOn);
  ASSERT_TRUE(ui_.RunUntil([&] { return !seen_.messages.empty(); }));
  worker.join();
  EXPECT_EQ(seen_.messages, std::vector<std::string>{"Config read timeout.|"});
  EXPECT_TRUE(heldWhileShown);
}

TEST_F(ConnectionControllerTest, ClosingDuringAWaitStopsTheWorkerAndClosesAfterIt) {
  ASSERT_TRUE(controller_.Connect());
  // A transfer that would not end by itself: only the worker's end ends the wait.
  testsupport::SessionAccess::Of(controller_).Update([](link::LinkState& s) {
    s.config.busy = true;
  });
  int closes = 0;
  bool asked = false;
  ui_.onServe = [&] {
    if (asked) return;
    asked = true;
    EXPECT_FALSE(controller_.Close([&] { ++closes; }));
    EXPECT_TRUE(controller_.waiting());  // the wait cursor stays
  };
  EXPECT_FALSE(controller_.Wait([](const link::LinkState& s) { return !s.config.busy; }));
  ui_.onServe = nullptr;
  EXPECT_EQ(controller_.state(), State::Closed);
  EXPECT_FALSE(controller_.portOpen());
  EXPECT_EQ(closes, 0);  // posted: the window goes once the wait's caller has returned
  ui_.RunPosted();
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(controller_.Close([] { ADD_FAILURE() << "no wait: nothing to post"; }));
}

TEST_F(ConnectionControllerTest, APulledAdapterIsWatchedAndTheCycleResumes) {
  controller_.StartRefresh();
  ASSERT_TRUE(RunUntilNetworks(1));
  ASSERT_TRUE(sim_.Module().Unplug());
  ASSERT_TRUE(ui_.RunUntil([&] { return controller_.lost(); }));
  EXPECT_FALSE(controller_.portOpen());
  EXPECT_TRUE(controller_.PortSettingsLine().starts_with("Port lost: "));
  ASSERT_TRUE(ReconnectTimer().Active());
  ReconnectTimer().Fire();  // still away: the watch looks again later
  EXPECT_TRUE(controller_.lost());
  EXPECT_TRUE(ReconnectTimer().Active());

  ASSERT_TRUE(sim_.Module().Replug());
  ReconnectTimer().Fire();
  EXPECT_EQ(controller_.state(), State::Refreshing);
  EXPECT_NE(seen_.output.find("//////////vmod reconnected//////////\r\n"), std::string::npos);
  const int before = seen_.networks;
  EXPECT_TRUE(RunUntilNetworks(before + 1));
}

TEST_F(ConnectionControllerTest, ALostServerIsAPulledAdapterAskedLessOftenUntilItIsBack) {
  using namespace std::chrono_literals;
  testsupport::Ser2netServer server(sim_.LinkPath(), testsupport::Ser2netMode::Rfc2217);
  ASSERT_TRUE(server.Running());
  const std::string name = server.PortName();
  controller_.Reset(PortChoiceFor(name));
  controller_.StartRefresh();
  ASSERT_TRUE(RunUntilNetworks(1));
  EXPECT_NE(controller_.PortSettingsLine().find("FLOW:None  RTT "), std::string::npos)
      << controller_.PortSettingsLine();

  server.Stop();
  ASSERT_TRUE(ui_.RunUntil([&] { return controller_.lost(); }));
  EXPECT_TRUE(controller_.PortSettingsLine().starts_with("Port lost: "));
  EXPECT_NE(seen_.output.find("Port lost: " + name), std::string::npos) << seen_.output;
  EXPECT_EQ(ReconnectTimer().delay(), 1000ms);
  for (const auto next : {2000ms, 4000ms, 8000ms}) {
    ReconnectTimer().Fire();  // the server refuses: asked again later, and later still
    ASSERT_TRUE(ui_.RunUntil([&] { return ReconnectTimer().Active(); }));
    EXPECT_TRUE(controller_.lost());
    EXPECT_EQ(ReconnectTimer().delay(), next);
  }

  ASSERT_TRUE(server.Start());
  ReconnectTimer().Fire();
  // The attempt connects and negotiates off the UI thread: nothing has changed here yet.
  EXPECT_TRUE(controller_.lost());
  ASSERT_TRUE(ui_.RunUntil([&] { return controller_.state() == State::Refreshing; }));
  EXPECT_NE(seen_.output.find("//////////" + name + " reconnected//////////\r\n"),
            std::string::npos);
  const int before = seen_.networks;
  EXPECT_TRUE(RunUntilNetworks(before + 1));
  EXPECT_TRUE(seen_.messages.empty());  // no message box, as for a pulled adapter
  controller_.Disconnect();
}

TEST_F(ConnectionControllerTest, ADocumentClosedDuringAReconnectAttemptEndsCleanly) {
  testsupport::Ser2netServer server(sim_.LinkPath(), testsupport::Ser2netMode::Rfc2217);
  ASSERT_TRUE(server.Running());
  testsupport::ManualUiThread ui;
  Recorder seen;
  {
    ConnectionController closing{ui, values_, periods_};
    closing.AddObserver(seen);
    closing.Reset(PortChoiceFor(server.PortName()));
    closing.StartRefresh();
    ASSERT_TRUE(ui.RunUntil([&] { return seen.networks >= 1; }));
    server.Stop();
    ASSERT_TRUE(ui.RunUntil([&] { return closing.lost(); }));
    ASSERT_TRUE(server.Start());
    ui.timers().at(1)->Fire();  // the attempt is under way as the document closes
  }
  // Its end, posted meanwhile, finds no controller: the port it opened just closes.
  ui.RunPosted();
  EXPECT_EQ(seen.output.find("reconnected"), std::string::npos) << seen.output;
}

TEST_F(ConnectionControllerTest, APickTargetsThePanesAndAnUnknownNodeClearsTheSelection) {
  controller_.SetParametersRemote(true);
  controller_.listener().NetworkReady(testsupport::Snapshot(testsupport::Family(2)));
  ui_.RunPosted();
  ASSERT_EQ(seen_.networks, 1);

  EXPECT_TRUE(controller_.PickNode(link::NodeKey("0002")));
  EXPECT_EQ(controller_.selectedAddress(), "0002");
  EXPECT_EQ(seen_.console.address, "0002");
  EXPECT_FALSE(seen_.console.remote);
  EXPECT_TRUE(seen_.parameters.remote);
  EXPECT_EQ(seen_.picked, "0002");  // the console is local: its node rows follow

  EXPECT_FALSE(controller_.PickNode(link::NodeKey("0BAD")));
  EXPECT_EQ(controller_.selectedAddress(), link::kNoAddress);
}

TEST_F(ConnectionControllerTest, ARefreshPeriodOf10SecondsGivesWalks10SecondsApart) {
  using std::chrono::milliseconds, std::chrono::seconds;
  seen_.clock = &ui_;
  controller_.SetRefreshSeconds(10);
  controller_.StartRefresh();
  ASSERT_TRUE(RunUntilNetworks(1));
  for (int walk = 2; walk <= 3; ++walk) {
    ui_.Advance(seconds(10) - milliseconds(1));
    ui_.RunPosted();
    EXPECT_TRUE(controller_.refreshTimerActive());  // no walk before the period is over
    ui_.Advance(milliseconds(1));
    ASSERT_TRUE(RunUntilNetworks(walk));
  }
  EXPECT_EQ(seen_.walks, (std::vector<milliseconds>{seconds(0), seconds(10), seconds(20)}));
}

TEST_F(ConnectionControllerTest, TheRefreshPeriodIsRememberedPerPort) {
  const PortChoice here = controller_.port();
  const PortChoice other{"other", "/dev/ttyOTHER", "", false};
  controller_.SetRefreshSeconds(12);
  controller_.Reset(other);
  EXPECT_EQ(controller_.refreshSeconds(), RefreshPeriods::kDefaultSeconds);
  controller_.SetRefreshSeconds(30);
  controller_.SelectPort(here);  // the UART dialog picked the first port again
  EXPECT_EQ(controller_.refreshSeconds(), 12);
  controller_.Reset(other);
  EXPECT_EQ(controller_.refreshSeconds(), 30);
}

TEST_F(ConnectionControllerTest, RefreshPeriodStaysWithinItsRange) {
  const std::pair<int, int> rows[] = {{1, 5}, {5, 5}, {12, 12}, {60, 60}, {90, 60}};
  for (const auto& [asked, kept] : rows) {
    controller_.SetRefreshSeconds(asked);
    EXPECT_EQ(controller_.refreshSeconds(), kept) << asked;
  }
}

}  // namespace
}  // namespace netloom::model
