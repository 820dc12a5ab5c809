// Saved networks and session logs in the window: Save, close, Open shows the same network
// offline (and Connect reaches its port again); a document's session log holds the session
// both ways, opens read-only, and served back by a virtual module gives the same walk.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QSettings>
#include <QTest>

#include "core/link/serial/clock.h"
#include "core/sim/replay_script.h"
#include "gui/res/resource_ids.h"
#include "gui/shell/application_look.h"
#include "gui/shell/document_tabs.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/netloom_app.h"
#include "gui/shell/recent_files.h"
#include "gui/view/history_pane.h"
#include "gui/view/network_pages.h"
#include "gui/view/session_log_frame.h"
#include "gui/view/topology_diagram.h"
#include "gui_test_support.h"
#include "support/edited_network.h"
#include "support/temp_folder.h"

namespace netloom::guitest {
namespace {

using namespace netloom::res;
using shell::CMainFrame;
using shell::DocumentStart;

// What a document shows of its network: nodes with names and parents, and the diagram's links.
struct Shown {
  std::vector<std::string> nodes;  // "address name parents"
  std::vector<std::pair<std::int32_t, std::int32_t>> links;
  QString history;
  bool operator==(const Shown&) const = default;
};
Shown ShownBy(view::CChildFrame& frame) {
  Shown shown;
  for (const auto& node : frame.view()->insight().Nodes())
    shown.nodes.push_back(node.address + " " + node.name + " " +
                          network::AddressList(node.parents));
  const view::TopologyDiagram& diagram = *frame.view()->diagram();
  for (int i = 0; i < diagram.NodeCount(); ++i)
    for (const view::DiagramLink* link : diagram.Node(i)->Links())
      shown.links.emplace_back(link->Source()->Key(), link->Destination()->Key());
  shown.history = frame.pages()->history()->toPlainText();
  return shown;
}

class SavedNetworkTest : public testsupport::VirtualModuleTest {
 protected:
  SavedNetworkTest() { settings_.clear(); }

  // A document on the module that has walked once, or twice: the second time without 7A07.
  view::CChildFrame* WalkedDocument(CMainFrame& frame, int walks = 2) {
    view::CChildFrame* document =
        frame.OpenNetworkDocument({DocumentStart::Kind::Offline, sim_.LinkPath()});
    model::ConnectionController& controller = document->view()->controller();
    controller.SelectPort(model::PortChoiceFor(sim_.LinkPath()));
    controller.SetClock(clock_);
    document->view()->SetTreeLayout();
    for (int walk = 1; walk <= walks; ++walk) {
      if (walk == 2) {
        sim_.Module().ChangeNetwork(testsupport::EditedDemoNetwork(
            [](auto& nodes) { testsupport::RemoveNode(nodes, "7A07"); }));
      }
      const auto before = document->view()->insight().memory().LatestWalk().rootNode;
      controller.StartRefresh();
      EXPECT_TRUE(QTest::qWaitFor(
          [&] { return document->view()->insight().memory().LatestWalk().rootNode != before; },
          kSlowMs));
      controller.StopRefresh();
    }
    return document;
  }

  QSettings settings_{shell::kSettingsOrganisation, shell::kSettingsApplication};
  link::CompressedClock clock_{100};
  testsupport::TempFolder folder_;
};

TEST_F(SavedNetworkTest, SaveCloseOpenShowsTheSameNetworkOfflineAndConnectReachesItsPort) {
  CMainFrame frame(settings_);
  view::CChildFrame* document = WalkedDocument(frame);
  const Shown before = ShownBy(*document);
  ASSERT_FALSE(before.history.isEmpty());
  ASSERT_NE(before.nodes.size(), 0u);
  // Save As gave the document its file; Save writes there again.
  const std::string path = folder_.File("plant.netloom");
  ASSERT_EQ(document->view()->insight().Save(path), "");
  EXPECT_TRUE(frame.Action(kFileSave)->isEnabled());
  ASSERT_TRUE(frame.SaveDocument(document, false));
  EXPECT_TRUE(document->view()->title().startsWith(QStringLiteral("plant.netloom - ")));
  ASSERT_TRUE(frame.CloseFrame(document));
  ASSERT_TRUE(frame.Frames().isEmpty());

  ASSERT_TRUE(frame.OpenFile(QString::fromStdString(path)));
  view::CChildFrame* opened = frame.ActiveFrame();
  ASSERT_NE(opened, nullptr);
  opened->view()->SetTreeLayout();  // the layout is the window's, not the network's
  EXPECT_EQ(ShownBy(*opened), before);
  // Offline: the quiet node stays greyed, nothing is open, Connect reaches the saved port.
  model::ConnectionController& controller = opened->view()->controller();
  EXPECT_FALSE(controller.portOpen());
  EXPECT_EQ(controller.port().path, sim_.LinkPath());
  bool quietDrawn = false;
  for (int i = 0; i < opened->view()->diagram()->NodeCount(); ++i)
    quietDrawn |= opened->view()->diagram()->Node(i)->Quiet();
  EXPECT_TRUE(quietDrawn);
  // Nodes of the saved walk can be picked offline.
  opened->view()->SelectNodeByKey(link::NodeKey("1A01"));
  EXPECT_EQ(controller.selectedAddress(), "1A01");
  EXPECT_EQ(shell::RecentFiles(settings_).first(), QString::fromStdString(path));
  frame.Action(kConnect)->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return controller.portOpen(); }, kSlowMs));

  // A fresh program opens it from its command line the same way.
  QString error;
  const auto start =
      shell::ParseStartOptions({QStringLiteral("netloom"), QString::fromStdString(path)}, error);
  ASSERT_TRUE(start) << error.toStdString();
  EXPECT_EQ(start->file, QString::fromStdString(path));
  QSettings fresh(QStringLiteral("netloom-test"), QStringLiteral("fresh"));
  fresh.clear();
  CMainFrame another(fresh);
  ASSERT_TRUE(another.OpenFile(start->file));
  another.ActiveFrame()->view()->SetTreeLayout();
  EXPECT_EQ(ShownBy(*another.ActiveFrame()), before);
  fresh.clear();
}

