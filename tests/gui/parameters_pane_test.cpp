// The Parameters pane: its grid from the defaults, value entry through real rows, and read,
// write, verify, profiles and edits kept per document through the main frame against a virtual
// module.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QDockWidget>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <map>

#include "core/catalogue/config_items.h"
#include "core/catalogue/config_profile.h"
#include "core/link/config/config_image.h"
#include "core/link/config/config_messages.h"
#include "core/link/serial/clock.h"
#include "gui/panes/console_view_bar.h"
#include "gui/panes/properties_view_bar.h"
#include "gui/res/resource_ids.h"
#include "gui/shell/document_tabs.h"
#include "gui/shell/main_frame.h"
#include "gui_test_support.h"
#include "support/temp_folder.h"

namespace netloom::panes {
namespace {

constexpr int kPanId = 14;
constexpr int kDeviceName = 38;

// Commits `value` into `row` as its editor (or its check box) does.
void Edit(PropertyGrid& grid, GridRow* row, const QVariant& value) {
  ASSERT_NE(row, nullptr);
  const QModelIndex index = grid.model().IndexOf(row, PropertyGridModel::kValueColumn);
  if (row->spec.kind == RowKind::Check)
    ASSERT_TRUE(grid.model().setData(index, value.toBool() ? Qt::Checked : Qt::Unchecked,
                                     Qt::CheckStateRole));
  else
    ASSERT_TRUE(grid.model().setData(index, value));
}

class ParametersPaneTest : public ::testing::Test {
 protected:
  ParametersPaneTest() {
    pane_.resize(320, 700);
    pane_.show();
  }
  GridRow* Row(const char* label) { return pane_.grid()->FindRow(QString::fromLatin1(label)); }
  QVariant Shown(const char* label) {
    GridRow* row = Row(label);
    return row ? row->value : QVariant();
  }

