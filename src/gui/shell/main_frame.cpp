#include "gui/shell/main_frame.h"

#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QLabel>
#include <QStatusBar>

#include "gui/gadget/gadget_tool.h"
#include "gui/panes/console_view_bar.h"
#include "gui/panes/properties_view_bar.h"
#include "gui/res/resource_ids.h"
#include "gui/res/resource_strings.h"
#include "gui/res/resources.h"
#include "gui/shell/application_look.h"
#include "gui/shell/command_tables.h"
#include "gui/shell/document_tabs.h"
#include "gui/shell/kept_settings.h"
#include "gui/shell/lock_indicators.h"
#include "gui/shell/windows_dialog.h"

// The window itself: its parts, the docking panes and the looks. The commands, menus and
// toolbars are in main_frame_commands.cpp; the document frames' life in main_frame_frames.cpp;
// opening and saving files in main_frame_files.cpp.

namespace netloom::shell {

using namespace netloom::res;

CMainFrame::CMainFrame(QSettings& settings, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      look_(ReadApplicationLook(settings)),
      tabs_(new DocumentTabs(this)) {
  setWindowTitle(QStringLiteral("Netloom"));
  setWindowIcon(ApplicationIcon());
  KeepChoicesInSettings(settings_);
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
  ForgetKeptSettings();
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

void CMainFrame::RecolourTabs() {
  ColouredTabBar* bar = tabs_->colouredTabBar();
  for (int i = 0; i < bar->count(); ++i)
    bar->SetTabBackground(i, i == tabs_->currentIndex() ? QColor(255, 0, 0) : QColor(0, 255, 0));
  bar->update();
}

void CMainFrame::ShowWindowsDialog() {
  WindowsDialog(*tabs_, this).exec();
}

}  // namespace netloom::shell
