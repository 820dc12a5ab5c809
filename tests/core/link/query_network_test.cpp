// The QueryNetwork command end to end: the worker, a real pseudo-terminal, the virtual module.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/link/walk/device_directory.h"
#include "core/link/walk/network_walk.h"
#include "core/link/worker/connection.h"
#include "support/recording_listener.h"
#include "support/virtual_module_fixture.h"

namespace netloom::link {
namespace {

using namespace std::chrono_literals;
using testsupport::RecordingListener;
using Calls = std::vector<std::string>;

constexpr auto kWalkBound = 20s;  // bound of every wait for something that must happen

sim::SimNetwork LoneCoordinator() {
  std::string error;
  auto network = sim::SimNetwork::Make({{"0000", "Coordinator", {}}}, error);
  EXPECT_TRUE(network) << error;
  return std::move(*network);
}

class QueryNetworkTest : public ::testing::Test {
 protected:
  explicit QueryNetworkTest(sim::SimNetwork network = sim::DemoNetwork())
      : sim_(std::move(network)) {
    sim_.Faults().SetRecording(true);
    UartSettings settings;
    Connection connection =
        Connect(sim_.LinkPath(), settings, listener_, session_, values_, clock_);
    EXPECT_TRUE(connection.worker) << connection.error.detail;
    worker_ = std::move(connection.worker);
  }
  ~QueryNetworkTest() override {
    if (worker_) worker_->Stop();
  }

  // Runs the `nth` query as Run does, or as the refresh timer does, and waits for its end.
  void Query(int nth) {
    StartRefresh(*worker_);
    ASSERT_TRUE(listener_.WaitFinished(WorkerCommand::QueryNetwork, nth, kWalkBound));
  }
  void Refresh(int nth) {
    SignalWorker(*worker_, WorkerCommand::QueryNetwork);
    ASSERT_TRUE(listener_.WaitFinished(WorkerCommand::QueryNetwork, nth, kWalkBound));
  }
  // The query's reports, without the echo of idle reads.
  Calls QueryCalls() const {
    Calls calls = listener_.Calls();
    calls.erase(
        std::remove_if(calls.begin(), calls.end(),
                       [](const std::string& c) { return c.rfind("AppendOutput:", 0) == 0; }),
        calls.end());
    return calls;
  }
  std::string Received() {
    const auto bytes = sim_.Faults().Received();
    return std::string(bytes.begin(), bytes.end());
  }

