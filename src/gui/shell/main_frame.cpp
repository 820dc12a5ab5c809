#include "gui/shell/main_frame.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDockWidget>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "gui/gadget/gadget_tool.h"
#include "gui/model/port_choice.h"
#include "gui/panes/console_view_bar.h"
#include "gui/panes/output_view.h"
#include "gui/panes/properties_view_bar.h"
#include "gui/res/resource_ids.h"
#include "gui/res/resource_strings.h"
#include "gui/res/resources.h"
#include "gui/shell/about_dlg.h"
#include "gui/shell/application_look.h"
#include "gui/shell/command_tables.h"
#include "gui/shell/customize_dialog.h"
#include "gui/shell/document_tabs.h"
#include "gui/shell/lock_indicators.h"
#include "gui/shell/recent_ports_setting.h"
#include "gui/shell/toolbar_button.h"
#include "gui/shell/windows_dialog.h"
#include "gui/tools/tool_windows.h"
#include "gui/view/child_frame.h"
#include "gui/view/netloom_doc.h"
#include "gui/view/netloom_view.h"

namespace netloom::shell {

using namespace netloom::res;

CMainFrame::CMainFrame(QSettings& settings, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      look_(ReadApplicationLook(settings)),
      tabs_(new DocumentTabs(this)) {
  setWindowTitle(QStringLiteral("Netloom"));
  setWindowIcon(ApplicationIcon());
  KeepRecentPortsInSettings(settings_);
  setObjectName(QStringLiteral("mainFrame"));
  setCentralWidget(tabs_);
  setDockOptions(AnimatedDocks | AllowTabbedDocks | AllowNestedDocks);
  CreateActions();
  CreateMenus();
  CreateToolBars();
  CreateStatusBar();
  CreatePanes();
  SetApplicationLook(look_);
  connect(tabs_, &QTabWidget::currentChanged, this, &CMainFrame::OnActiveFrameChanged);
  connect(tabs_, &DocumentTabs::closeRequested, this, &CMainFrame::CloseFrame);
  resize(1100, 760);
  ShowMenus(false);
  UpdateCommandUi();
}

CMainFrame::~CMainFrame() {
  ForgetRecentPortsSetting();
  // Documents go while the frame is whole: their views' last signals still reach it.
  while (QWidget* page = tabs_->widget(0)) {
    tabs_->removeTab(0);
    delete page;
  }
  // The children deleted after this body move the focus: the frame must not hear of it then.
  disconnect(qApp, nullptr, this, nullptr);
  disconnect(QApplication::clipboard(), nullptr, this, nullptr);
}

QAction* CMainFrame::Action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

QToolBar* CMainFrame::ToolBar(int id) const {
  const auto it = toolBars_.find(id);
  return it == toolBars_.end() ? nullptr : it->second;
}

QDockWidget* CMainFrame::Pane(int id) const {
  const auto it = panes_.find(id);
  return it == panes_.end() ? nullptr : it->second;
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
  auto on = [this](int id, auto handler) {
    connect(actions_[id], &QAction::triggered, this, handler);
  };
  on(kFileNew, [this] { OnFileNew(); });
  on(kNewNetworkDocument, [this] { NewNetworkDocument(); });
  // The gadget tool is the docking pane; File > New > Gadget Tool brings it up.
  on(kNewGadgetDocument, [this] {
    if (QDockWidget* pane = Pane(kViewGadgetTool)) {
      pane->show();
      pane->raise();
    }
  });
  on(kFileClose, [this] {
    if (auto* frame = ActiveFrame()) {
      view::CNetloomDoc* doc = frame->document();
      for (auto* other : Frames())
        if (other->document() == doc) CloseFrame(other);
    }
  });
  on(kFileSaveDiagramAs, [this] {
    if (auto* frame = ActiveFrame()) frame->view()->SaveDiagramAs();
  });
  on(kFilePrint, [this] { Print(false); });
  on(kFilePrintPreview, [this] { Print(true); });
  on(kAppExit, [this] { close(); });
  on(kEditCopy, [this] {
    if (auto* frame = ActiveFrame()) frame->output()->Copy();
  });
  on(kEditPaste, [] {
    if (auto* edit = PasteTarget()) edit->paste();
  });
  // Paste follows the focus and the clipboard, so that its keys reach the pane only with text.
  connect(qApp, &QApplication::focusChanged, this, &CMainFrame::UpdatePasteCommand);
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
          &CMainFrame::UpdatePasteCommand);
  on(kViewCustomize, [this] { ShowCustomizeDialog(); });
  on(kViewStatusBar, [this](bool shown) { statusBar()->setVisible(shown); });
  for (int id : {kViewParameters, kViewConsole, kViewGadgetTool})
    on(id, [this, id] { TogglePane(id); });
  on(kWindowNew, [this] { NewWindow(); });
  on(kWindowManager, [this] { ShowWindowsDialog(); });
  on(kAppAbout, [this] { CAboutDlg(this).exec(); });
  for (int id : kNetworkCommands) on(id, [this, id] { RunFrameCommand(id); });

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
  auto action = [this](int id) { return actions_.at(id); };
  auto fileMenu = [&](bool full) {
    auto* menu = new QMenu(QStringLiteral("&File"), this);
    auto* newMenu = menu->addMenu(QStringLiteral("&New"));
    newMenu->addAction(action(kNewNetworkDocument));
    newMenu->addAction(action(kNewGadgetDocument));
    menu->addAction(action(kFileOpen));
    menu->addAction(action(kFileClose));
    if (full) {
      menu->addAction(action(kFileSave));
      menu->addAction(action(kFileSaveAs));
      menu->addAction(action(kFileSaveDiagramAs));
      menu->addSeparator();
      menu->addAction(action(kFilePrint));
      menu->addAction(action(kFilePrintPreview));
    }
    menu->addAction(action(kFilePrintSetup));
    menu->addSeparator();
    menu->addAction(action(kFileMruFirst));
    menu->addSeparator();
    menu->addAction(action(kAppExit));
    return menu;
  };
  auto viewMenu = [&](bool full) {
    auto* menu = new QMenu(QStringLiteral("&View"), this);
    auto* bars = menu->addMenu(QStringLiteral("&Toolbars and Docking Windows"));
    connect(bars, &QMenu::aboutToShow, this, [this, bars] {
      bars->clear();
      for (const auto& [id, bar] : toolBars_) bars->addAction(bar->toggleViewAction());
      for (const auto& [id, pane] : panes_) bars->addAction(pane->toggleViewAction());
      bars->addSeparator();
      bars->addAction(actions_.at(kViewCustomize));
    });
    auto* looks = menu->addMenu(QStringLiteral("&Application Look"));
    for (int id = kLookFirst; id < kLookOffice2007Blue; ++id) looks->addAction(action(id));
    auto* office2007 = looks->addMenu(QStringLiteral("Office 200&7"));
    for (int id = kLookOffice2007Blue; id <= kLookLast; ++id) office2007->addAction(action(id));
    if (full) {
      menu->addAction(action(kViewParameters));
      menu->addAction(action(kViewConsole));
      menu->addAction(action(kViewSmartLed));
    }
    menu->addAction(action(kViewStatusBar));
    if (full) menu->addAction(action(kViewGadgetTool));
    return menu;
  };
  auto helpMenu = new QMenu(QStringLiteral("&Help"), this);
  helpMenu->addAction(action(kAppAbout));

  auto* edit = new QMenu(QStringLiteral("&Edit"), this);
  for (int id : {kEditUndo}) edit->addAction(action(id));
  edit->addSeparator();
  for (int id : {kEditCut, kEditCopy, kEditPaste}) edit->addAction(action(id));
  windowMenu_ = new QMenu(QStringLiteral("&Window"), this);
  connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::FillWindowMenu);
  auto* setup = new QMenu(QStringLiteral("&Setup"), this);
  for (int id : {kUartSetting, kConnect, kDisconnect, kWizard}) setup->addAction(action(id));
  auto* diagram = new QMenu(QStringLiteral("Diagram"), this);
  for (int id : {kRun, kStop, kTree, kCircle, kRefreshTime, kCentreOnCoordinator})
    diagram->addAction(action(id));