  CPropertiesViewBar pane_;
  catalogue::ConfigValueTable& values_ = pane_.values();  // the pane's own, with no document
};

TEST_F(ParametersPaneTest, CreationShowsTheDefaultsInEightCategoriesWithReadOnlyRowsGreyed) {
  QStringList groups;
  for (const auto& row : pane_.grid()->model().TopRows()) groups << row->spec.label;
  EXPECT_EQ(groups, (QStringList{"Application", "Power", "Security", "Network", "MAC", "PHY",
                                 "UART", "Private"}));
  EXPECT_EQ(pane_.grid()->RowCount(), 8 + 42 + 7);  // groups, item rows, day rows
  const std::vector<std::pair<const char*, QVariant>> shown = {
      {"Baudrate", "9600"},
      {"DeviceType", "EndDevice"},
      {"Channel", "0B"},
      {"SyncInterval", 60},
      {"MACAddr", "89ABCDEF01234567"},  // the default slot in the typed order, as after a read
      {"SecurityEnable", "Disable"},
      {"PanID", "9876"},
      {"AlarmHour", 0},
  };
  for (const auto& [label, value] : shown) EXPECT_EQ(Shown(label), value) << label;
  for (const char* greyed : {"NetworkKey", "PermitJoin", "FlowCtrl", "MyShortAddr", "Version"})
    EXPECT_FALSE(Row(greyed)->spec.enabled) << greyed;
  for (const char* editable : {"PanID", "MACAddr", "Device Name", "SUN"})
    EXPECT_TRUE(pane_.grid()->model().flags(
                    pane_.grid()->model().IndexOf(Row(editable), PropertyGridModel::kValueColumn)) &
                Qt::ItemIsEnabled)
        << editable;
  EXPECT_EQ(values_.Snapshot()[kPanId], "9876");
  EXPECT_FALSE(pane_.hasUnsavedEdits());
  EXPECT_EQ(pane_.targetField()->text(), "NULL");
  EXPECT_FALSE(pane_.targetField()->isEnabled());
  // Every control of the toolbar names itself.
  for (QAction* action : pane_.toolBar()->actions()) {
    if (action->isSeparator()) continue;
    QWidget* control = pane_.toolBar()->widgetForAction(action);
    ASSERT_NE(control, nullptr);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty());
  }
  EXPECT_EQ(pane_.profileButton()->accessibleName(), "Profile");
}

TEST_F(ParametersPaneTest, EntriesStoreByTheRulesAndRowsShowWhatIsHeld) {
  guitest::ModalAnswerer answers;
  struct Case {
    const char* label;
    QVariant typed;
    int item;
    std::string slot;
    QVariant shown;
  };
  const std::vector<Case> cases = {
      {"PanID", "1234", kPanId, "1234", "1234"},
      {"PanID", "12", kPanId, "1200", "1200"},
      {"PanID", "12G", kPanId, "1200", "1200"},  // refused: snaps back
      {"MACAddr", "0123456789ABCDEF", catalogue::kMacAddrItem, "89ABCDEF01234567",
       "0123456789ABCDEF"},
      {"SecurityEnable", "Trust Center", catalogue::kSecurityEnableItem, "81", "Trust Center"},
      {"AlarmHour", 7, 44, "07", 7},
      {"SyncInterval", 500, 32, "000001F4", 500},
      {"SUN", false, catalogue::kAlarmWeekItem, "3F", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Edit(*pane_.grid(), Row(c.label), c.typed);
    QCoreApplication::processEvents();  // the refusal is told once the edit is done
    EXPECT_EQ(values_.Get(c.item), c.slot);
    EXPECT_EQ(Shown(c.label), c.shown);
  }
  EXPECT_EQ(answers.seen(), QStringList{"Please input 0 to 9 or A to F (a to f)"});
  EXPECT_TRUE(pane_.hasUnsavedEdits());
  EXPECT_TRUE(Row("PanID")->Modified());  // bold

  // A refresh shows the typed order and "81" as "Trust Center".
  pane_.Rebuild();
  EXPECT_EQ(Shown("MACAddr"), "0123456789ABCDEF");
  EXPECT_EQ(Shown("SecurityEnable"), "Trust Center");
  EXPECT_EQ(Shown("SUN"), false);  // the held mask, not every day
  EXPECT_EQ(Shown("MON"), true);
  EXPECT_FALSE(pane_.hasUnsavedEdits());
}

TEST_F(ParametersPaneTest, RefreshShowsAnUnknownOptionAsItIsAndTheKeyAfterSecurityCameOn) {
  values_.Set(5, "3A");
  values_.SetKeyEditable("01");
  pane_.Rebuild();
  EXPECT_EQ(Shown("Baudrate"), "3A (unknown)");
  EXPECT_TRUE(Row("NetworkKey")->spec.enabled);
}

// Opening an editor on a value it cannot hold (an option the list lacks, a number outside the
// spin's range, no number at all) and leaving it untouched changes nothing; such values show
// as they are, marked.
TEST_F(ParametersPaneTest, AnEditorLeftUntouchedChangesAValueItCannotHoldInNoWay) {
  struct Case {
    const char* label;
    int item;
    const char* slot;
  };
  const std::vector<Case> cases = {{"Baudrate", 5, "3A"},
                                   {"AlarmMin", 43, "99"},
                                   {"AlarmHour", 44, "x7"},
                                   {"SyncInterval", 32, "FFFFFFFF"}};
  for (const Case& c : cases) values_.Set(c.item, c.slot);
  pane_.Rebuild();
  PropertyGrid& grid = *pane_.grid();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    GridRow* row = Row(c.label);
    const QModelIndex index = grid.model().IndexOf(row, PropertyGridModel::kValueColumn);
    const QString shown = QStringLiteral("%1 (unknown)").arg(c.slot);
    EXPECT_EQ(grid.model().data(index).toString(), shown);
    grid.SetCurrentRow(row);
    grid.view()->edit(index);
    ASSERT_NE(grid.OpenEditor(), nullptr);
    EXPECT_TRUE(grid.CommitEdit());  // left as Enter leaves it
    EXPECT_EQ(grid.OpenEditor(), nullptr);
    EXPECT_EQ(values_.Get(c.item), c.slot);
    EXPECT_EQ(grid.model().data(index).toString(), shown);
    EXPECT_FALSE(row->Modified());
  }
  // A value picked in the editor is an edit as ever.
  GridRow* minutes = Row("AlarmMin");
  grid.view()->edit(grid.model().IndexOf(minutes, PropertyGridModel::kValueColumn));
  auto* spin = qobject_cast<QSpinBox*>(grid.OpenEditor());
  ASSERT_NE(spin, nullptr);
  spin->setValue(5);
  EXPECT_TRUE(grid.CommitEdit());
  EXPECT_EQ(values_.Get(43), "05");
  EXPECT_TRUE(minutes->Modified());
}

// Text rows show a module's name byte for byte (each byte one character) and keep its bytes
// when edited around them; letters the user types beyond 7-bit ASCII are refused.
TEST_F(ParametersPaneTest, TextRowsKeepTheModulesBytesAndRefuseTypedLetters) {
  guitest::ModalAnswerer answers;
  values_.Set(kDeviceName, "Caf\xE9");  // Latin-1, no UTF-8
  pane_.Rebuild();
  EXPECT_EQ(Shown("Device Name"), QString::fromUtf8("Caf\u00e9"));
  Edit(*pane_.grid(), Row("Device Name"), QString::fromUtf8("Caf\u00e9-123456789AB"));
  EXPECT_EQ(values_.Get(kDeviceName), "Caf\xE9-123456789AB");  // sixteen bytes: within the width
  Edit(*pane_.grid(), Row("Device Name"), QString::fromUtf8("K\u00fcche"));
  QCoreApplication::processEvents();
  EXPECT_EQ(values_.Get(kDeviceName), "Caf\xE9-123456789AB");
  EXPECT_EQ(Shown("Device Name"), QString::fromUtf8("Caf\u00e9-123456789AB"));
  EXPECT_EQ(answers.seen(),
            QStringList{QString::fromUtf8(
                "Device Name :\n\"\u00fc\" is not a character the module takes (7-bit ASCII)")});
}

TEST_F(ParametersPaneTest, ReadAndWriteWithNoDocumentDoNothing) {
  guitest::ModalAnswerer answers;
  Edit(*pane_.grid(), Row("PanID"), "4321");
  pane_.Action(res::kParametersRead)->trigger();
  pane_.Action(res::kParametersWrite)->trigger();
  pane_.CompareWithModule();
  pane_.Action(res::kParametersRemote)->trigger();  // only the pane's flag changes
  QCoreApplication::processEvents();
  EXPECT_TRUE(answers.seen().isEmpty());
  EXPECT_EQ(values_.Get(kPanId), "4321");
  EXPECT_TRUE(pane_.remote());
  EXPECT_EQ(pane_.targetField()->text(), "NULL");
}

TEST_F(ParametersPaneTest, ProfileSavedLoadsIntoAFreshGridAndComparesEqual) {
  guitest::ModalAnswerer answers;
  Edit(*pane_.grid(), Row("PanID"), "4321");
  Edit(*pane_.grid(), Row("Device Name"), "Pump-7");
  Edit(*pane_.grid(), Row("SUN"), false);
  const testsupport::TempFolder folder;
  const std::string path = folder.File("profile.json");
  ASSERT_TRUE(pane_.SaveProfile(QString::fromStdString(path)));

  CPropertiesViewBar fresh;
  catalogue::ConfigValueTable& otherValues = fresh.values();
  ASSERT_TRUE(fresh.LoadProfile(QString::fromStdString(path)));
  EXPECT_EQ(otherValues.Snapshot(), values_.Snapshot());
  EXPECT_EQ(fresh.grid()->FindRow("Device Name")->value, "Pump-7");
  EXPECT_TRUE(fresh.grid()->FindRow("Device Name")->Modified());  // not in the module yet
  ASSERT_TRUE(fresh.CompareWithFile(QString::fromStdString(path)));
  EXPECT_TRUE(fresh.HighlightedItems().empty());

  fresh.LoadDefaults();
  ASSERT_TRUE(fresh.CompareWithFile(QString::fromStdString(path)));
  EXPECT_EQ(fresh.HighlightedItems(), (std::vector<int>{kPanId, kDeviceName, 45}));
  EXPECT_EQ(answers.seen().last(),
            "3 items differ from the profile: 14 PanID, 38 Device Name, 45 AlarmWeek");

  // A hand-edited file: what no row could hold is named, the rest is loaded.
  std::ofstream(path) << R"({"items":[{"index":14,"value":"5555"},{"index":5,"value":"77"}]})";
  ASSERT_TRUE(fresh.LoadProfile(QString::fromStdString(path)));
  EXPECT_EQ(otherValues.Get(kPanId), "5555");
  EXPECT_EQ(otherValues.Get(5), "04");
  EXPECT_EQ(answers.seen().last(),
            "1 of 2 items were not loaded and keep their values:\n5 Baudrate : \"77\" names no "
            "option");
  EXPECT_FALSE(fresh.LoadProfile(QStringLiteral("/nonexistent/profile.json")));
  EXPECT_EQ(answers.seen().last(), "cannot read '/nonexistent/profile.json'");
}

// The pane in the main frame, on a document whose port is a virtual module.
class ParametersTransferTest : public testsupport::VirtualModuleTest {
 protected:
  ParametersTransferTest() {
    settings_.clear();
    {
      guitest::ModalAnswerer cancelUart;
      child_ = frame_.OpenNetworkDocument();
    }
    model::ConnectionController& controller = child_->view()->controller();
    controller.SelectPort({"vmod", sim_.LinkPath(), "virtual module", false});
    controller.SetClock(clock_);
    frame_.show();
  }
  ~ParametersTransferTest() override {
    pane().Rebuild();  // no edits left to ask about
    frame_.CloseFrame(child_);
  }

