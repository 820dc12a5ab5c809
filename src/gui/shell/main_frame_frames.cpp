#include "gui/shell/main_frame.h"

#include <QCloseEvent>
#include <QStatusBar>

#include "gui/model/port_choice.h"
#include "gui/panes/console_view_bar.h"
#include "gui/panes/output_view.h"
#include "gui/panes/properties_view_bar.h"
#include "gui/shell/document_tabs.h"
#include "gui/tools/tool_windows.h"
#include "gui/view/child_frame.h"
#include "gui/view/netloom_doc.h"
#include "gui/view/netloom_view.h"
#include "gui/view/session_log_frame.h"

// The document frames' life: opened, added as tabs, activated (the panes bind to the active
// document), closed one by one or with the window.

namespace netloom::shell {

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
  if (start.kind == DocumentStart::Kind::Demo || start.kind == DocumentStart::Kind::Port) {
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

bool CMainFrame::CloseFrame(QWidget* page) {
  if (auto* log = qobject_cast<view::SessionLogFrame*>(page)) {
    tabs_->removeTab(tabs_->indexOf(log));
    delete log;
    return true;
  }
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

void CMainFrame::CloseActiveDocument() {
  if (auto* frame = ActiveFrame()) {
    view::CNetloomDoc* doc = frame->document();
    for (auto* other : Frames())
      if (other->document() == doc) CloseFrame(other);
  }
}

}  // namespace netloom::shell