  documentMenuSet_ = {fileMenu(true), edit, viewMenu(true), windowMenu_, setup, diagram, helpMenu};
  emptyMenuSet_ = {fileMenu(false), viewMenu(false), helpMenu};
  for (QMenu* menu : documentMenuSet_ + emptyMenuSet_)
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
  menuBar()->setObjectName(QStringLiteral("menuBar"));
}

void CMainFrame::ShowMenus(bool documentMenus) {
  if (documentMenus == documentMenus_ && !menuBar()->actions().isEmpty()) return;
  documentMenus_ = documentMenus;
  menuBar()->clear();
  for (QMenu* menu : documentMenus ? documentMenuSet_ : emptyMenuSet_) menuBar()->addMenu(menu);
}

void CMainFrame::FillWindowMenu() {
  windowMenu_->clear();
  windowMenu_->addAction(actions_.at(kWindowNew));
  windowMenu_->addSeparator();
  for (int i = 0; i < tabs_->count(); ++i) {
    QAction* item =
        windowMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(tabs_->tabText(i)), this,
                               [this, i] { tabs_->setCurrentIndex(i); });
    item->setCheckable(true);
    item->setChecked(i == tabs_->currentIndex());
  }
  windowMenu_->addAction(actions_.at(kWindowManager));
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

