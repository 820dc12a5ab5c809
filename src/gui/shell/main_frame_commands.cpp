#include "gui/shell/main_frame.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "gui/panes/output_view.h"
#include "gui/res/resource_ids.h"
#include "gui/res/resource_strings.h"
#include "gui/res/resources.h"
#include "gui/shell/about_dlg.h"
#include "gui/shell/command_tables.h"
#include "gui/shell/customize_dialog.h"
#include "gui/shell/document_tabs.h"
#include "gui/shell/menu_builder.h"
#include "gui/shell/toolbar_button.h"
#include "gui/view/child_frame.h"
#include "gui/view/netloom_view.h"

// The frame's commands: the actions made from the command tables, what each command does (one
// table from command to handler), the menus and toolbars built from their tables, and each
// command's enable and check state.

namespace netloom::shell {

using namespace netloom::res;

const std::map<int, CMainFrame::Handler>& CMainFrame::Handlers() {
  static const std::map<int, Handler> handlers = {
      {kFileNew, [](CMainFrame& f, bool) { f.OnFileNew(); }},
      {kNewNetworkDocument, [](CMainFrame& f, bool) { f.NewNetworkDocument(); }},
      // The gadget tool is the docking pane; File > New > Gadget Tool brings it up.
      {kNewGadgetDocument,
       [](CMainFrame& f, bool) {
         if (QDockWidget* pane = f.Pane(kViewGadgetTool)) {
           pane->show();
           pane->raise();
         }
       }},
      {kFileClose, [](CMainFrame& f, bool) { f.CloseActiveDocument(); }},
      {kFileSaveDiagramAs,
       [](CMainFrame& f, bool) {
         if (auto* frame = f.ActiveFrame()) frame->view()->SaveDiagramAs();
       }},
      {kFileOpen,
       [](CMainFrame& f, bool) {
         const QString path = QFileDialog::getOpenFileName(
             &f, QStringLiteral("Open"), QString(),
             QStringLiteral("Saved networks and session logs (*.netloom *.log);;Saved networks "
                            "(*.netloom);;Session logs (*.log);;All files (*)"));
         if (!path.isEmpty()) f.OpenFile(path);
       }},
      {kFileSave, [](CMainFrame& f, bool) { f.SaveDocument(f.ActiveFrame(), false); }},
      {kFileSaveAs, [](CMainFrame& f, bool) { f.SaveDocument(f.ActiveFrame(), true); }},
      {kFileSaveLog, [](CMainFrame& f, bool) { f.SaveLog(); }},
      {kViewHex,
       [](CMainFrame& f, bool shown) {
         if (auto* frame = f.ActiveFrame()) frame->output()->SetHexShown(shown);
       }},
      {kFilePrint, [](CMainFrame& f, bool) { f.Print(false); }},
      {kFilePrintPreview, [](CMainFrame& f, bool) { f.Print(true); }},
      {kAppExit, [](CMainFrame& f, bool) { f.close(); }},
      {kEditCopy,
       [](CMainFrame& f, bool) {
         if (auto* frame = f.ActiveFrame()) frame->output()->Copy();
       }},
      {kEditPaste,
       [](CMainFrame&, bool) {
         if (auto* edit = PasteTarget()) edit->paste();
       }},
      {kViewCustomize, [](CMainFrame& f, bool) { f.ShowCustomizeDialog(); }},
      {kViewStatusBar, [](CMainFrame& f, bool shown) { f.statusBar()->setVisible(shown); }},
      {kViewParameters, [](CMainFrame& f, bool) { f.TogglePane(kViewParameters); }},
      {kViewConsole, [](CMainFrame& f, bool) { f.TogglePane(kViewConsole); }},
      {kViewGadgetTool, [](CMainFrame& f, bool) { f.TogglePane(kViewGadgetTool); }},
      {kWindowNew, [](CMainFrame& f, bool) { f.NewWindow(); }},
      {kWindowManager, [](CMainFrame& f, bool) { f.ShowWindowsDialog(); }},
      {kAppAbout, [](CMainFrame& f, bool) { CAboutDlg(&f).exec(); }},
  };
  return handlers;
}

void CMainFrame::CreateActions() {
  for (const auto& spec : ActionSpecs()) {
    auto* action = new QAction(QString::fromLatin1(spec.text), this);
    action->setShortcuts(QList<QKeySequence>(spec.keys.begin(), spec.keys.end()));
    action->setCheckable(spec.checkable);
    action->setIcon(CommandIcon(spec.id));
    action->setStatusTip(CommandPrompt(spec.id));
    const QString tip = CommandTooltip(spec.id);
    action->setToolTip(tip.isEmpty() ? QString(spec.text).remove('&').section('\t', 0, 0) : tip);
    action->setData(spec.id);
    actions_[spec.id] = action;
    addAction(action);  // shortcuts work whichever menu set shows
  }
  for (const auto& [id, handler] : Handlers()) {
    connect(actions_.at(id), &QAction::triggered, this,
            [this, run = handler](bool checked) { run(*this, checked); });
  }
  for (int id : kNetworkCommands)
    connect(actions_.at(id), &QAction::triggered, this, [this, id] { RunFrameCommand(id); });
  // Paste follows the focus and the clipboard, so that its keys reach the pane only with text.
  connect(qApp, &QApplication::focusChanged, this, &CMainFrame::UpdatePasteCommand);
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
          &CMainFrame::UpdatePasteCommand);

