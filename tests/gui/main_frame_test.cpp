#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDockWidget>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "gui/panes/output_view.h"
#include "gui/res/resource_ids.h"
#include "gui/shell/application_look.h"
#include "gui/shell/document_tabs.h"
#include "gui/shell/lock_indicators.h"
#include "gui/shell/main_frame.h"
#include "gui/view/child_frame.h"
#include "gui/view/netloom_view.h"
#include "gui/view/topology_diagram.h"
#include "gui_test_support.h"

namespace netloom::shell {
namespace {

using namespace netloom::res;

class MainFrameTest : public ::testing::Test {
 protected:
  MainFrameTest() { settings_.clear(); }
  QSettings settings_{kSettingsOrganisation, kSettingsApplication};
};

QStringList MenuTitles(QMenuBar* bar) {
  QStringList titles;
  for (QAction* action : bar->actions()) titles << action->text();
  return titles;
}

TEST_F(MainFrameTest, FirstStartHasTheVisualStudioLookAndItPersists) {
  {
    CMainFrame frame(settings_);
    EXPECT_EQ(frame.applicationLook(), 214);
    EXPECT_TRUE(frame.Action(214)->isChecked());
    frame.Action(217)->trigger();  // Office 2007 Silver
  }
  CMainFrame restarted(settings_);
  EXPECT_EQ(restarted.applicationLook(), 217);
  EXPECT_TRUE(restarted.Action(217)->isChecked());
  EXPECT_EQ(QApplication::palette().color(QPalette::Window),
            LookPalette(217).color(QPalette::Window));
}

TEST_F(MainFrameTest, UnknownLookValueGivesOffice2007) {
  settings_.setValue(kLookValueName, 999);
  CMainFrame frame(settings_);
  EXPECT_EQ(DescribeLook(frame.applicationLook()).family, LookFamily::Office2007);
  EXPECT_EQ(QApplication::palette().color(QPalette::Window),
            LookPalette(215).color(QPalette::Window));
}

TEST_F(MainFrameTest, LooksAreDistinct) {
  QSet<QRgb> windows;
  for (int id = 210; id <= 218; ++id) windows.insert(LookPalette(id).color(QPalette::Window).rgb());
  EXPECT_EQ(windows.size(), 9);
}

TEST_F(MainFrameTest, MenusToolbarsPanesAndStatusBar) {
  CMainFrame frame(settings_);
  EXPECT_EQ(MenuTitles(frame.menuBar()), (QStringList{"&File", "&View", "&Help"}));
  const auto toolBar = [&](int id) { return frame.ToolBar(id)->windowTitle(); };
  EXPECT_EQ(toolBar(kStandardToolBar), QStringLiteral("Standard"));
  EXPECT_EQ(toolBar(kSetupToolBar), QStringLiteral("Setup"));
  EXPECT_EQ(toolBar(kDiagramToolBar), QStringLiteral("Diagram Tool Bar"));
  EXPECT_EQ(frame.refreshTimeBox()->minimum(), 5);
  EXPECT_EQ(frame.refreshTimeBox()->maximum(), 60);
  EXPECT_EQ(frame.refreshTimeBox()->text(), QStringLiteral("5"));
  EXPECT_EQ(frame.Pane(kViewParameters)->windowTitle(), QStringLiteral("Parameters"));
  EXPECT_EQ(frame.Pane(kViewConsole)->windowTitle(), QStringLiteral("AT Console"));
  EXPECT_EQ(frame.Pane(kViewGadgetTool)->windowTitle(), QStringLiteral("Gadget Tool"));
  EXPECT_EQ(frame.tabifiedDockWidgets(frame.Pane(kViewConsole)),
            QList<QDockWidget*>{frame.Pane(kViewParameters)});
  EXPECT_EQ(frame.Action(kRun)->statusTip(), QStringLiteral("Run to Draw Node"));
  EXPECT_EQ(frame.Action(kRun)->toolTip(), QStringLiteral("Run"));
  EXPECT_EQ(frame.Action(kEditCopy)->shortcuts(),
            (QList<QKeySequence>{QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}));
  EXPECT_FALSE(frame.Action(kRun)->isEnabled());  // no document
  EXPECT_FALSE(frame.Action(kViewSmartLed)->isEnabled());
}

TEST_F(MainFrameTest, ViewTogglesHideAndShowPanesWithCheckMarks) {
  CMainFrame frame(settings_);
  frame.show();
  QAction* toggle = frame.Action(kViewParameters);
  EXPECT_TRUE(toggle->isChecked());
  toggle->trigger();
  EXPECT_TRUE(frame.Pane(kViewParameters)->isHidden());
  EXPECT_FALSE(toggle->isChecked());
  toggle->trigger();
  EXPECT_FALSE(frame.Pane(kViewParameters)->isHidden());
  EXPECT_TRUE(toggle->isChecked());
}

TEST_F(MainFrameTest, ResetToolbarRestoresTheRefreshTimeSpinBox) {
  CMainFrame frame(settings_);
  frame.refreshTimeBox()->setValue(42);
  frame.ResetToolbar(frame.ToolBar(kDiagramToolBar));
  EXPECT_EQ(frame.refreshTimeBox()->value(), 5);
}

TEST_F(MainFrameTest, UntickingAToolbarButtonLeavesTheMenuItem) {
  CMainFrame frame(settings_);
  frame.show();
  QTimer::singleShot(0, &frame, [] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* bars = dialog->findChild<QListWidget*>(QStringLiteral("customizeBars"));
    auto* buttons = dialog->findChild<QListWidget*>(QStringLiteral("customizeButtons"));
    ASSERT_TRUE(bars && buttons);
    bars->setCurrentRow(
        bars->row(bars->findItems(QStringLiteral("Diagram Tool Bar"), Qt::MatchExactly).value(0)));
    const auto run = buttons->findItems(QStringLiteral("Run"), Qt::MatchExactly);
    ASSERT_EQ(run.size(), 1);
    run[0]->setCheckState(Qt::Unchecked);
    dialog->accept();
  });
  frame.ShowCustomizeDialog();
  QToolBar* diagram = frame.ToolBar(kDiagramToolBar);
  QAction* runButton = nullptr;
  for (QAction* button : diagram->actions())
    if (button->data().toInt() == kRun) runButton = button;
  ASSERT_NE(runButton, nullptr);
  EXPECT_FALSE(runButton->isVisible());
  EXPECT_TRUE(frame.Action(kRun)->isVisible());  // the Diagram menu keeps its Run
  frame.ResetToolbar(diagram);
  for (QAction* button : diagram->actions()) {
    if (button->data().toInt() == kRun) {
      EXPECT_TRUE(button->isVisible());
    }
  }
}

TEST_F(MainFrameTest, ResettingAToolbarTwiceLeaksNothing) {
  CMainFrame frame(settings_);
  frame.show();
  for (int id : {kStandardToolBar, kSetupToolBar, kDiagramToolBar}) {
    QToolBar* bar = frame.ToolBar(id);
    frame.ResetToolbar(bar);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto children = bar->findChildren<QObject*>().size();
    frame.ResetToolbar(bar);
    frame.ResetToolbar(bar);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(bar->findChildren<QObject*>().size(), children) << id;
  }
}

class MainFrameDocumentsTest : public testsupport::VirtualModuleTest {
 protected:
  MainFrameDocumentsTest() { settings_.clear(); }
  QSettings settings_{kSettingsOrganisation, kSettingsApplication};
};

TEST_F(MainFrameDocumentsTest, DocumentsAsColouredTabsAndTheRememberedDocument) {
  CMainFrame frame(settings_);
  frame.show();
  guitest::ModalAnswerer answers;  // UART dialogs of new documents: Cancel
  frame.NewNetworkDocument();
  frame.NewNetworkDocument();  // activates the remembered one
  EXPECT_EQ(frame.Frames().size(), 1);
  EXPECT_EQ(MenuTitles(frame.menuBar()),
            (QStringList{"&File", "&Edit", "&View", "&Window", "&Setup", "Diagram", "&Help"}));
  frame.OnFileNew();
  ASSERT_EQ(frame.Frames().size(), 2);
  auto* bar = frame.tabs()->colouredTabBar();
  QCoreApplication::processEvents();
  EXPECT_EQ(bar->TabBackground(1), QColor(255, 0, 0));
  EXPECT_EQ(bar->TabBackground(0), QColor(0, 255, 0));
  frame.tabs()->setCurrentIndex(0);
  QCoreApplication::processEvents();
  EXPECT_EQ(bar->TabBackground(0), QColor(255, 0, 0));
  EXPECT_EQ(bar->TabBackground(1), QColor(0, 255, 0));
  EXPECT_TRUE(frame.Action(kRun)->isEnabled());
  EXPECT_TRUE(frame.Action(kCircle)->isChecked());
  EXPECT_FALSE(frame.portInfoPane()->text().isEmpty());
}

TEST_F(MainFrameDocumentsTest, PortStartRunsAndClosingDisconnects) {
  CMainFrame frame(settings_);
  DocumentStart start{DocumentStart::Kind::Port, sim_.LinkPath()};
  view::CChildFrame* child = frame.OpenNetworkDocument(start);
  EXPECT_TRUE(child->view()->controller().portOpen());
  EXPECT_TRUE(child->view()->controller().autoRefresh());
  EXPECT_FALSE(frame.Action(kRun)->isEnabled());
  EXPECT_TRUE(frame.Action(kStop)->isEnabled());
  EXPECT_TRUE(frame.windowTitle().endsWith(QStringLiteral("*")));
  EXPECT_TRUE(frame.CloseFrame(child));
  EXPECT_TRUE(frame.Frames().isEmpty());
  EXPECT_NE(link::OpenPort(sim_.LinkPath()).port, nullptr);
}

TEST_F(MainFrameDocumentsTest, RefreshTimeSetsTheActiveDocumentsPeriod) {
  CMainFrame frame(settings_);
  view::CChildFrame* first =
      frame.OpenNetworkDocument({DocumentStart::Kind::Port, sim_.LinkPath()});
  QSpinBox* box = frame.refreshTimeBox();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isEnabled());
  EXPECT_EQ(box->value(), 5);
  box->setValue(10);
  EXPECT_EQ(first->view()->controller().refreshSeconds(), 10);
  // The menu item asks for the period.
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
      dialog->setIntValue(20);
      dialog->accept();
    }
  });
  answer.start(20);
  frame.Action(kRefreshTime)->trigger();
  QCoreApplication::processEvents();  // the command is posted to the view
  answer.stop();
  EXPECT_EQ(first->view()->controller().refreshSeconds(), 20);
  EXPECT_EQ(box->value(), 20);
  {
    guitest::ModalAnswerer answers;  // the UART dialog of the new document: Cancel
    frame.OnFileNew();
  }
  ASSERT_EQ(frame.Frames().size(), 2);
  EXPECT_EQ(box->value(), 5);  // the box shows the active document's period
  frame.tabs()->setCurrentIndex(0);
  QCoreApplication::processEvents();
  EXPECT_EQ(box->value(), 20);
}

