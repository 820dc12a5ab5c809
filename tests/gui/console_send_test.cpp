// Send through the AT console window reaches a virtual module byte for byte, locally and through
// the coordinator's remote console to a picked node.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <functional>

#include "core/catalogue/at_commands.h"
#include "core/link/worker/connection.h"
#include "gui/model/network_document.h"
#include "gui/panes/console_view_bar.h"
#include "gui/panes/target_field.h"
#include "gui/res/resource_ids.h"
#include "gui/view/qt_ui_thread.h"
#include "gui_test_support.h"
#include "session_access.h"

namespace netloom::guitest {
namespace {

using panes::GridRow;

class ConsoleSendTest : public testsupport::VirtualModuleTest {
 protected:
  ConsoleSendTest() {
    document_.Reset({"vmod", sim_.LinkPath(), "virtual module", false});
    pane_.show();
    pane_.Bind(&document_);
    sim_.Faults().SetRecording(true);
  }

  void Select(const QString& text) {
    QTreeWidgetItem* item = pane_.tree()->FindItem(text);
    ASSERT_NE(item, nullptr) << text.toStdString();
    pane_.tree()->setCurrentItem(item);
  }
  void Edit(const QString& label, const QVariant& value) {
    GridRow* row = pane_.grid()->FindRow(label);
    ASSERT_NE(row, nullptr) << label.toStdString();
    pane_.grid()->model().setData(
        pane_.grid()->model().IndexOf(row, panes::PropertyGridModel::kValueColumn), value);
  }
  // Presses Send and returns what the module received until `expected` ended it.
  std::string SendAndReceive(const std::string& expected) {
    sim_.Faults().ClearReceived();
    pane_.Action(res::kSendAtCommand)->trigger();
    std::string received;
    (void)QTest::qWaitFor(  // the caller compares what came
        [&] {
          const std::vector<std::uint8_t> bytes = sim_.Faults().Received();
          received.assign(bytes.begin(), bytes.end());
          return received.size() >= expected.size() &&
                 received.compare(received.size() - expected.size(), expected.size(), expected) ==
                     0;
        },
        kSlowMs);
    return received;
  }

  // Opens the editor of the row `label` and types `text` into it, not yet committed.
  void TypeIntoEditor(const QString& label, const QString& text) {
    panes::PropertyGrid& grid = *pane_.grid();
    GridRow* row = grid.FindRow(label);
    ASSERT_NE(row, nullptr);
    grid.SetCurrentRow(row);
    grid.view()->edit(grid.model().IndexOf(row, panes::PropertyGridModel::kValueColumn));
    auto* editor = qobject_cast<QLineEdit*>(grid.OpenEditor());
    ASSERT_NE(editor, nullptr);
    editor->setText(text);
  }
  // Types `line` as the output pane does and returns everything the module received until it
  // ended with it. A console line handed over before would come first: the worker takes the
  // lower command code first.
  std::string ReceivedThrough(const std::string& line) {
    controller_.SendRawText(line);
    std::string received;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
          const std::vector<std::uint8_t> bytes = sim_.Faults().Received();
          received.assign(bytes.begin(), bytes.end());
          return received.size() >= line.size() &&
                 received.compare(received.size() - line.size(), line.size(), line) == 0;
        },
        kSlowMs));
    return received;
  }

  // A network document, as the view owns it.
  QObject owner_;
  view::QtUiThread ui_{owner_};
  model::NetworkDocument document_{ui_};
  model::ConnectionController& controller_ = document_.controller();
  catalogue::KindValueTable values_;
  link::DeviceDirectory directory_;
  panes::CConsoleViewBar pane_{nullptr, values_, directory_};
};

struct Example {
  const char* command;
  std::vector<std::pair<const char*, QVariant>> rows;
  std::string line;
};

std::vector<Example> Examples() {
  return {
      {"ATINFO", {}, "ATINFO\r"},
      {"ATEDSCAN", {}, "ATEDSCAN 7FFF800 \r"},
      {"ATDUMP", {{"Table Type", "Neighbor"}}, "ATDUMP 2\r"},
      {"ATSREG", {{"SREG Type", "Channel ID"}}, "ATSREG S6 \r"},
      {"ATPOWER", {{"Ouput Lv.", "Display"}}, "ATPOWER \r"},
      {"ATCONSOLE", {{"Network Address", "12AB"}, {"Mode", "P2P MODE"}}, "ATCONSOLE 12AB 1\r"},
      {"ATALARM", {{"Hour", 23}, {"Minute", 59}}, "ATALARM 23 59 7F\r"},
      {"ATRTC", {}, "ATRTC \r"},
      {"ATRTC",
       {{"RTC Mode", "Modify"},
        {"Date", QDateTime(QDate(2009, 9, 29), QTime(0, 0))},
        {"Time", QDateTime(QDate(2009, 9, 29), QTime(13, 5, 7))}},
       "ATRTC 9 9 29 13 5 7\r"},
      {"Send Message", {{"Data", "hello"}}, "hello"},
      {"Exit(+++)", {}, "+++"},
  };
}

TEST_F(ConsoleSendTest, TheExampleLinesReachTheLocalModule) {
  pane_.ShowTab(catalogue::CommandTab::Advance);
  for (const Example& example : Examples()) {
    SCOPED_TRACE(example.command);
    Select(example.command);
    for (const auto& [label, value] : example.rows) Edit(label, value);
    // The port opens with the first Send.
    EXPECT_EQ(SendAndReceive(example.line), example.line);
    EXPECT_TRUE(controller_.portOpen());
    Select("Console Command");  // the next pick of the same command builds afresh
  }
  EXPECT_EQ(pane_.History().size(), 11);  // every example line once
}