  auto* looks = new QActionGroup(this);
  for (const auto& [id, text] : kLookItems) {
    auto* action = new QAction(QString::fromLatin1(text), looks);
    action->setCheckable(true);
    action->setData(id);
    actions_[id] = action;
    connect(action, &QAction::triggered, this, [this, lookId = id] { SetApplicationLook(lookId); });
  }
  // F6 and Shift+F6: the next and the previous pane of the active document.
  auto* nextPane = new QAction(this);
  nextPane->setShortcuts({QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)});
  connect(nextPane, &QAction::triggered, this, [this] {
    if (auto* frame = ActiveFrame()) {
      QWidget* target = frame->outputViewActive() ? static_cast<QWidget*>(frame->view())
                                                  : frame->output()->edit();
      target->setFocus(Qt::OtherFocusReason);
    }
  });
  addAction(nextPane);
}

void CMainFrame::CreateMenus() {
  const ActionLookup action = [this](int id) { return actions_.at(id); };
  const MenuFiller fill = [this](MenuFill kind, QMenu& menu) { FillMenu(kind, menu); };
  documentMenuSet_ = BuildMenus(MenuSpecs(), MenuSet::Document, action, fill, this);
  emptyMenuSet_ = BuildMenus(MenuSpecs(), MenuSet::Empty, action, fill, this);
  for (QMenu* menu : documentMenuSet_ + emptyMenuSet_)
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
  menuBar()->setObjectName(QStringLiteral("menuBar"));
}

void CMainFrame::FillMenu(MenuFill kind, QMenu& menu) {
  if (kind == MenuFill::RecentFiles) return FillRecentMenu(menu);
  if (kind == MenuFill::ToolBarsAndPanes) {
    for (const auto& [id, bar] : toolBars_) menu.addAction(bar->toggleViewAction());
    for (const auto& [id, pane] : panes_) menu.addAction(pane->toggleViewAction());
    menu.addSeparator();
    menu.addAction(actions_.at(kViewCustomize));
    return;
  }
  menu.addAction(actions_.at(kWindowNew));
  menu.addSeparator();
  for (int i = 0; i < tabs_->count(); ++i) {
    QAction* item = menu.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(tabs_->tabText(i)), this,
                                   [this, i] { tabs_->setCurrentIndex(i); });
    item->setCheckable(true);
    item->setChecked(i == tabs_->currentIndex());
  }
  menu.addAction(actions_.at(kWindowManager));
}

void CMainFrame::CreateToolBars() {
  for (const auto& spec : ToolBarSpecs()) {
    auto* bar = new QToolBar(ShellString(spec.titleString), this);
    bar->setObjectName(QString::fromLatin1(spec.objectName));
    bar->setIconSize(QSize(16, 16));
    bar->setProperty("netloomItems",
                     QVariant::fromValue(QList<int>(spec.items.begin(), spec.items.end())));
    toolBars_[spec.id] = bar;
    addToolBar(Qt::TopToolBarArea, bar);
    ResetToolbar(bar);
  }
}

