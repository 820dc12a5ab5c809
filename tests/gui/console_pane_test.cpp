// The AT console pane on its own: tree, picking, grid build, node pick, remote flag, value entry,
// Send's composition and history (the hand-over is captured; console_send_test.cpp sends to a
// virtual module).
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include "core/catalogue/at_commands.h"
#include "gui/panes/console_view_bar.h"
#include "gui/res/resource_ids.h"
#include "gui/view/qt_ui_thread.h"
#include "gui_test_support.h"
#include "network_fixture.h"

namespace netloom::panes {
namespace {

using catalogue::CommandTab;

class ConsolePaneTest : public ::testing::Test {
 protected:
  ConsolePaneTest() {
    pane_.resize(320, 600);
    pane_.show();
    // The lines handed over are captured instead of sent.
    pane_.SetLineSink([this](model::NetworkDocument&, const std::string& line) {
      sent_.push_back(line);
      return true;
    });
    pane_.Bind(&document_);
  }

  // Selects the tree item with `text`, as a click would.
  void Select(const QString& text) {
    QTreeWidgetItem* item = pane_.tree()->FindItem(text);
    ASSERT_NE(item, nullptr) << text.toStdString();
    pane_.tree()->setCurrentItem(item);
  }
  PropertyGrid& grid() { return *pane_.grid(); }
  GridRow* Row(const QString& label) { return grid().FindRow(label); }
  // Commits `value` into the row as its editor does.
  void Edit(GridRow* row, const QVariant& value) {
    ASSERT_NE(row, nullptr);
    const QModelIndex index = grid().model().IndexOf(row, PropertyGridModel::kValueColumn);
    if (row->spec.kind == RowKind::Check)
      grid().model().setData(index, value.toBool() ? Qt::Checked : Qt::Unchecked,
                             Qt::CheckStateRole);
    else
      grid().model().setData(index, value);
  }
  std::string Slot(int kind) { return values_.Get(kind); }
  QStringList Labels() {
    QStringList labels;
    std::function<void(const std::vector<std::unique_ptr<GridRow>>&)> walk = [&](const auto& rows) {
      for (const auto& row : rows) {
        labels << row->spec.label;
        walk(row->children);
      }
    };
    walk(grid().model().TopRows());
    return labels;
  }

  catalogue::KindValueTable values_;
  link::DeviceDirectory directory_;
  bool DocumentRemote() { return document_.controller().consoleTarget().remote; }