TEST_F(SavedNetworkTest, AFileThatIsNeitherIsRefusedWithItsReason) {
  CMainFrame frame(settings_);
  const std::string path = folder_.Write("broken.netloom", "{\"format\":\"something else\"}");
  ModalAnswerer answers;
  EXPECT_FALSE(frame.OpenFile(QString::fromStdString(path)));
  ASSERT_EQ(answers.seen().size(), 1);
  EXPECT_TRUE(answers.seen().first().startsWith(QString::fromStdString(path + ": ")))
      << answers.seen().first().toStdString();
  EXPECT_TRUE(frame.Frames().isEmpty());
  EXPECT_TRUE(shell::RecentFiles(settings_).isEmpty());
}

TEST_F(SavedNetworkTest, TheSessionLogHoldsBothWaysOpensReadOnlyAndReplaysTheSameWalk) {
  CMainFrame frame(settings_);
  view::CChildFrame* document = WalkedDocument(frame, 1);
  const std::string path = folder_.File("session.log");
  ASSERT_EQ(document->view()->insight().sessionLog().Save(path), "");
  const link::LogReadResult log = link::LoadSessionLog(path);
  ASSERT_TRUE(log.entries) << log.error;
  const auto& entries = *log.entries;
  ASSERT_GT(entries.size(), 2u);
  EXPECT_EQ(entries.front().direction, link::Direction::Sent);
  bool received = false;
  for (std::size_t i = 1; i < entries.size(); ++i) {
    EXPECT_LE(entries[i - 1].time, entries[i].time);
    received |= entries[i].direction == link::Direction::Received;
  }
  EXPECT_TRUE(received);
  EXPECT_LT(entries.front().time, entries.back().time);

  // Opened from its file: a read-only pane of its own, every entry timed.
  ASSERT_TRUE(frame.OpenFile(QString::fromStdString(path)));
  auto* pane = qobject_cast<view::SessionLogFrame*>(frame.tabs()->currentWidget());
  ASSERT_NE(pane, nullptr);
  EXPECT_TRUE(pane->pane()->isReadOnly());
  EXPECT_TRUE(pane->pane()->toPlainText().contains(QStringLiteral("Z > ATNETINFO 0000 0\\r")));
  pane->SetHexShown(true);
  EXPECT_TRUE(pane->pane()->toPlainText().contains(QStringLiteral("ATNETINFO 0000 0")));
  EXPECT_TRUE(frame.CloseFrame(pane));

  // Served back, the log gives the walk it recorded.
  sim::VirtualModuleOptions options = testsupport::TestModuleOptions();
  options.replay = sim::ReplayScript::FromLog(entries);
  testsupport::ScopedVirtualModule replayed(std::move(options));
  NetworkFrame net(replayed.LinkPath());
  net.view().controller().SetClock(clock_);
  net.view().controller().StartRefresh();
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return net.view().insight().memory().LatestWalk().rootNode != nullptr; }, kSlowMs));
  net.view().controller().StopRefresh();
  std::vector<std::string> recorded;
  std::vector<std::string> served;
  for (const auto& [key, record] : document->view()->insight().memory().LatestWalk().nodeTable)
    recorded.push_back(record->address + " " + record->name);
  for (const auto& [key, record] : net.view().insight().memory().LatestWalk().nodeTable)
    served.push_back(record->address + " " + record->name);
  EXPECT_EQ(served, recorded);
}

}  // namespace
}  // namespace netloom::guitest