void CMainFrame::ResetToolbar(QToolBar* bar) {
  // What the bar made for its last set (buttons, separators, the spin box, the customise
  // button with its menu) goes with it; the commands themselves are the frame's.
  const QList<QAction*> previous = bar->actions();
  bar->clear();
  for (QAction* action : previous)
    if (action->parent() == bar) delete action;
  for (int id : bar->property("netloomItems").value<QList<int>>()) {
    if (id == kSeparator) {
      bar->addSeparator();
    } else if (id == kRefreshTime) {
      // The Diagram toolbar's Refresh Time is a spin box of 5..60 showing 5.
      refreshTime_ = new QSpinBox(bar);
      refreshTime_->setObjectName(QStringLiteral("refreshTime"));
      refreshTime_->setRange(5, 60);
      refreshTime_->setValue(5);
      refreshTime_->setFixedWidth(60);
      refreshTime_->setToolTip(CommandTooltip(kRefreshTime));
      refreshTime_->setStatusTip(CommandPrompt(kRefreshTime));
      refreshTime_->setAccessibleName(QStringLiteral("Refresh Time"));
      connect(refreshTime_, &QSpinBox::valueChanged, this, [this](int seconds) {
        if (auto* frame = ActiveFrame()) frame->view()->controller().SetRefreshSeconds(seconds);
      });
      bar->addWidget(refreshTime_);
    } else {
      bar->addAction(ToolBarButton(bar, actions_.at(id)));
    }
  }
  // The customise button at the end of each toolbar.
  auto* customise = new QToolButton(bar);
  customise->setAutoRaise(true);
  customise->setArrowType(Qt::DownArrow);
  customise->setPopupMode(QToolButton::InstantPopup);
  customise->setToolTip(ShellString(kCustomizeText));
  customise->setAccessibleName(bar->windowTitle() + QStringLiteral(" options"));
  auto* menu = new QMenu(customise);
  menu->addAction(actions_.at(kViewCustomize));
  customise->setMenu(menu);
  bar->addWidget(customise);
}

void CMainFrame::ShowMenus(bool documentMenus) {
  if (documentMenus == documentMenus_ && !menuBar()->actions().isEmpty()) return;
  documentMenus_ = documentMenus;
  menuBar()->clear();
  for (QMenu* menu : documentMenus ? documentMenuSet_ : emptyMenuSet_) menuBar()->addMenu(menu);
}

void CMainFrame::UpdateCommandUi() {
  view::CChildFrame* frame = ActiveFrame();
  for (int id : kNetworkCommands) {
    const model::CommandUi ui = frame ? frame->UpdateCommand(id) : model::CommandUi{};
    QAction* action = actions_.at(id);
    action->setEnabled(ui.enabled);
    if (action->isCheckable()) action->setChecked(ui.checked);
  }
  for (const auto& spec : ActionSpecs()) {
    if (WithoutHandler(spec.id))
      actions_.at(spec.id)->setEnabled(false);
    else if (NeedsDocument(spec.id))
      actions_.at(spec.id)->setEnabled(frame != nullptr);
  }
  UpdatePasteCommand();
  actions_.at(kViewHex)->setChecked(frame != nullptr && frame->output()->hexShown());
  if (refreshTime_) {
    // The box shows the active document's period.
    refreshTime_->setEnabled(frame != nullptr && frame->UpdateCommand(kRefreshTime).enabled);
    if (frame) {
      const QSignalBlocker quiet(refreshTime_);
      refreshTime_->setValue(frame->view()->controller().refreshSeconds());
    }
  }
  portInfo_->setEnabled(frame != nullptr);
}

panes::COutputEdit* CMainFrame::PasteTarget() {
  return qobject_cast<panes::COutputEdit*>(QApplication::focusWidget());
}

void CMainFrame::UpdatePasteCommand() {
  actions_.at(kEditPaste)
      ->setEnabled(PasteTarget() != nullptr && !QApplication::clipboard()->text().isEmpty());
}

void CMainFrame::RunFrameCommand(int id) {
  if (auto* frame = ActiveFrame()) frame->OnCommand(id);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  // Customize > Options can switch the toolbar tooltips off.
  if (event->type() == QEvent::ToolTip && !showTooltips_ && watched->isWidgetType()) {
    for (const auto& [id, bar] : toolBars_)
      if (bar->isAncestorOf(static_cast<QWidget*>(watched))) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::ShowCustomizeDialog() {
  QList<QToolBar*> bars;
  for (const auto& [id, bar] : toolBars_) bars << bar;
  QList<QAction*> commands;
  for (const auto& [id, action] : actions_) commands << action;
  CustomizeDialog(
      bars, commands, [this](QToolBar* bar) { ResetToolbar(bar); }, showTooltips_, this)
      .exec();
  if (showTooltips_)
    qApp->removeEventFilter(this);
  else
    qApp->installEventFilter(this);
}

void CMainFrame::Print(bool preview) {
  view::CChildFrame* frame = ActiveFrame();
  if (!frame) return;
  // The diagram itself, scaled to the page.
  QPointer<view::CNetloomView> networkView = frame->view();
  auto render = [networkView](QPrinter* printer) {
    if (networkView) networkView->PrintDiagram(*printer);
  };
  QPrinter printer;
  if (preview) {
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, render);
    dialog.exec();
  } else if (QPrintDialog(&printer, this).exec() == QDialog::Accepted) {
    render(&printer);
  }
}

}  // namespace netloom::shell
