#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

#include "core/link/serial/serial_port.h"
#include "core/link/worker/link_worker.h"
#include "gui/res/resource_ids.h"
#include "gui_test_support.h"
#include "session_access.h"

namespace netloom::guitest {
namespace {

using namespace netloom::res;

class NetworkViewTest : public testsupport::VirtualModuleTest {
 protected:
  NetworkFrame net_{sim_.LinkPath()};
  view::CNetloomView& view() { return net_.view(); }
  QString Title() const { return net_.doc->GetTitle(); }
  void Command(int id) {
    net_.frame->OnCommand(id);
    QCoreApplication::processEvents();  // commands are posted to the view
  }
  // Enabled commands among those whose state changes with the connection, in a fixed order.
  std::vector<bool> Enabled() const {
    std::vector<bool> enabled;
    for (int id : {kUartSetting, kConnect, kDisconnect, kRun, kStop})
      enabled.push_back(net_.frame->UpdateCommand(id).enabled);
    return enabled;
  }
};

TEST_F(NetworkViewTest, NewDocumentIsDisconnectedWithCircleChecked) {
  EXPECT_EQ(Title(), QStringLiteral("vmod"));
  EXPECT_TRUE(net_.frame->UpdateCommand(kCircle).checked);
  EXPECT_FALSE(net_.frame->UpdateCommand(kTree).checked);
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, false, true, false}));
  EXPECT_EQ(view().PortSettingsLine(), QStringLiteral("9600 8-None-1 FLOW:None"));
}

TEST_F(NetworkViewTest, CommandTableThroughConnectRunStopDisconnect) {
  QSignalSpy status(&view(), &view::CNetloomView::portSettingsShown);
  Command(kConnect);
  ASSERT_TRUE(view().controller().portOpen());
  EXPECT_EQ(Title(), QStringLiteral("vmod*"));
  EXPECT_EQ(status.last().at(0).toString(), QStringLiteral("9600 8-None-1 FLOW:None"));
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, true, true, false}));

  Command(kRun);
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, true, false, true}));
  EXPECT_TRUE(net_.WaitQueryStarted());  // the worker served the query: timer 5 is armed

  Command(kStop);
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, true, true, false}));
  EXPECT_FALSE(view().controller().refreshTimerActive());
  EXPECT_TRUE(view().controller().portOpen());  // Stop keeps the port open

  Command(kTree);
  EXPECT_TRUE(net_.frame->UpdateCommand(kTree).checked);
  Command(kDisconnect);
  EXPECT_FALSE(view().controller().portOpen());
  EXPECT_EQ(Title(), QStringLiteral("vmod"));
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, false, true, false}));
}

TEST_F(NetworkViewTest, RunWithoutConnectConnectsFirst) {
  Command(kRun);
  EXPECT_TRUE(view().controller().portOpen());
  EXPECT_TRUE(view().controller().autoRefresh());
  EXPECT_EQ(Title(), QStringLiteral("vmod*"));
}

TEST_F(NetworkViewTest, ConnectToAMissingPortTellsTheUser) {
  ASSERT_TRUE(view().controller().SelectPort({"ghost", "/nonexistent/ttyGHOST", "", false}));
  ModalAnswerer answers;
  EXPECT_FALSE(view().controller().Connect());
  ASSERT_EQ(answers.seen().size(), 1);
  EXPECT_EQ(answers.seen().first(), QStringLiteral("Can't open this COM~!!"));
  EXPECT_EQ(Enabled()[3], true);  // Run stays usable
}

TEST_F(NetworkViewTest, TypedTextWithPercentReachesTheModuleUnchanged) {
  sim_.Faults().SetRecording(true);
  view().controller().SendRawText("AT%d%s\r");
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        const auto got = sim_.Faults().Received();
        return std::string(got.begin(), got.end()).find("AT%d%s\r") != std::string::npos;
      },
      kSlowMs));
}

TEST_F(NetworkViewTest, APasteReachesTheModuleAsItsBytes) {
  sim_.Faults().SetRecording(true);
  auto* edit = net_.frame->output()->edit();
  QApplication::clipboard()->setText(QStringLiteral("ATINFO\r"));
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  const std::string received = ReceivedOnce(sim_.Faults(), "ATINFO\r");
  ASSERT_NE(received.find("ATINFO\r"), std::string::npos);
  EXPECT_EQ(received.find('\x16'), std::string::npos);
}

// Typed input is never lost: a paste longer than two pieces goes out whole, and so does a line
// followed at once by a full piece.
TEST_F(NetworkViewTest, PastedAndTypedTextArrivesWhole) {
  sim_.Faults().SetRecording(true);
  auto* edit = net_.frame->output()->edit();
  std::string paste;
  for (int i = 0; paste.size() < 300; ++i) paste += static_cast<char>('a' + i % 26);
  std::string expected;
  for (const std::string& text : {paste, "ATINFO\r" + std::string(126, 'x')}) {
    SCOPED_TRACE(text.substr(0, 7));
    edit->TypeText(QString::fromStdString(text));
    expected += text;
    std::string received;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
          const auto got = sim_.Faults().Received();
          received.assign(got.begin(), got.end());
          return received.size() >= expected.size();
        },
        kSlowMs));
    EXPECT_EQ(received, expected);
  }
}