TEST_F(ConsoleSendTest, WithANodePickedAndRemoteOnTheLineGoesBehindTheRemoteConsole) {
  ASSERT_TRUE(controller_.Connect());
  link::SelectNode(testsupport::SessionAccess::Of(controller_),
                   "2B02");  // as a click on the node does
  pane_.Action(res::kConsoleRemote)->trigger();
  ASSERT_TRUE(controller_.consoleTarget().remote);
  pane_.ShowTab(catalogue::CommandTab::Advance);
  for (const Example& example : Examples()) {
    SCOPED_TRACE(example.command);
    Select(example.command);
    for (const auto& [label, value] : example.rows) Edit(label, value);
    const std::string expected = "+++\rATCONSOLE 2B02 0\r" + example.line;
    EXPECT_EQ(SendAndReceive(expected), expected);
    Select("Console Command");
  }
}

// A refused entry in an open editor stops Send and Ctrl+Return: the module gets neither the
// refused text nor the value it failed to replace.
TEST_F(ConsoleSendTest, ARefusedEntryInAnOpenEditorSendsNothing) {
  pane_.ShowTab(catalogue::CommandTab::Advance);
  Select("ATLEAVE");
  Edit("MAC address", "0123456789ABCDEF");
  ASSERT_EQ(SendAndReceive("ATLEAVE 0123456789ABCDEF\r"), "ATLEAVE 0123456789ABCDEF\r");
  QApplication::setActiveWindow(&pane_);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&pane_));

  const std::vector<std::pair<const char*, std::function<void()>>> sends = {
      {"Send", [this] { pane_.Action(res::kSendAtCommand)->trigger(); }},
      {"Ctrl+Return",
       [this] {
         QTest::keyClick(pane_.grid()->OpenEditor(), Qt::Key_Return, Qt::ControlModifier);
       }},
  };
  for (const auto& [name, send] : sends) {
    SCOPED_TRACE(name);
    TypeIntoEditor("MAC address", "12G4");
    sim_.Faults().ClearReceived();
    ModalAnswerer answers;
    send();
    // Whatever the Send let through would reach the module before this line.
    EXPECT_EQ(ReceivedThrough("ATINFO\r"), "ATINFO\r");
    EXPECT_EQ(answers.seen(), QStringList{"Please input 0 to 9 or A to F (a to f)"});
    EXPECT_EQ(pane_.grid()->OpenEditor(), nullptr);
    EXPECT_EQ(pane_.grid()->FindRow("MAC address")->value, "0123456789ABCDEF");  // snapped back
  }
  EXPECT_EQ(pane_.History(), QStringList{"ATLEAVE 0123456789ABCDEF\r"});
}

// The output pane's part of the document: its lines.
class OutputLines final : public model::ConnectionObserver {
 public:
  explicit OutputLines(model::ConnectionController& controller) : controller_(controller) {
    controller_.AddObserver(*this);
  }
  ~OutputLines() override { controller_.RemoveObserver(*this); }
  void AppendOutput(std::string_view text) override { output += text; }

  std::string output;

 private:
  model::ConnectionController& controller_;
};

// A command meant for a node never reaches the coordinator in its place (ATRESET would reset
// it): the coordinator gets only the request for its node, the output says it was refused, and
// the target field shows the refusal until the next attempt, which asks for the node again.
TEST_F(ConsoleSendTest, ARefusedRemoteConsoleSendsNothingToTheCoordinator) {
  OutputLines relay(controller_);
  ASSERT_TRUE(controller_.Connect());
  link::SelectNode(testsupport::SessionAccess::Of(controller_), "2B02");
  pane_.Action(res::kConsoleRemote)->trigger();
  Select("ATINFO");
  sim_.Faults().SetConsoleAnswer(sim::ConsoleAnswer::Fail);
  const std::string ask = "+++\rATCONSOLE 2B02 0\r";
  EXPECT_EQ(SendAndReceive(ask), ask);
  const auto* field = static_cast<panes::CTargetField*>(pane_.targetField());
  ASSERT_TRUE(QTest::qWaitFor([&] { return field->showsRefusal(); }, kSlowMs));
  EXPECT_EQ(field->text(), "2B02");
  EXPECT_NE(field->accessibleDescription().indexOf("refused 2B02"), -1);
  EXPECT_NE(relay.output.find("(FAIL)Can't remote 2B02, Please try again!\r"), std::string::npos);

  // The next attempt asks again; taken, the command goes to the node, and the field is plain.
  sim_.Faults().SetConsoleAnswer(sim::ConsoleAnswer::Normal);
  pane_.Action(res::kSendAtCommand)->trigger();
  const std::string received = guitest::ReceivedOnce(sim_.Faults(), "ATINFO\r");
  ASSERT_NE(received.find("ATINFO\r"), std::string::npos) << received;
  EXPECT_EQ(received, ask + ask + "ATINFO\r");  // the first Send left nothing behind
  EXPECT_TRUE(QTest::qWaitFor([&] { return !field->showsRefusal(); }, kSlowMs));
}

}  // namespace
}  // namespace netloom::guitest