TEST_F(MainFrameDocumentsTest, PasteIsEnabledWhileTheOutputPaneHasTheFocusAndTextIsThere) {
  CMainFrame frame(settings_);
  view::CChildFrame* child =
      frame.OpenNetworkDocument({DocumentStart::Kind::Port, sim_.LinkPath()});
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
  QApplication::clipboard()->setText(QStringLiteral("ATINFO\r"));
  child->output()->edit()->setFocus();
  QCoreApplication::processEvents();
  EXPECT_TRUE(frame.Action(kEditPaste)->isEnabled());
  QApplication::clipboard()->clear();
  EXPECT_FALSE(frame.Action(kEditPaste)->isEnabled());
  QApplication::clipboard()->setText(QStringLiteral("ATINFO\r"));
  EXPECT_TRUE(frame.Action(kEditPaste)->isEnabled());
  child->view()->diagram()->setFocus();
  QCoreApplication::processEvents();
  EXPECT_FALSE(frame.Action(kEditPaste)->isEnabled());
}

TEST_F(MainFrameDocumentsTest, ASecondWindowShowsItsOwnConnectionInItsTab) {
  CMainFrame frame(settings_);
  view::CChildFrame* first =
      frame.OpenNetworkDocument({DocumentStart::Kind::Port, sim_.LinkPath()});
  {
    guitest::ModalAnswerer answers;  // the new window's UART dialog: Cancel, nothing opened
    frame.NewWindow();
  }
  ASSERT_EQ(frame.Frames().size(), 2);
  auto tab = [&](int index) { return frame.tabs()->tabText(index); };
  EXPECT_EQ(tab(0), first->view()->title() + QStringLiteral(":1"));
  EXPECT_TRUE(tab(0).endsWith(QStringLiteral("*:1")));  // still connected
  EXPECT_FALSE(tab(1).contains(QLatin1Char('*')));      // never connected
  EXPECT_TRUE(frame.windowTitle().endsWith(tab(1)));
  first->view()->controller().Disconnect();
  EXPECT_FALSE(tab(0).contains(QLatin1Char('*')));
  frame.tabs()->setCurrentIndex(0);
  QCoreApplication::processEvents();
  EXPECT_TRUE(frame.windowTitle().endsWith(tab(0)));
}