  CPropertiesViewBar& pane() { return *frame_.parameters(); }
  model::ConnectionController& controller() { return child_->view()->controller(); }
  // The active document's configuration values.
  catalogue::ConfigValueTable& Values() { return child_->view()->model().configuration().values(); }
  static bool HasEdits(view::CChildFrame* frame) {
    return frame->view()->model().configuration().hasEdits();
  }
  QVariant Shown(const char* label) { return pane().grid()->FindRow(label)->value; }
  // Walks the network and picks `address` as the panes' target.
  void PickNode(const char* address) {
    controller().StartRefresh();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return controller().snapshot().nodeTable.count(link::NodeKey(address)) != 0; },
        guitest::kSlowMs));
    controller().StopRefresh();
    ASSERT_TRUE(controller().PickNode(link::NodeKey(address)));
  }

  // A second document, on no port, becomes the active one.
  view::CChildFrame* OpenOtherDocument() {
    guitest::ModalAnswerer cancelUart;
    return frame_.OpenNetworkDocument();
  }
  // Writes the grid and waits until the module has taken it ("Writing finished!" was shown).
  void WriteAndWait(const guitest::ModalAnswerer& answers) {
    pane().Action(res::kParametersWrite)->trigger();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return answers.seen().contains(QString::fromUtf8(link::kWritingFinished.data())); },
        guitest::kSlowMs))
        << answers.seen().join('|').toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !pane().hasUnsavedEdits(); }, guitest::kSlowMs));
  }
  // Reads the module into the grid and makes `edits` (row label -> value) on it.
  void ReadAndEdit(const std::map<QString, QVariant>& edits) {
    pane().Action(res::kParametersRead)->trigger();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Shown("Device Name") == "Coordinator"; }, guitest::kSlowMs));
    for (const auto& [label, value] : edits)
      Edit(*pane().grid(), pane().grid()->FindRow(label), value);
    ASSERT_TRUE(pane().hasUnsavedEdits());
  }

  QSettings settings_{QStringLiteral("netloom-tests"), QStringLiteral("parameters")};
  link::CompressedClock clock_{100};
  shell::CMainFrame frame_{settings_};
  view::CChildFrame* child_ = nullptr;
};