TEST_F(NetworkViewTest, ModuleEchoShowsInTheOutputPaneAndKeepsTheUsersSelection) {
  auto* edit = net_.frame->output()->edit();
  view().AppendOutput("hello world\r");
  QTextCursor selection(edit->document());
  selection.setPosition(0);
  selection.setPosition(5, QTextCursor::KeepAnchor);
  edit->setTextCursor(selection);  // the user selects "hello"
  view().controller().SendRawText("ATINFO\r");
  EXPECT_TRUE(QTest::qWaitFor([&] { return edit->ShownText().contains("Coordinator"); }, kSlowMs));
  EXPECT_EQ(edit->textCursor().selectedText(), QStringLiteral("hello"));
}

TEST_F(NetworkViewTest, BannerAfterPortSettingsNamesThePort) {
  ModalAnswerer answers;  // the UART dialog is cancelled: nothing changes
  view().ChangePortSettings();
  EXPECT_EQ(answers.seen(), QStringList{QStringLiteral("UART")});
  EXPECT_TRUE(net_.frame->output()->edit()->ShownText().isEmpty());
}

TEST_F(NetworkViewTest, ClosingAConnectedDocumentClosesItsPort) {
  Command(kRun);
  ASSERT_TRUE(net_.WaitQueryStarted());
  net_.frame->close();
  EXPECT_FALSE(view().controller().portOpen());
  sim_.Faults().ClearReceived();
  sim_.Faults().SetRecording(true);
  QTest::qWait(1500);  // well past a refresh or an idle turn of a live worker
  EXPECT_TRUE(sim_.Faults().Received().empty());  // the line went quiet
  // The exclusive open was released: another client gets the port.
  EXPECT_NE(link::OpenPort(sim_.LinkPath()).port, nullptr);
}

TEST_F(NetworkViewTest, RunClickedDuringDisconnectsWaitIsNotRunAfterIt) {
  Command(kConnect);
  ASSERT_TRUE(view().controller().portOpen());
  QPushButton run(QStringLiteral("Run"));
  QObject::connect(&run, &QPushButton::clicked, [&] { net_.frame->OnCommand(kRun); });
  run.show();
  bool clickedInTheWait = false;
  bool disabledInTheWait = false;
  QTimer::singleShot(0, &run, [&] {
    clickedInTheWait = view().controller().state() == model::ConnectionState::Closing;
    disabledInTheWait = !net_.frame->UpdateCommand(kRun).enabled;
    QTest::mouseClick(&run, Qt::LeftButton);
    QTest::keyClick(&run, Qt::Key_Space);
  });
  view().controller().Disconnect();
  ASSERT_TRUE(clickedInTheWait);
  EXPECT_TRUE(disabledInTheWait);
  QCoreApplication::sendPostedEvents();  // calls posted to the view
  EXPECT_FALSE(view().controller().portOpen());
  EXPECT_EQ(Title(), QStringLiteral("vmod"));
  QTest::mouseClick(&run, Qt::LeftButton);  // after the wait a click counts again
  Command(kRun);
  EXPECT_TRUE(view().controller().autoRefresh());
}

TEST_F(NetworkViewTest, ClosingDuringAWaitClosesOnceTheWorkerEnded) {
  Command(kConnect);
  ASSERT_TRUE(view().controller().portOpen());
  QSignalSpy ready(net_.frame.get(), &view::CChildFrame::closeReady);
  bool refused = false;
  QTimer::singleShot(0, net_.frame.get(), [&] { refused = !net_.frame->close(); });
  // A transfer that would not end by itself: the close ends it by stopping the worker.
  testsupport::SessionAccess::Of(view().controller()).Update([](link::LinkState& s) {
    s.config.busy = true;
  });
  EXPECT_FALSE(view().controller().Wait([](const link::LinkState& s) { return !s.config.busy; }));
  EXPECT_TRUE(refused);
  EXPECT_FALSE(view().controller().portOpen());
  EXPECT_TRUE(ready.wait(kSlowMs));
  EXPECT_TRUE(net_.frame->close());
}

TEST_F(NetworkViewTest, PulledAdapterShowsAndComesBackRunning) {
  Command(kRun);
  ASSERT_TRUE(net_.WaitQueryStarted());
  ASSERT_TRUE(sim_.Module().Unplug());
  ASSERT_TRUE(QTest::qWaitFor([&] { return view().controller().lost(); }, kSlowMs));
  EXPECT_EQ(Title(), QStringLiteral("vmod (port lost)"));
  EXPECT_TRUE(view().PortSettingsLine().startsWith(QStringLiteral("Port lost")));
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, false, true, false}));
  // One line in the output pane, the worker's own.
  const QString lostLine = QString::fromStdString(link::PortLostText(sim_.LinkPath(), ""))
                               .section(QStringLiteral(" fails"), 0, 0);
  EXPECT_EQ(net_.frame->output()->edit()->ShownText().count(lostLine), 1);

  ASSERT_TRUE(sim_.Module().Replug());
  ASSERT_TRUE(QTest::qWaitFor([&] { return view().controller().portOpen(); }, kSlowMs));
  EXPECT_EQ(Title(), QStringLiteral("vmod*"));
  EXPECT_TRUE(view().controller().autoRefresh());
  EXPECT_TRUE(net_.WaitQueryStarted());
}

}  // namespace
}  // namespace netloom::guitest