void CMainFrame::CreateStatusBar() {
  statusBar()->setObjectName(QStringLiteral("statusBar"));
  portInfo_ = new QLabel(this);
  portInfo_->setObjectName(QStringLiteral("portInfoPane"));
  portInfo_->setMinimumWidth(150);
  portInfo_->setToolTip(ShellString(kPortInfoString));
  QPalette palette = portInfo_->palette();
  palette.setColor(QPalette::WindowText, QColor(0, 0, 200));
  portInfo_->setPalette(palette);
  statusBar()->addPermanentWidget(portInfo_);
  lockIndicators_ = new LockIndicators(*statusBar());
  statusBar()->showMessage(QStringLiteral("Ready"));
  actions_.at(kViewStatusBar)->setChecked(true);
}

void CMainFrame::CreatePanes() {
  for (const auto& [id, title] : kPanes) {
    auto* pane = new QDockWidget(QString::fromLatin1(title), this);
    pane->setObjectName(QStringLiteral("pane%1").arg(id));
    pane->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
    pane->setAllowedAreas(Qt::AllDockWidgetAreas);
    QWidget* body = nullptr;
    if (id == kViewConsole) {
      console_ = new panes::CConsoleViewBar(pane);
      body = console_;
    } else if (id == kViewParameters) {
      parameters_ = new panes::CPropertiesViewBar(pane, &settings_);
      body = parameters_;
    } else if (id == kViewGadgetTool) {
      body = new gadget::CGadgetTool(gadget::GadgetPlaces::FromProcess(), pane);
    } else {
      body = new QWidget(pane);
    }
    body->setMinimumSize(200, 200);
    pane->setWidget(body);
    panes_[id] = pane;
    connect(pane->toggleViewAction(), &QAction::toggled, actions_.at(id), &QAction::setChecked);
  }
  addDockWidget(Qt::LeftDockWidgetArea, panes_[kViewConsole]);
  addDockWidget(Qt::LeftDockWidgetArea, panes_[kViewGadgetTool]);
  splitDockWidget(panes_[kViewConsole], panes_[kViewGadgetTool], Qt::Vertical);
  tabifyDockWidget(panes_[kViewConsole], panes_[kViewParameters]);
  panes_[kViewParameters]->raise();
  resizeDocks({panes_[kViewConsole], panes_[kViewGadgetTool]}, {480, 200}, Qt::Vertical);
  resizeDocks({panes_[kViewConsole]}, {280}, Qt::Horizontal);
  for (const auto& [id, pane] : panes_) actions_.at(id)->setChecked(true);
}