  testsupport::ScopedVirtualModule sim_;
  RecordingListener listener_;
  LinkSession session_;
  CompressedClock clock_{50};
  catalogue::ConfigValueTable values_;
  std::unique_ptr<CThread> worker_;
};

TEST_F(QueryNetworkTest, HandsTheViewOneConsistentSnapshot) {
  ASSERT_TRUE(worker_);
  Query(1);

  EXPECT_EQ(QueryCalls(),
            (Calls{"Finished:0", "QueryStarted", "ClearDiagram", "NetworkReady", "Finished:5"}));
  EXPECT_EQ(Received().substr(0, 21), "---\rATNETINFO 0000 0\r");
  const auto snapshots = listener_.Snapshots();
  ASSERT_EQ(snapshots.size(), 1u);
  const NetworkSnapshot& snapshot = snapshots[0];
  // The demo asks 10 nodes; counted are the eight above the last level (each reported entries).
  EXPECT_EQ(snapshot.nodeCount, 8);
  EXPECT_EQ(snapshot.nodeTable.size(), 10u);
  ASSERT_TRUE(snapshot.rootNode);
  EXPECT_EQ(snapshot.rootNode->address, "0000");
  EXPECT_EQ(snapshot.rootNode, FindNode(snapshot.nodeTable, "0000"));
  for (const auto& [key, record] : snapshot.nodeTable) {
    const auto entry = ProcessDeviceDirectory().Find(record->address);
    ASSERT_TRUE(entry) << record->address;
    EXPECT_EQ(entry->name, record->name);
  }
  EXPECT_TRUE(listener_.Messages().empty());
}

TEST_F(QueryNetworkTest, ASnapshotOutlivesTheNextQuery) {
  ASSERT_TRUE(worker_);
  Query(1);
  const NetworkSnapshot first = listener_.Snapshots().at(0);
  Refresh(2);
  const NetworkSnapshot second = listener_.Snapshots().at(1);

  // The worker emptied its table for the second query; the first snapshot's records live on.
  EXPECT_NE(first.rootNode, second.rootNode);
  EXPECT_EQ(first.rootNode->name, "Coordinator");
  EXPECT_EQ(first.nodeTable.size(), second.nodeTable.size());
  for (const auto& [key, record] : first.nodeTable) EXPECT_EQ(record->address.size(), 4u);
}

TEST_F(QueryNetworkTest, NothingHappensWhileAutoRefreshIsOff) {
  ASSERT_TRUE(worker_);
  StopRefresh(*worker_);
  worker_->Signal(WorkerCommand::QueryNetwork);
  ASSERT_TRUE(listener_.WaitFinished(WorkerCommand::QueryNetwork, 1, kWalkBound));

  EXPECT_EQ(QueryCalls(), (Calls{"Finished:0", "Finished:5"}));
  EXPECT_EQ(Received(), "");
}

TEST_F(QueryNetworkTest, ASilentCoordinatorGivesNoTables) {
  ASSERT_TRUE(worker_);
  sim_.Faults().SetSilent(true);
  Query(1);

  EXPECT_EQ(QueryCalls(), (Calls{"Finished:0", "QueryStarted", "Finished:5"}));
  EXPECT_EQ(listener_.Reports().back().failure, "no answer from the coordinator");
}

TEST_F(QueryNetworkTest, AReadErrorIsShownAndTheNodeLeftOut) {
  ASSERT_TRUE(worker_);
  sim_.Faults().SetNetInfoFault("2B02", sim::NetInfoFault::BadClose);
  Query(1);

  EXPECT_EQ(QueryCalls(), (Calls{"Finished:0", "QueryStarted", "ShowMessage:read error!!",
                                 "ClearDiagram", "NetworkReady", "Finished:5"}));
  const NetworkSnapshot snapshot = listener_.Snapshots().at(0);
  EXPECT_FALSE(FindNode(snapshot.nodeTable, "2B02"));
  EXPECT_TRUE(FindNode(snapshot.nodeTable, "5E05"));  // still reached through 1A01
}

TEST_F(QueryNetworkTest, ANonHexReplyIsALineInTheOutputOnEveryRefreshNeverABox) {
  ASSERT_TRUE(worker_);
  sim_.Faults().SetNetInfoFault("2B02", sim::NetInfoFault::NotHex);
  Query(1);
  Refresh(2);

  EXPECT_TRUE(listener_.Messages().empty());
  const auto outputs = listener_.Outputs();
  EXPECT_EQ(std::count(outputs.begin(), outputs.end(), NotHexLine("2B02")), 2);
  const NetworkSnapshot snapshot = listener_.Snapshots().at(1);
  EXPECT_FALSE(FindNode(snapshot.nodeTable, "2B02"));
  EXPECT_TRUE(FindNode(snapshot.nodeTable, "5E05"));
}

class LoneCoordinatorTest : public QueryNetworkTest {
 protected:
  LoneCoordinatorTest() : QueryNetworkTest(LoneCoordinator()) {}
};

// A coordinator without entries is not counted; the next refresh must still find it.
TEST_F(LoneCoordinatorTest, EveryRefreshFindsTheCoordinator) {
  ASSERT_TRUE(worker_);
  Query(1);
  Refresh(2);

  const auto snapshots = listener_.Snapshots();
  ASSERT_EQ(snapshots.size(), 2u);
  for (const NetworkSnapshot& snapshot : snapshots) {
    EXPECT_EQ(snapshot.nodeCount, 0);
    EXPECT_EQ(snapshot.nodeTable.size(), 1u);
    ASSERT_TRUE(snapshot.rootNode);
    EXPECT_EQ(snapshot.rootNode->entryCount, 0);
  }
  for (const auto& report : listener_.Reports()) EXPECT_EQ(report.failure, "");
}

}  // namespace
}  // namespace netloom::link