TEST_F(ParametersTransferTest, ReadFromANodeFillsTheGridWithThatNodesValues) {
  guitest::ModalAnswerer answers;
  PickNode("1A01");
  pane().Action(res::kParametersRemote)->trigger();
  EXPECT_TRUE(controller().parametersTarget().remote);
  EXPECT_EQ(pane().targetField()->text(), "1A01");
  pane().Action(res::kParametersRead)->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shown("MyShortAddr") == "1A01"; }, guitest::kSlowMs));
  EXPECT_EQ(Shown("DeviceType"), "Router");
  EXPECT_EQ(Values().Get(16), "1A01");
  EXPECT_TRUE(answers.seen().isEmpty()) << answers.seen().join('|').toStdString();
}

TEST_F(ParametersTransferTest, EditWriteAndReadBackRoundTrip) {
  guitest::ModalAnswerer answers;
  pane().Action(res::kParametersRead)->trigger();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return Shown("Device Name") == "Coordinator"; }, guitest::kSlowMs));
  Edit(*pane().grid(), pane().grid()->FindRow("PanID"), "4321");
  Edit(*pane().grid(), pane().grid()->FindRow("Device Name"), "Gui-1");
  WriteAndWait(answers);

  pane().LoadDefaults();
  EXPECT_EQ(Shown("PanID"), "9876");
  {
    guitest::ModalAnswerer discard;  // the question's default: Cancel keeps the edits
    pane().Action(res::kParametersRead)->trigger();
  }
  EXPECT_EQ(Shown("PanID"), "9876");
  pane().Rebuild();  // drop the edits
  pane().Action(res::kParametersRead)->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shown("PanID") == "4321"; }, guitest::kSlowMs));
  EXPECT_EQ(Shown("Device Name"), "Gui-1");
}