  QObject owner_;
  view::QtUiThread ui_{owner_};
  model::NetworkDocument document_{ui_};
  model::NetworkDocument other_{ui_};
  std::vector<std::string> sent_;
  CConsoleViewBar pane_{nullptr, values_, directory_};
};

TEST_F(ConsolePaneTest, StartsOnTheBasicTreeWithAnEmptyGridAndNoTarget) {
  EXPECT_EQ(pane_.currentCommand(), catalogue::kNoCommand);
  EXPECT_TRUE(grid().IsEmpty());
  EXPECT_TRUE(pane_.basicTab());
  EXPECT_EQ(pane_.tabs()->currentIndex(), 0);
  EXPECT_TRUE(pane_.Action(res::kConsoleBasic)->isChecked());
  EXPECT_FALSE(pane_.Action(res::kConsoleAdvance)->isChecked());
  EXPECT_EQ(pane_.targetField()->text(), "NULL");
  EXPECT_FALSE(pane_.targetField()->isEnabled());
  EXPECT_EQ(pane_.tree()->ShownTexts(),
            (QStringList{"Hardware Information", "ATINFO", "ATRTC", "ATVERSION", "Networking",
                         "ATRESET", "Data Transmission", "ATTXDATAU", "ATTXDATAB", "ATTXEACK",
                         "Network Management", "ATCHGCH", "ATNEIGHBOR", "Virtual Mode", "ATCONSOLE",
                         "Console Command", "Send Message", "Exit(+++)", "Exit(---)"}));
  EXPECT_FALSE(pane_.tree()->topLevelItem(0)->isExpanded());
  // The tree and the grid take two thirds and one third of the body below the toolbar.
  const int body = pane_.height() - pane_.toolBar()->height();
  EXPECT_NEAR(static_cast<double>(pane_.grid()->height()) / body, 1.0 / 3, 0.05);
}

TEST_F(ConsolePaneTest, EveryControlCarriesAnAccessibleName) {
  QStringList buttons;
  for (QAction* action : pane_.toolBar()->actions()) {
    QWidget* widget = pane_.toolBar()->widgetForAction(action);
    if (!widget || action->isSeparator()) continue;
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(widget);
    buttons << button->text(QAccessible::Name);
  }
  EXPECT_EQ(buttons,
            (QStringList{"Send AT Command", "Basic", "Advance", "Remote Console", "Target"}));
  for (QWidget* widget :
       {static_cast<QWidget*>(pane_.tabs()), static_cast<QWidget*>(pane_.tree()),
        static_cast<QWidget*>(pane_.filterField()), static_cast<QWidget*>(grid().view())})
    EXPECT_FALSE(widget->accessibleName().isEmpty());
  QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(pane_.tree());
  QStringList items;
  for (int i = 0; i < tree->childCount(); ++i) items << tree->child(i)->text(QAccessible::Name);
  EXPECT_TRUE(items.contains("Hardware Information")) << items.join('|').toStdString();
}

TEST_F(ConsolePaneTest, TheAdvanceTabSkipsTheStoredButHiddenCommands) {
  Select("ATINFO");
  pane_.Action(res::kConsoleAdvance)->trigger();
  EXPECT_FALSE(pane_.basicTab());
  EXPECT_EQ(pane_.tabs()->currentIndex(), 1);
  EXPECT_TRUE(grid().IsEmpty());
  EXPECT_EQ(pane_.currentCommand(), 0);  // the current command stays
  const QStringList shown = pane_.tree()->ShownTexts();
  EXPECT_EQ(shown.size(), 7 + 5 + 14 + 5 + 4 + 11 + 8 + 2 + 4);
  for (const char* hidden : {"ATSTARTPAN", "ATSTARTRT", "ATJOIN", "ATRXDATA"})
    EXPECT_FALSE(shown.contains(hidden)) << hidden;

  // Asking for the tab that is shown does nothing, by button or by tab.
  Select("ATDUMP");
  pane_.Action(res::kConsoleAdvance)->trigger();
  pane_.tabs()->setCurrentIndex(1);
  EXPECT_EQ(Labels(), (QStringList{"ATDUMP", "Table Type"}));
  pane_.tabs()->setCurrentIndex(0);
  EXPECT_TRUE(pane_.basicTab());
  EXPECT_TRUE(pane_.Action(res::kConsoleBasic)->isChecked());
  EXPECT_TRUE(grid().IsEmpty());
}

TEST_F(ConsolePaneTest, RtcPickedTwiceKeepsItsRowsAndAnotherPickStopsTheClock) {
  Select("ATRTC");
  EXPECT_EQ(pane_.currentCommand(), catalogue::kRtcCommand);
  EXPECT_EQ(Labels(), (QStringList{"ATRTC", "RTC Mode", "System Time", "Date", "Time"}));
  for (const char* label : {"System Time", "Date", "Time"})
    EXPECT_FALSE(grid().model().flags(grid().model().IndexOf(Row(label), 1)) & Qt::ItemIsEnabled);
  EXPECT_EQ(Row("Date")->ValueText(), QDate::currentDate().toString("MM.dd.yyyy"));
  // The group row is current: the description area shows the command's help.
  EXPECT_EQ(grid().DescriptionText(), "Check Real-Time Counter");

  Edit(Row("RTC Mode"), "Modify");
  EXPECT_TRUE(grid().model().flags(grid().model().IndexOf(Row("Date"), 1)) & Qt::ItemIsEnabled);
  Edit(Row("System Time"), true);
  EXPECT_TRUE(pane_.clockRunning());

  Select("ATINFO");
  Select("ATRTC");  // picked again: a new block (it was not the current command)
  Select("ATRTC");  // the same item again changes no selection; Pick itself keeps the rows
  pane_.Pick("ATRTC");
  EXPECT_NE(Row("Date"), nullptr);
  EXPECT_EQ(Row("RTC Mode")->value, "Display");
  Edit(Row("RTC Mode"), "Modify");
  pane_.Pick("atrtc");
  EXPECT_EQ(Row("RTC Mode")->value, "Modify");

  Edit(Row("System Time"), true);
  EXPECT_TRUE(pane_.clockRunning());
  Select("ATVERSION");
  EXPECT_FALSE(pane_.clockRunning());
  EXPECT_EQ(pane_.rows().date, nullptr);
}

TEST_F(ConsolePaneTest, AGroupTitleEmptiesTheGrid) {
  Select("ATCHGCH");
  EXPECT_EQ(Labels(), (QStringList{"ATCHGCH", "Channel"}));
  Select("Network Management");
  EXPECT_EQ(pane_.currentCommand(), catalogue::kNoCommand);
  EXPECT_TRUE(grid().IsEmpty());
  Select("Console Command");
  EXPECT_TRUE(grid().IsEmpty());
  Select("Exit(+++)");
  EXPECT_EQ(Labels(), (QStringList{"Exit(+++)"}));
  Select("Send Message");
  EXPECT_EQ(Labels(), (QStringList{"Send Message", "Data"}));
}

TEST_F(ConsolePaneTest, AlarmShowsSpinRowsAndTheWeekWithItsInitialSlots) {
  values_.Set(15, "99");
  values_.Set(31, "01");
  pane_.ShowTab(CommandTab::Advance);
  Select("ATALARM");
  EXPECT_EQ(Labels(), (QStringList{"ATALARM", "Hour", "Minute", "Week", "SUN", "MON", "TUE", "WEK",
                                   "THU", "FRI", "SAT"}));
  EXPECT_EQ(Row("Hour")->spec.maximum, 23);
  EXPECT_EQ(Row("Minute")->spec.maximum, 59);
  EXPECT_EQ(Slot(15), "0");
  EXPECT_EQ(Slot(16), "0");
  EXPECT_EQ(Slot(31), "7F");
  Edit(Row("Hour"), 7);
  EXPECT_EQ(Slot(15), "07");
  EXPECT_EQ(Row("Hour")->value, 7);  // a spin row keeps its number
  Edit(Row("SUN"), false);
  EXPECT_EQ(Slot(31), "3F");
  Edit(Row("SUN"), true);
  EXPECT_EQ(Slot(31), "7F");
}

TEST_F(ConsolePaneTest, ANodePickFillsTheNodeRowsOfTheCurrentCommand) {
  directory_.Add("12AB", "Lumanode");
  pane_.ShowTab(CommandTab::Advance);

  // Two "MAC address" rows: the pick fills the second; both positions carry slot 18.
  Select("ATSENDLINKKEY");
  GridRow* first = grid().model().TopRows().front()->children[0].get();
  GridRow* second = grid().model().TopRows().front()->children[1].get();
  ASSERT_EQ(first->spec.label, "MAC address");
  ASSERT_EQ(second->spec.label, "MAC address");
  Edit(second, "0123456789ABCDEF");
  EXPECT_EQ(Slot(18), "0123456789ABCDEF");
  Edit(first, "1");
  EXPECT_EQ(first->value, "0000000000000001");
  // The walk does not learn MAC addresses: the entry's is empty and wipes nothing typed.
  pane_.OnNodePicked("12AB");
  EXPECT_EQ(first->value, "0000000000000001");
  EXPECT_EQ(second->value, "0123456789ABCDEF");
  EXPECT_EQ(Slot(18), "0000000000000001");
  pane_.Send();
  EXPECT_EQ(sent_.back().rfind("ATSENDLINKKEY 0000000000000001 0000000000000001 ", 0), 0u);

  Select("ATFINDDEVICE");
  pane_.OnNodePicked("12ABxyz");
  EXPECT_EQ(Row("Devie Name")->value, "Lumanode");
  EXPECT_EQ(Slot(11), "Lumanode");
  Select("ATJOINP2P");
  pane_.OnNodePicked("12AB");
  EXPECT_EQ(Row("Network address")->value, "12AB");
  EXPECT_EQ(Slot(3), "12AB");
  // An unknown node changes nothing; a command without node rows neither.
  pane_.OnNodePicked("7777");
  EXPECT_EQ(Row("Network address")->value, "12AB");
  Select("ATINFO");
  pane_.OnNodePicked("12AB");
  EXPECT_EQ(Labels(), (QStringList{"ATINFO"}));

  // With the grid emptied by a tab switch the slot still follows, no row is touched.
  Select("ATEDREQ");
  pane_.ShowTab(CommandTab::Basic);
  values_.Set(2, "0000");
  pane_.OnNodePicked("12AB");
  EXPECT_EQ(Slot(2), "12AB");
  EXPECT_TRUE(grid().IsEmpty());
}

// A node's name in another code than UTF-8 shows one character per byte and goes out as the
// node gave it; letters typed beyond 7-bit ASCII are refused.
TEST_F(ConsolePaneTest, ANodesNameGoesOutByteForByte) {
  directory_.Add("12AC", "Caf\xE9");
  pane_.ShowTab(CommandTab::Advance);
  Select("ATFINDDEVICE");
  pane_.OnNodePicked("12AC");
  EXPECT_EQ(Row("Devie Name")->value, QString::fromUtf8("Caf\u00e9"));
  EXPECT_EQ(Slot(11), "Caf\xE9");
  guitest::ModalAnswerer answers;
  Edit(Row("Devie Name"), QString::fromUtf8("Caf\u00e9 2"));
  EXPECT_EQ(Slot(11), "Caf\xE9 2");
  Edit(Row("Devie Name"), QString::fromUtf8("K\u00fcche"));
  QCoreApplication::processEvents();
  EXPECT_EQ(Slot(11), "Caf\xE9 2");
  EXPECT_EQ(answers.seen(), QStringList{QString::fromUtf8(
                                "Devie Name :\n\"\u00fc\" is not a character the module takes "
                                "(7-bit ASCII)")});
  pane_.Send();
  EXPECT_EQ(sent_.back().rfind("ATFINDDEVICE Caf\xE9 2", 0), 0u);
}

TEST_F(ConsolePaneTest, TheTargetFieldShowsNullWhileRemoteIsOff) {
  // The document's network holds 2B02; a click on it picks it.
  document_.controller().listener().NetworkReady(
      testsupport::Snapshot({{"0000", "Coordinator", {"2B02"}}, {"2B02", "Node", {}}}));
  QCoreApplication::processEvents();  // the report is posted to the UI thread
  ASSERT_TRUE(document_.controller().PickNode(link::NodeKey("2B02")));
  EXPECT_EQ(pane_.targetField()->text(), "NULL");
  pane_.Action(res::kConsoleRemote)->trigger();
  EXPECT_TRUE(DocumentRemote());
  EXPECT_TRUE(pane_.Action(res::kConsoleRemote)->isChecked());
  EXPECT_EQ(pane_.targetField()->text(), "2B02");
  pane_.Action(res::kConsoleRemote)->trigger();
  EXPECT_FALSE(pane_.remote());
  EXPECT_FALSE(DocumentRemote());
  EXPECT_FALSE(pane_.Action(res::kConsoleRemote)->isChecked());
  EXPECT_EQ(pane_.targetField()->text(), "NULL");

  // Another document shows its own flag and target; back, this one's again.
  pane_.Action(res::kConsoleRemote)->trigger();
  pane_.Bind(&other_);
  EXPECT_FALSE(pane_.remote());
  EXPECT_EQ(pane_.targetField()->text(), "NULL");
  pane_.Bind(&document_);
  EXPECT_TRUE(pane_.remote());
  EXPECT_EQ(pane_.targetField()->text(), "2B02");
  // A refusal shows with the name, struck through, until the next answer.
  auto* field = static_cast<CTargetField*>(pane_.targetField());
  field->Set(true, "2B02", true);
  EXPECT_EQ(pane_.targetField()->text(), "2B02");
  EXPECT_TRUE(pane_.targetField()->font().strikeOut());
  EXPECT_FALSE(pane_.targetField()->accessibleDescription().isEmpty());
  field->Set(true, "2B02", false);
  EXPECT_FALSE(pane_.targetField()->font().strikeOut());
  EXPECT_TRUE(pane_.targetField()->accessibleDescription().isEmpty());
}

TEST_F(ConsolePaneTest, TheFilterLeavesTheMatchingCommands) {
  pane_.ShowTab(CommandTab::Advance);
  QTest::keyClicks(pane_.filterField(), "key");
  EXPECT_EQ(pane_.tree()->ShownTexts(),
            (QStringList{"Security", "ATSENDNWKKEY", "ATSENDLINKKEY", "ATSWITCHKEY", "ATREQUESTKEY",
                         "ATCLRNWKKEY", "ATCLRLINKKEY", "ATSETNWKKEY", "ATSETLINKKEY"}));
  // Help texts match too.
  pane_.filterField()->setText("energy");
  EXPECT_EQ(pane_.tree()->ShownTexts(), (QStringList{"Networking", "ATEDSCAN"}));
  pane_.filterField()->setText("cfg");
  EXPECT_TRUE(pane_.tree()->ShownTexts().isEmpty());
  pane_.ShowTab(CommandTab::Basic);  // a refilled tree keeps the filter
  EXPECT_TRUE(pane_.tree()->ShownTexts().isEmpty());
  pane_.filterField()->clear();
  EXPECT_EQ(pane_.tree()->ShownTexts().size(), 19);
}

// Typed values through the grid: what is stored, what the row shows, what is said.
TEST_F(ConsolePaneTest, ValueEntryThroughTheGrid) {
  struct Case {
    const char* command;
    const char* label;
    const char* typed;
    const char* shown;  // after the edit
    int kind;
    const char* slot;
    const char* message;  // empty: accepted
  };
  static const std::string kLongData(65, 'x');
  const Case cases[] = {
      {"ATIEEE", "Network Address", "1a", "001a", 2, "001a", ""},
      {"ATJOINP2P", "Network address", "12FF", "12FF", 3, "12FF", ""},
      {"ATJOINP2P", "Network address", "FFFF", "12FF", 3, "12FF",
       "Network address :\nPlease enter between 0 to FFFE (hex)"},
      {"ATPING", "Time Out", "FFFFFFFF", "FFFFFFFF", 29, "FFFFFFFF", ""},
      {"ATPING", "Time Out", "fffffffff", "FFFFFFFF", 29, "FFFFFFFF",
       "Time Out :\nLess than 8 word!!"},
      {"ATSETNWKKEY", "Key", "123456789ABCDEF0123456789ABCDEF", "0123456789ABCDEF0123456789ABCDEF",
       19, "0123456789ABCDEF0123456789ABCDEF", ""},
      {"ATSETNWKKEY", "Key", "G23", "0123456789ABCDEF0123456789ABCDEF", 19,
       "0123456789ABCDEF0123456789ABCDEF", "Please input 0 to 9 or A to F (a to f)"},
      {"ATADDGRP", "Endpoint", "FF", "", 12, "", "Endpoint :\nPlease enter between 0 to FE (hex)"},
      {"ATTXDATAB", "DATA length", "41", "", 7, "",
       "DATA length :\nPlease enter between 0 to 64 (hex)"},
      {"ATTXDATAU", "Acknowledgment", "01", "", 1, "", "Acknowledgment :\nLess than 1 word!!"},
      {"ATTXDATAU", "Data", kLongData.c_str(), "", 6, "", "Data :\nLess than 64 word!!"},
      {"ATDUMP", "Table Type", "NWK Key", "NWK Key", 8, "A", ""},
      {"ATPOWER", "Ouput Lv.", "16.3 dB", "16.3 dB", 22, "F", ""},
      {"ATSREG", "SREG Type", "Print Info", "Print Info", 28, "18", ""},
  };
  pane_.ShowTab(CommandTab::Advance);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.command) + " " + c.label + " " + c.typed);
    if (pane_.currentCommand() != catalogue::CommandByTreeText(c.command)) Select(c.command);
    guitest::ModalAnswerer answerer;
    Edit(Row(c.label), QString::fromStdString(c.typed));
    QCoreApplication::processEvents();  // the refusal is told once the edit is done
    EXPECT_EQ(Row(c.label)->value, c.shown);
    EXPECT_EQ(Slot(c.kind), c.slot);
    EXPECT_EQ(answerer.seen(), *c.message ? QStringList{c.message} : QStringList{});
  }
}

