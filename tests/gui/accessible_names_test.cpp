// Every control a user can reach, in every window and dialog of the desktop program, carries an
// accessible name: what a screen reader says for it and what UI automation finds it by.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QHeaderView>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/link/serial/clock.h"
#include "gui/gadget/gadget_tool.h"
#include "gui/res/resource_ids.h"
#include "gui/shell/about_dlg.h"
#include "gui/shell/application_look.h"
#include "gui/shell/document_tabs.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/windows_dialog.h"
#include "gui/tools/com_setting.h"
#include "gui/tools/upgrade_dialog.h"
#include "gui/tools/wizard_sheet.h"
#include "gui_test_support.h"
#include "support/temp_folder.h"

namespace netloom::guitest {
namespace {

using namespace netloom::res;

// The editor inside a spin box or an editable combo box, the viewport of a scrolling control
// and the header of a table are parts of that control and named with it.
bool PartOfAControl(const QWidget* widget) {
  const QWidget* parent = widget->parentWidget();
  const auto* area = qobject_cast<const QAbstractScrollArea*>(parent);
  return qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QComboBox*>(parent) ||
         (area && area->viewport() == widget) ||
         (qobject_cast<const QHeaderView*>(widget) &&
          qobject_cast<const QAbstractItemView*>(parent));
}

// A control a user can reach in `window`: shown, and taking the keyboard focus or clicks.
bool Reachable(const QWidget* widget, const QWidget* window) {
  if (!widget->isVisibleTo(window) || PartOfAControl(widget)) return false;
  return widget->focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton*>(widget) ||
         qobject_cast<const QAbstractItemView*>(widget);
}

QString Describe(const QWidget* widget) {
  QString path;
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    const QString name = w->objectName().isEmpty() ? QString() : u'#' + w->objectName();
    path = QString::fromLatin1(w->metaObject()->className()) + name +
           (path.isEmpty() ? QString() : QStringLiteral(" > ") + path);
    if (w->isWindow()) break;
  }
  return path;
}

// The reachable controls of `window` (and of the windows it owns) as shown now that have no
// accessible name.
QStringList UnnamedAsShown(QWidget* window) {
  QCoreApplication::processEvents();
  QStringList unnamed;
  const auto widgets = window->findChildren<QWidget*>();
  for (QWidget* widget : widgets) {
    if (!Reachable(widget, widget->window()) || !widget->window()->isVisible()) continue;
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
    const QString name = control ? control->text(QAccessible::Name).trimmed() : QString();
    if (name.isEmpty()) unnamed << Describe(widget);
  }
  return unnamed;
}

// The same, with every page of every tab widget of `window` shown in turn.
QStringList Unnamed(QWidget* window) {
  QStringList unnamed = UnnamedAsShown(window);
  for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
    const int shown = tabs->currentIndex();
    for (int i = 0; i < tabs->count(); ++i) {
      tabs->setCurrentIndex(i);
      unnamed << UnnamedAsShown(window);
    }
    tabs->setCurrentIndex(shown);
  }
  unnamed.removeDuplicates();
  return unnamed;
}

// Opens a modal dialog with `open`, and returns what Unnamed says of it before closing it.
QStringList UnnamedInModal(const std::function<void()>& open) {
  QStringList unnamed{QStringLiteral("(no dialog opened)")};
  QTimer look;
  look.setInterval(20);
  QObject::connect(&look, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    look.stop();
    unnamed = Unnamed(dialog);
    dialog->reject();
  });
  look.start();
  open();
  return unnamed;
}

class AccessibleNamesTest : public testsupport::VirtualModuleTest {
 protected:
  AccessibleNamesTest() {
    settings_.clear();
    frame_.resize(1024, 768);
    frame_.show();
    document_ = frame_.OpenNetworkDocument({DocumentStart::Kind::Port, sim_.LinkPath()});
    (void)QTest::qWaitForWindowExposed(&frame_);
  }
  using DocumentStart = shell::DocumentStart;

  // The main frame with each of its panes brought to the front in turn (two share a tab).
  QStringList MainFrame() {
    QStringList unnamed;
    for (int pane : {kViewConsole, kViewParameters, kViewGadgetTool}) {
      frame_.Pane(pane)->show();
      frame_.Pane(pane)->raise();
      unnamed << Unnamed(&frame_);
    }
    unnamed.removeDuplicates();
    return unnamed;
  }