TEST_F(MainFrameDocumentsTest, SavingCommandsNeedADocument) {
  CMainFrame frame(settings_);
  const int saving[] = {kFileSave, kFileSaveAs, kFileSaveLog, kViewHex};
  for (int id : saving) EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
  frame.OpenNetworkDocument({DocumentStart::Kind::Port, sim_.LinkPath()});
  for (int id : saving) EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;
  EXPECT_TRUE(frame.Action(kFileOpen)->isEnabled());
}

TEST(LockIndicatorsTest, EachShowsItsTextWhileItsLockIsOnAndAllHideWithoutADisplay) {
  QStatusBar bar;
  std::optional<LockState> state = LockState{true, false, true};
  LockIndicators indicators(bar, [&] { return state; });
  auto texts = [&] {
    QStringList shown;
    for (QLabel* label : indicators.labels()) shown << label->text();
    return shown;
  };
  EXPECT_EQ(texts(), (QStringList{"CAP", "", "SCRL"}));
  EXPECT_EQ(indicators.labels()[1]->accessibleName(), QStringLiteral("Num Lock"));
  state = LockState{false, true, false};
  QKeyEvent key(QEvent::KeyPress, Qt::Key_NumLock, Qt::NoModifier);
  QApplication::sendEvent(&bar, &key);
  QCoreApplication::processEvents();  // read after the key
  EXPECT_EQ(texts(), (QStringList{"", "NUM", ""}));
  state.reset();
  indicators.Refresh();
  for (QLabel* label : indicators.labels()) EXPECT_TRUE(label->isHidden());
}

}  // namespace
}  // namespace netloom::shell