TEST_F(ParametersTransferTest, VerifyNamesTheItemTheModuleDidNotTake) {
  guitest::ModalAnswerer answers;
  sim_.Faults().Exchanges().SetWriteIgnoresItem(kPanId);
  pane().SetVerify(true);
  EXPECT_TRUE(settings_.value(CPropertiesViewBar::kVerifySetting).toBool());
  ReadAndEdit({{"PanID", "4321"}, {"DstAddr", "ABCD"}});  // from this module: no question
  pane().Action(res::kParametersWrite)->trigger();
  const QString expected =
      QStringLiteral("Verify: 1 item differs: 14 PanID (wrote \"4321\", read \"1234\")");
  ASSERT_TRUE(QTest::qWaitFor([&] { return answers.seen().contains(expected); }, guitest::kSlowMs))
      << answers.seen().join('|').toStdString();
  EXPECT_EQ(pane().HighlightedItems(), std::vector<int>{kPanId});
  EXPECT_EQ(Shown("DstAddr"), "ABCD");
  EXPECT_TRUE(child_->output()->edit()->toPlainText().contains(expected));
}

TEST_F(ParametersTransferTest, CompareWithTheModuleKeepsTheGridsValues) {
  guitest::ModalAnswerer answers;
  Edit(*pane().grid(), pane().grid()->FindRow("DstAddr"), "ABCD");
  pane().CompareWithModule();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !pane().HighlightedItems().empty(); }, guitest::kSlowMs));
  // The module holds the coordinator's own values: the grid's defaults differ from them too.
  const std::vector<int> differing = pane().HighlightedItems();
  EXPECT_NE(std::find(differing.begin(), differing.end(), 17), differing.end());
  EXPECT_EQ(Shown("DstAddr"), "ABCD");
  EXPECT_EQ(Values().Get(17), "ABCD");
  EXPECT_TRUE(pane().grid()->FindRow("DstAddr")->Modified());
}

TEST_F(ParametersTransferTest, ADocumentThatRefreshedInTheBackgroundGetsThePanesWhenActivated) {
  guitest::ModalAnswerer answers;
  CConsoleViewBar& console = *frame_.console();
  PickNode("1A01");
  console.Action(res::kConsoleRemote)->trigger();
  pane().Action(res::kParametersRemote)->trigger();
  pane().Action(res::kParametersRead)->trigger();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return Shown("Device Name") == "CCU-Hall"; }, guitest::kSlowMs));
  Edit(*pane().grid(), pane().grid()->FindRow("PanID"), "4321");
  view::CChildFrame* first = child_;
  child_ = OpenOtherDocument();
  EXPECT_EQ(Shown("PanID"), "9876");
  EXPECT_EQ(console.targetField()->text(), "NULL");

  // While the other document is shown, the first one starts its refresh cycle again.
  first->view()->controller().StartRefresh();
  ASSERT_EQ(first->view()->controller().state(), model::ConnectionState::Refreshing);
  frame_.tabs()->setCurrentWidget(first);
  std::swap(child_, first);
  EXPECT_EQ(Shown("Device Name"), "CCU-Hall");
  EXPECT_EQ(Shown("PanID"), "4321");
  EXPECT_TRUE(pane().grid()->FindRow("PanID")->Modified());
  EXPECT_EQ(console.targetField()->text(), "1A01");
  EXPECT_EQ(pane().targetField()->text(), "1A01");

  // Write sends this document's values to its node: read back, they are there.
  controller().StopRefresh();
  WriteAndWait(answers);
  pane().LoadDefaults();
  pane().Rebuild();  // drop the edits
  pane().Action(res::kParametersRead)->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shown("PanID") == "4321"; }, guitest::kSlowMs));
  EXPECT_EQ(Shown("Device Name"), "CCU-Hall");
  EXPECT_FALSE(answers.seen().join('|').contains("Nothing was read"));
}