  QStringList WizardPages() {
    // A document of its own on a module of its own, not refreshing, its pauses compressed.
    testsupport::ScopedVirtualModule module;
    NetworkFrame net(module.LinkPath());
    net.view().controller().SetClock(clock_);
    ModalAnswerer answers;
    net.frame->OnCommand(kWizard);
    QCoreApplication::processEvents();
    auto* sheet = qobject_cast<tools::CWizardSheet*>(net.view().wizardWindow());
    if (!sheet) return {QStringLiteral("(no wizard opened)")};
    QStringList unnamed;
    for (int page : {tools::CWizardSheet::kWelcomePage, tools::CWizardSheet::kTypePage,
                     tools::CWizardSheet::kParameterPage, tools::CWizardSheet::kFinishPage}) {
      if (sheet->currentId() != page)
        return unnamed << QStringLiteral("(page %1 not reached)").arg(page);
      for (const QString& control : Unnamed(sheet))
        unnamed << QStringLiteral("page %1: %2").arg(page).arg(control);
      if (page != tools::CWizardSheet::kFinishPage) sheet->button(QWizard::NextButton)->click();
    }
    sheet->close();
    return unnamed;
  }

  QSettings settings_{shell::kSettingsOrganisation, shell::kSettingsApplication};
  shell::CMainFrame frame_{settings_};
  view::CChildFrame* document_ = nullptr;
  link::CompressedClock clock_{100};
};

TEST_F(AccessibleNamesTest, EveryReachableControlOfEveryWindowHasAName) {
  ASSERT_NE(document_, nullptr);
  const struct {
    const char* window;
    std::function<QStringList()> unnamed;
  } windows[] = {
      {"main frame with a document and its panes", [&] { return MainFrame(); }},
      {"document with its output pane in hex",
       [&] {
         document_->output()->SetHexShown(true);
         const QStringList unnamed = Unnamed(&frame_);
         document_->output()->SetHexShown(false);
         return unnamed;
       }},
      {"session log opened from its file",
       [&] {
         const testsupport::TempFolder folder;
         const std::string log = folder.Write(
             "s.log", "# netloom session log 1\n2026-12-11T08:01:51.123Z > 41 54 0D  AT.\n");
         if (!frame_.OpenFile(QString::fromStdString(log))) return QStringList{"(not opened)"};
         const QStringList unnamed = Unnamed(&frame_);
         frame_.CloseFrame(frame_.tabs()->currentWidget());
         return unnamed;
       }},
      {"UART dialog",
       [&] {
         link::UartSettings record;
         model::PortChoice port;
         tools::CComSetting dialog(record, port,
                                   {{"vmod", sim_.LinkPath(), "virtual module", false}});
         dialog.show();
         return Unnamed(&dialog);
       }},
      {"setup wizard, every page", [&] { return WizardPages(); }},
      {"upgrade dialog",
       [&] {
         tools::CUpgradeDialog dialog({}, {"vmod", sim_.LinkPath(), "virtual module", false});
         dialog.show();
         return Unnamed(&dialog);
       }},
      {"Customize", [&] { return UnnamedInModal([&] { frame_.ShowCustomizeDialog(); }); }},
      {"Windows", [&] { return UnnamedInModal([&] { frame_.ShowWindowsDialog(); }); }},
      {"About", [&] { return UnnamedInModal([&] { frame_.Action(kAppAbout)->trigger(); }); }},
      {"Refresh Time",
       [&] {
         return UnnamedInModal([&] {
           frame_.Action(kRefreshTime)->trigger();
           QCoreApplication::processEvents();  // the command is posted to the view
         });
       }},
  };
  for (const auto& w : windows) {
    const QStringList unnamed = w.unnamed();
    EXPECT_TRUE(unnamed.isEmpty()) << w.window << ":\n  " << unnamed.join("\n  ").toStdString();
  }
}

TEST_F(AccessibleNamesTest, TabReachesAGadgetAndCtrlCCopiesItsName) {
  auto* tool = qobject_cast<gadget::CGadgetTool*>(frame_.Pane(kViewGadgetTool)->widget());
  ASSERT_NE(tool, nullptr);
  frame_.Pane(kViewGadgetTool)->raise();
  ASSERT_FALSE(tool->view()->items().empty());  // the compiled-in gadgets at least
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame_));
  tool->view()->setFocus();
  QTest::keyClick(frame_.windowHandle(), Qt::Key_Tab);
  auto* item = qobject_cast<gadget::CGadgetInfo*>(QApplication::focusWidget());
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item, tool->view()->items().front());
  QGuiApplication::clipboard()->clear();
  // The window's Edit > Copy has the same keys; the focused gadget takes them.
  QTest::keyClick(frame_.windowHandle(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), item->name());
}

}  // namespace
}  // namespace netloom::guitest