void CMainFrame::TogglePane(int id) {
  QDockWidget* pane = Pane(id);
  if (!pane) return;
  if (pane->toggleViewAction()->isChecked() && !pane->isHidden()) {
    pane->hide();
  } else {
    pane->show();
    pane->raise();
    pane->setFocus(Qt::OtherFocusReason);
  }
  actions_.at(id)->setChecked(!pane->isHidden());
}

void CMainFrame::SetApplicationLook(int id) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  look_ = id;
  ApplyLook(id);
  for (int look = kLookFirst; look <= kLookLast; ++look)
    if (QAction* action = Action(look)) action->setChecked(look == id);
  update();
  WriteApplicationLook(settings_, id);
  QApplication::restoreOverrideCursor();
}

view::CChildFrame* CMainFrame::ActiveFrame() const {
  return qobject_cast<view::CChildFrame*>(tabs_->currentWidget());
}

QList<view::CChildFrame*> CMainFrame::Frames() const {
  QList<view::CChildFrame*> frames;
  for (int i = 0; i < tabs_->count(); ++i)
    if (auto* frame = qobject_cast<view::CChildFrame*>(tabs_->widget(i))) frames << frame;
  return frames;
}

int CMainFrame::FrameCount(const view::CNetloomDoc* doc) const {
  int count = 0;
  for (auto* frame : Frames()) count += frame->document() == doc ? 1 : 0;
  return count;
}

view::CChildFrame* CMainFrame::OpenNetworkDocument(const DocumentStart& start) {
  auto* doc = new view::CNetloomDoc(this);
  auto* frame = new view::CChildFrame(doc, tabs_);
  AddFrame(frame);
  view::CNetloomView* view = frame->view();
  view->OnInitialUpdate(start.kind == DocumentStart::Kind::AskSettings);
  if (start.kind != DocumentStart::Kind::AskSettings) {
    model::ConnectionController& controller = view->controller();
    controller.SelectPort(start.kind == DocumentStart::Kind::Demo
                              ? model::DemoPortChoice()
                              : model::PortChoiceFor(start.portPath));
    controller.StartRefresh();
  }
  return frame;
}

void CMainFrame::AddFrame(view::CChildFrame* frame) {
  view::CNetloomView* view = frame->view();
  connect(view, &view::CNetloomView::commandStateChanged, this, &CMainFrame::UpdateCommandUi);
  connect(view, &view::CNetloomView::portSettingsShown, this, [this, frame](const QString& text) {
    if (frame == ActiveFrame()) portInfo_->setText(text);
  });
  connect(frame, &view::CChildFrame::recolourTabs, this, &CMainFrame::RecolourTabs,
          Qt::QueuedConnection);
  connect(frame->output()->edit(), &panes::COutputEdit::inputRefused, this,
          [this](const QString& line) { statusBar()->showMessage(line); });
  // Queued: the frame goes after the call that tells it has left its view.
  connect(
      frame, &view::CChildFrame::closeReady, this,
      [this, frame = QPointer<view::CChildFrame>(frame)] {
        if (closePending_)
          close();
        else if (frame)
          CloseFrame(frame);
      },
      Qt::QueuedConnection);
  connect(view, &view::CNetloomView::titleChanged, this, &CMainFrame::UpdateFrameTitles);
  tabs_->setCurrentIndex(tabs_->addTab(frame, view->title()));
  UpdateFrameTitles();
}

void CMainFrame::NewNetworkDocument() {
  if (networkDoc_) {
    for (auto* frame : Frames())
      if (frame->document() == networkDoc_) return tabs_->setCurrentWidget(frame);
  }
  view::CChildFrame* frame = OpenNetworkDocument();
  networkDoc_ = frame->document();
  // Forgotten when its view goes.
  connect(frame->view(), &QObject::destroyed, this, [this] { networkDoc_ = nullptr; });
}