TEST_F(ParametersTransferTest, WriteOfValuesNotReadFromItsTargetAsksAndDeclinedSendsNothing) {
  guitest::ModalAnswerer answers;  // the question's default: Cancel
  sim_.Faults().SetRecording(true);
  // Nothing read: the grid holds the defaults.
  Edit(*pane().grid(), pane().grid()->FindRow("PanID"), "4321");
  pane().Action(res::kParametersWrite)->trigger();
  ASSERT_EQ(answers.seen().size(), 1);
  EXPECT_EQ(answers.seen().back(),
            "Nothing was read from the local module on vmod: the grid holds the default values.\n"
            "Write them to the local module on vmod? Its own MACAddr and SerialNum are read first "
            "and kept unless you edited them.");
  EXPECT_FALSE(controller().portOpen());
  EXPECT_TRUE(sim_.Faults().Received().empty());

  // Read from one node, the other node picked.
  PickNode("1A01");
  pane().Action(res::kParametersRemote)->trigger();
  pane().Rebuild();  // drop the edit
  pane().Action(res::kParametersRead)->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shown("MyShortAddr") == "1A01"; }, guitest::kSlowMs));
  ASSERT_TRUE(controller().PickNode(link::NodeKey("2B02")));
  EXPECT_EQ(pane().targetField()->text(), "2B02");
  sim_.Faults().ClearReceived();
  pane().Action(res::kParametersWrite)->trigger();
  EXPECT_EQ(answers.seen().back(),
            "The values in the grid were read from node 1A01 on vmod, not from node 2B02 on vmod.\n"
            "Write them to node 2B02 on vmod? Its own MACAddr and SerialNum are read first and "
            "kept unless you edited them.");
  // A later request goes after any write asked for before it: none was.
  controller().SendConsoleCommand("ATINFO\r");
  const std::string received = guitest::ReceivedOnce(sim_.Faults(), "ATINFO\r");
  ASSERT_NE(received.find("ATINFO\r"), std::string::npos);
  EXPECT_EQ(received.find("ATCFG"), std::string::npos) << received;
}

TEST_F(ParametersTransferTest, AWriteKeepsTheModulesOwnMacAndSerialUnlessTheyWereEdited) {
  model::ConfigurationModel& configuration = child_->view()->model().configuration();
  // The module's own identity: its MAC address, and a serial number other than the default.
  const QVariant ownSerial = "0909000042";
  QVariant ownMac;
  {
    guitest::ModalAnswerer answers;
    ReadAndEdit({{"SerialNum", ownSerial}});
    ownMac = Shown("MACAddr");
    pane().Action(res::kParametersWrite)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !pane().hasUnsavedEdits(); }, guitest::kSlowMs));
  }
  catalogue::ConfigValueTable defaults;
  defaults.LoadDefaults();
  ASSERT_NE(Values().Get(catalogue::kMacAddrItem), defaults.Get(catalogue::kMacAddrItem));
  ASSERT_NE(Values().Get(49), defaults.Get(49));

  struct Case {
    QString panId;
    std::map<QString, QVariant> edits;
    QVariant mac, serial;
  };
  const std::vector<Case> cases = {
      {"4321", {}, ownMac, ownSerial},
      {"5555",
       {{"MACAddr", "1122334455667788"}, {"SerialNum", "0909000077"}},
       "1122334455667788",
       "0909000077"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.panId.toStdString());
    configuration.Reset();  // nothing read: the defaults
    Edit(*pane().grid(), pane().grid()->FindRow("PanID"), c.panId);
    for (const auto& [label, value] : c.edits)
      Edit(*pane().grid(), pane().grid()->FindRow(label), value);
    guitest::ModalAnswerer answers(QMessageBox::Yes);
    WriteAndWait(answers);
    EXPECT_TRUE(answers.seen().front().startsWith("Nothing was read"));

    configuration.Reset();
    pane().Action(res::kParametersRead)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shown("PanID") == c.panId; }, guitest::kSlowMs));
    EXPECT_EQ(Shown("MACAddr"), c.mac);
    EXPECT_EQ(Shown("SerialNum"), c.serial);
  }
}