TEST_F(ConsolePaneTest, ARejectedEntryShowsTheMessageCaptionedWithTheApplicationTitle) {
  pane_.ShowTab(CommandTab::Advance);
  Select("ATADDGRP");
  QString caption;
  Edit(Row("Endpoint"), "FF");
  // Told once the edit is done, not from inside it.
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle();
    box->accept();
  });
  QCoreApplication::processEvents();
  EXPECT_EQ(caption, "Netloom");
}

TEST_F(ConsolePaneTest, SendComposesTheCurrentCommandAndKeepsTheLinesPerDocument) {
  Select("ATINFO");
  pane_.Send();
  pane_.ShowTab(CommandTab::Advance);
  Select("ATSREG");
  Edit(Row("SREG Type"), "Channel ID");
  pane_.Send();
  // The value typed into the "SREG" value row is sent as the value.
  Edit(Row("Data"), "0F");
  pane_.Send();
  EXPECT_EQ(Slot(6), "");  // the "Send Message" text is left alone
  Select("Exit(---)");
  pane_.Send();
  EXPECT_EQ(sent_, (std::vector<std::string>{"ATINFO\r", "ATSREG S6 \r", "ATSREG S6 0F\r", "---"}));
  EXPECT_EQ(pane_.History(), (QStringList{"---", "ATSREG S6 0F\r", "ATSREG S6 \r", "ATINFO\r"}));

  // Recalled lines go again and move to the front.
  pane_.Recall(3);
  EXPECT_EQ(sent_.back(), "ATINFO\r");
  EXPECT_EQ(pane_.History().front(), "ATINFO\r");
  emit pane_.historyButton()->menu()->aboutToShow();
  EXPECT_EQ(pane_.historyButton()->menu()->actions().size(), 4);

  // Another document has its own lines; nothing bound sends nothing.
  pane_.Bind(&other_);
  // A line the connection did not send (it said why) is no history.
  pane_.SetLineSink([](model::NetworkDocument&, const std::string&) { return false; });
  pane_.Send();
  EXPECT_TRUE(pane_.History().isEmpty());
  pane_.SetLineSink([this](model::NetworkDocument&, const std::string& line) {
    sent_.push_back(line);
    return true;
  });
  EXPECT_TRUE(pane_.History().isEmpty());
  pane_.Bind(nullptr);
  pane_.Send();
  EXPECT_EQ(sent_.size(), 5u);
  pane_.Bind(&document_);
  EXPECT_EQ(pane_.History().size(), 4);
}