void CMainFrame::OnFileNew() {
  OpenNetworkDocument();
}

void CMainFrame::NewWindow() {
  view::CChildFrame* active = ActiveFrame();
  if (!active) return;
  auto* frame = new view::CChildFrame(active->document(), tabs_);
  AddFrame(frame);
  frame->view()->OnInitialUpdate(true);
}

void CMainFrame::UpdateFrameTitles() {
  // Each frame shows its own view's connection; several frames on one document are told apart
  // as "title:1", "title:2".
  std::map<view::CNetloomDoc*, int> counts;
  const auto frames = Frames();
  for (auto* frame : frames) ++counts[frame->document()];
  std::map<view::CNetloomDoc*, int> seen;
  for (auto* frame : frames) {
    view::CNetloomDoc* doc = frame->document();
    QString title = frame->view()->title();
    if (counts[doc] > 1) title += QStringLiteral(":%1").arg(++seen[doc]);
    tabs_->setTabText(tabs_->indexOf(frame), title);
  }
  auto* active = ActiveFrame();
  setWindowTitle(active ? QStringLiteral("Netloom - %1").arg(tabs_->tabText(tabs_->currentIndex()))
                        : QStringLiteral("Netloom"));
}

void CMainFrame::OnActiveFrameChanged(int) {
  if (activeFrame_ && activeFrame_ != ActiveFrame()) activeFrame_->Activate(false);
  activeFrame_ = ActiveFrame();
  ShowMenus(activeFrame_ != nullptr);
  // The panes show the active document.
  model::NetworkDocument* document = activeFrame_ ? &activeFrame_->view()->model() : nullptr;
  console_->Bind(document);
  parameters_->Bind(document);
  if (activeFrame_) {
    activeFrame_->Activate(true);
    portInfo_->setText(activeFrame_->view()->PortSettingsLine());
  } else {
    portInfo_->clear();
  }
  UpdateFrameTitles();
  UpdateCommandUi();
  RecolourTabs();
}

void CMainFrame::RecolourTabs() {
  ColouredTabBar* bar = tabs_->colouredTabBar();
  for (int i = 0; i < bar->count(); ++i)
    bar->SetTabBackground(i, i == tabs_->currentIndex() ? QColor(255, 0, 0) : QColor(0, 255, 0));
  bar->update();
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

bool CMainFrame::CloseFrame(QWidget* page) {
  auto* frame = qobject_cast<view::CChildFrame*>(page);
  if (!frame) return false;
  view::CNetloomDoc* doc = frame->document();
  // The frame's configuration goes with it: edits not written are asked about.
  if (!parameters_->ConfirmDiscardEdits({&frame->view()->model()})) return false;
  if (!frame->close()) return false;
  tabs_->removeTab(tabs_->indexOf(frame));
  if (frame == activeFrame_) activeFrame_ = nullptr;
  delete frame;
  if (FrameCount(doc) == 0) delete doc;
  OnActiveFrameChanged(tabs_->currentIndex());
  return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  // Upgrade dialogs first: each asks before it stops an upload and shows its module's return.
  if (!tools::CloseUpgradeDialogs(*this)) return event->ignore();
  // Asked once: agreed, the frames close without asking again.
  std::vector<model::NetworkDocument*> documents;
  for (auto* frame : Frames()) documents.push_back(&frame->view()->model());
  if (!parameters_->ConfirmDiscardEdits(documents)) return event->ignore();
  for (auto* frame : Frames()) {
    if (!CloseFrame(frame)) {
      // A document waits for its worker: the window closes once it has ended (closeReady).
      closePending_ = true;
      event->ignore();
      return;
    }
  }
  event->accept();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  // Customize > Options can switch the toolbar tooltips off.
  if (event->type() == QEvent::ToolTip && !showTooltips_ && watched->isWidgetType()) {
    for (const auto& [id, bar] : toolBars_)
      if (bar->isAncestorOf(static_cast<QWidget*>(watched))) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::ShowWindowsDialog() {
  WindowsDialog(*tabs_, this).exec();
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