TEST_F(ParametersTransferTest, EditsStayWithTheirDocumentWhileAnotherIsShown) {
  guitest::ModalAnswerer answers;
  const std::map<QString, QVariant> edits = {
      {"PanID", "4321"}, {"Device Name", "Gui-1"}, {"SUN", false}};
  ReadAndEdit(edits);
  view::CChildFrame* first = child_;
  child_ = OpenOtherDocument();

  // The other document shows its own values, unedited.
  catalogue::ConfigValueTable defaults;
  defaults.LoadDefaults();
  EXPECT_EQ(Values().Snapshot(), defaults.Snapshot());
  EXPECT_EQ(Shown("PanID"), QString::fromStdString(defaults.Get(kPanId)));
  EXPECT_FALSE(pane().hasUnsavedEdits());
  EXPECT_TRUE(HasEdits(first));

  // Back on the first: its module's values with the edits over them, bold.
  frame_.tabs()->setCurrentWidget(first);
  std::swap(child_, first);
  for (const auto& [label, value] : edits) {
    EXPECT_EQ(Shown(label.toLatin1().constData()), value) << label.toStdString();
    EXPECT_TRUE(pane().grid()->FindRow(label)->Modified()) << label.toStdString();
  }
  EXPECT_EQ(Shown("DeviceType"), "Coordinator");
  EXPECT_FALSE(pane().grid()->FindRow("DeviceType")->Modified());
  EXPECT_EQ(Values().Get(kPanId), "4321");
  EXPECT_EQ(Values().Get(45), "3F");
  EXPECT_TRUE(pane().hasUnsavedEdits());
  EXPECT_FALSE(HasEdits(first));

  // A read over them asks first, as before; the question's default keeps them.
  const qsizetype asked = answers.seen().size();
  pane().Action(res::kParametersRead)->trigger();
  ASSERT_EQ(answers.seen().size(), asked + 1);
  EXPECT_TRUE(answers.seen().back().startsWith("Some parameters were edited"));
  EXPECT_TRUE(pane().hasUnsavedEdits());

  // Write sends them: the module gives them back.
  pane().Action(res::kParametersWrite)->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !pane().hasUnsavedEdits(); }, guitest::kSlowMs));
  pane().LoadDefaults();
  pane().Rebuild();  // drop the edits
  pane().Action(res::kParametersRead)->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shown("PanID") == "4321"; }, guitest::kSlowMs));
  EXPECT_EQ(Shown("Device Name"), "Gui-1");
  EXPECT_EQ(Values().Get(45), "3F");
}

TEST_F(ParametersTransferTest, EditsKeptForADocumentGoWhenItIsWrittenOrClosed) {
  view::CChildFrame* first = child_;
  {
    guitest::ModalAnswerer answers;
    ReadAndEdit({{"DstAddr", "ABCD"}});
    child_ = OpenOtherDocument();
    ASSERT_TRUE(HasEdits(first));

    // Written: nothing is left to keep, and coming back shows the written values unedited.
    frame_.tabs()->setCurrentWidget(first);
    WriteAndWait(answers);
    frame_.tabs()->setCurrentWidget(child_);
    EXPECT_FALSE(HasEdits(first));
    frame_.tabs()->setCurrentWidget(first);
    EXPECT_EQ(Shown("DstAddr"), "ABCD");
    EXPECT_FALSE(pane().hasUnsavedEdits());
  }

  // Closed while another is shown: asked first, then its kept edits go with it.
  Edit(*pane().grid(), pane().grid()->FindRow("DstAddr"), "1234");
  frame_.tabs()->setCurrentWidget(child_);
  ASSERT_TRUE(HasEdits(first));
  {
    guitest::ModalAnswerer answers;  // the question's default: Cancel
    EXPECT_FALSE(frame_.CloseFrame(first));
    ASSERT_EQ(answers.seen().size(), 1);
    EXPECT_TRUE(answers.seen().front().startsWith("Some parameters were edited"));
  }
  EXPECT_TRUE(HasEdits(first));
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    box->button(QMessageBox::Discard)->click();
  });
  EXPECT_TRUE(frame_.CloseFrame(first));
  EXPECT_FALSE(frame_.Frames().contains(first));
}

TEST_F(ParametersTransferTest, ClosingTheWindowOverEditsKeptForAnotherDocumentAsksFirst) {
  Edit(*pane().grid(), pane().grid()->FindRow("DstAddr"), "ABCD");
  view::CChildFrame* first = child_;
  child_ = OpenOtherDocument();
  {
    guitest::ModalAnswerer answers;  // the question's default: Cancel
    EXPECT_FALSE(frame_.close());
    ASSERT_EQ(answers.seen().size(), 1);
    EXPECT_TRUE(answers.seen().front().startsWith("Some parameters were edited"));
  }
  EXPECT_EQ(frame_.Frames().size(), 2);
  EXPECT_TRUE(HasEdits(first));
}

TEST_F(ParametersTransferTest, ClosingTheDocumentOverEditsAsksFirst) {
  Edit(*pane().grid(), pane().grid()->FindRow("DstAddr"), "ABCD");
  {
    guitest::ModalAnswerer answers;  // the question's default: Cancel
    EXPECT_FALSE(frame_.CloseFrame(child_));
    ASSERT_EQ(answers.seen().size(), 1);
    EXPECT_TRUE(answers.seen().front().startsWith("Some parameters were edited"));
  }
  EXPECT_EQ(frame_.Frames().size(), 1);
  EXPECT_EQ(Values().Get(17), "ABCD");
}