TEST_F(ConsolePaneTest, EnterOnARowAndCtrlReturnWhileEditingSend) {
  pane_.ShowTab(CommandTab::Advance);
  Select("ATDUMP");
  QApplication::setActiveWindow(&pane_);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&pane_));
  grid().SetCurrentRow(Row("Table Type"));
  grid().view()->setFocus();
  QTest::keyClick(grid().view(), Qt::Key_Return);
  ASSERT_EQ(sent_, (std::vector<std::string>{"ATDUMP 1\r"}));

  Select("ATIEEE");
  grid().SetCurrentRow(Row("Network Address"));
  grid().view()->setFocus();
  QTest::keyClick(grid().view(), Qt::Key_F2);
  auto* editor = qobject_cast<QLineEdit*>(grid().OpenEditor());
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "2b");
  QTest::keyClick(editor, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(sent_.back(), "ATIEEE 002b\r");
}

TEST_F(ConsolePaneTest, RtcSendsItsArgumentAndRefusesAYearOutsideTheCentury) {
  Select("ATRTC");
  pane_.Send();
  Edit(Row("RTC Mode"), "Modify");
  Edit(Row("Date"), QDateTime(QDate(2009, 9, 29), QTime(0, 0)));
  Edit(Row("Time"), QDateTime(QDate(2000, 1, 1), QTime(13, 5, 7)));
  pane_.Send();
  Edit(Row("Date"), QDateTime(QDate(1999, 9, 29), QTime(0, 0)));
  guitest::ModalAnswerer answerer;
  pane_.Send();
  EXPECT_EQ(answerer.seen(), QStringList{"Year Error!\n(2000~2099)"});
  EXPECT_EQ(Slot(26), "9 9 29 13 5 7");
  // With "System Time" the clock is used whatever the date row holds.
  Edit(Row("System Time"), true);
  pane_.Send();
  ASSERT_EQ(sent_.size(), 3u);
  EXPECT_EQ(sent_[0], "ATRTC \r");
  EXPECT_EQ(sent_[1], "ATRTC 9 9 29 13 5 7\r");
  EXPECT_EQ(sent_[2].rfind("ATRTC " + std::to_string(QDate::currentDate().year() - 2000) + " ", 0),
            0u);
  // Back to "Display": the argument is empty again, "System Time" or not.
  Edit(Row("RTC Mode"), "Display");
  pane_.Send();
  EXPECT_EQ(sent_.back(), "ATRTC \r");
}

}  // namespace
}  // namespace netloom::panes
