#include "gui/model/command_rules.h"

#include <gtest/gtest.h>

#include "gui/res/resource_ids.h"

namespace netloom::model {
namespace {

using namespace netloom::res;

struct Row {
  const char* stage;
  ViewCommandState state;
  bool uart, connect, disconnect, run, stop;
};

// A connect, run, stop, disconnect cycle; and a stale autoRefresh without a worker.
const Row kCycle[] = {
    {"new", {false, false, false, 1}, true, true, false, true, false},
    {"connected", {true, true, false, 1}, false, false, true, true, false},
    {"running", {true, true, true, 1}, false, false, true, false, true},
    {"stopped", {true, true, false, 1}, false, false, true, true, false},
    {"disconnected", {false, false, false, 1}, true, true, false, true, false},
    {"no worker, stale flag", {false, false, true, 1}, true, true, false, true, false},
};

TEST(CommandRules, EnableTableThroughACycle) {
  for (const Row& row : kCycle) {
    SCOPED_TRACE(row.stage);
    EXPECT_EQ(NetworkCommandUi(kUartSetting, row.state).enabled, row.uart);
    EXPECT_EQ(NetworkCommandUi(kConnect, row.state).enabled, row.connect);
    EXPECT_EQ(NetworkCommandUi(kDisconnect, row.state).enabled, row.disconnect);
    EXPECT_EQ(NetworkCommandUi(kRun, row.state).enabled, row.run);
    EXPECT_EQ(NetworkCommandUi(kStop, row.state).enabled, row.stop);
    for (int always : {kWizard, kRefreshTime, kTextClear, kUpgrade, kPortInfoPane})
      EXPECT_TRUE(NetworkCommandUi(always, row.state).enabled) << always;
  }
}

TEST(CommandRules, AWaitDisablesEveryCommandButKeepsTheChecks) {
  for (bool running : {false, true}) {
    const auto waiting = ViewCommandState{true, true, running, 0, true};
    for (int id : {kUartSetting, kConnect, kDisconnect, kRun, kStop, kWizard, kRefreshTime,
                   kTextClear, kUpgrade, kTree, kCircle})
      EXPECT_FALSE(NetworkCommandUi(id, waiting).enabled) << id;
    EXPECT_TRUE(NetworkCommandUi(kTree, waiting).checked);
    EXPECT_TRUE(NetworkCommandUi(kPortInfoPane, waiting).enabled);
  }
}

TEST(CommandRules, LayoutChecks) {
  const auto tree = ViewCommandState{false, false, false, 0};
  const auto circle = ViewCommandState{false, false, false, 1};
  EXPECT_TRUE(NetworkCommandUi(kTree, tree).checked);
  EXPECT_FALSE(NetworkCommandUi(kCircle, tree).checked);
  EXPECT_FALSE(NetworkCommandUi(kTree, circle).checked);
  EXPECT_TRUE(NetworkCommandUi(kCircle, circle).checked);
  EXPECT_FALSE(NetworkCommandUi(kAppAbout, circle).handled);
}

}  // namespace
}  // namespace netloom::model