// A refused entry in an open editor stops the write: the module gets nothing, neither the
// refused text nor the value it failed to replace.
TEST_F(ParametersTransferTest, ARefusedEntryInAnOpenEditorStopsTheWrite) {
  guitest::ModalAnswerer answers;
  ReadAndEdit({{"PanID", "4321"}});
  sim_.Faults().SetRecording(true);
  PropertyGrid& grid = *pane().grid();
  GridRow* mac = grid.FindRow("MACAddr");
  const QVariant before = mac->value;
  grid.SetCurrentRow(mac);
  grid.view()->edit(grid.model().IndexOf(mac, PropertyGridModel::kValueColumn));
  auto* editor = qobject_cast<QLineEdit*>(grid.OpenEditor());
  ASSERT_NE(editor, nullptr);
  editor->setText("12G4");
  pane().Action(res::kParametersWrite)->trigger();
  EXPECT_EQ(answers.seen().last(), "Please input 0 to 9 or A to F (a to f)");
  EXPECT_EQ(mac->value, before);
  EXPECT_TRUE(pane().hasUnsavedEdits());  // PanID was not written

  // A write handed over would reach the module before this line (the worker takes the lower
  // command code first): only the line comes.
  sim_.Faults().ClearReceived();
  controller().SendConsoleCommand("ATINFO\r");
  const std::string received = guitest::ReceivedOnce(sim_.Faults(), "ATINFO\r");
  ASSERT_NE(received.find("ATINFO\r"), std::string::npos) << received;
  EXPECT_EQ(received.find("ATCFGWRITE"), std::string::npos) << received;
  EXPECT_TRUE(pane().hasUnsavedEdits());
}

// One profile loaded into two modules gives each the settings and leaves each its own identity;
// the items left out are named once.
TEST_F(ParametersTransferTest, AProfileLoadedIntoTwoModulesLeavesEachItsOwnIdentity) {
  guitest::ModalAnswerer answers;
  catalogue::ConfigValueTable saved;
  saved.LoadDefaults();
  saved.Set(catalogue::kMacAddrItem, "2222222211111111");
  saved.Set(49, "0909000099");  // SerialNum
  saved.Set(kPanId, "5555");
  const testsupport::TempFolder folder;
  const std::string path = folder.File("profile.json");
  std::string error;
  ASSERT_TRUE(catalogue::WriteProfileFile(path, saved.Snapshot(), error)) << error;

  struct Module {
    const char* node;  // nullptr: the local module
    const char* shortAddress;
  };
  for (const Module& module : {Module{nullptr, "0000"}, Module{"1A01", "1A01"}}) {
    SCOPED_TRACE(module.shortAddress);
    if (module.node) {
      PickNode(module.node);
      pane().Action(res::kParametersRemote)->trigger();
    }
    const auto readModule = [&](const char* panId) {
      pane().LoadDefaults();
      pane().Rebuild();  // no edits to ask about; the defaults' PanID is no module's
      pane().Action(res::kParametersRead)->trigger();
      return QTest::qWaitFor(
          [&] { return Shown("MyShortAddr") == module.shortAddress && Shown("PanID") == panId; },
          guitest::kSlowMs);
    };
    ASSERT_TRUE(readModule("1234"));
    const std::vector<std::string> own = Values().Snapshot();
    ASSERT_NE(own[catalogue::kMacAddrItem], "2222222211111111");

    ASSERT_TRUE(pane().LoadProfile(QString::fromStdString(path)));
    const QString told = answers.seen().last();
    EXPECT_TRUE(told.contains("10 MACAddr")) << told.toStdString();
    EXPECT_TRUE(told.contains("49 SerialNum")) << told.toStdString();
    EXPECT_EQ(told.count("MACAddr"), 1) << told.toStdString();
    EXPECT_EQ(Values().Get(kPanId), "5555");

    pane().Action(res::kParametersWrite)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !pane().hasUnsavedEdits(); }, guitest::kSlowMs));
    ASSERT_TRUE(readModule("5555"));
    for (int item : {catalogue::kMacAddrItem, 15, 16, 22, 49})
      EXPECT_EQ(Values().Get(item), own[static_cast<std::size_t>(item)]) << item;
  }
}

}  // namespace
}  // namespace netloom::panes
