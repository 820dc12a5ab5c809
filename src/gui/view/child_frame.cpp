#include "gui/view/child_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMetaObject>
#include <QPointer>
#include <QVBoxLayout>
#include <functional>
#include <map>

#include "gui/panes/output_view.h"
#include "gui/res/resource_ids.h"
#include "gui/view/netloom_doc.h"
#include "gui/view/netloom_view.h"
#include "gui/view/network_pages.h"

namespace netloom::view {

CChildFrame::CChildFrame(CNetloomDoc* document, QWidget* parent)
    : QWidget(parent),
      splitter_(new QSplitter(Qt::Vertical, this)),
      view_(new CNetloomView(document)),
      pages_(new NetworkPages(view_, splitter_)),
      output_(new panes::COutputView(splitter_)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter_);
  splitter_->addWidget(pages_);
  splitter_->addWidget(output_);
  splitter_->setSizes({500, 100});
  splitter_->setStretchFactor(0, 5);
  splitter_->setStretchFactor(1, 1);
  splitter_->setChildrenCollapsible(false);
  view_->SetOutputView(output_);
  output_->hex()->SetLog(view_->insight().sessionLogPtr());
  // The frame's active view follows the focus between its two rows.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && output_->isAncestorOf(now))
      outputActive_ = true;
    else if (now && pages_->isAncestorOf(now))
      outputActive_ = false;
  });
}

CChildFrame::~CChildFrame() {
  // The rows go after this body; focus moving while they go must not reach them.
  disconnect(qApp, nullptr, this, nullptr);
}

CNetloomDoc* CChildFrame::document() const {
  return view_->document();
}

model::CommandUi CChildFrame::UpdateCommand(int commandId) const {
  return model::NetworkCommandUi(commandId, view_->CommandState());
}

void CChildFrame::OnCommand(int commandId) {
  using Handler = std::function<void(CNetloomView&)>;
  using Controller = model::ConnectionController;
  // Commands on the connection go to the view's controller; the rest open windows or change
  // the drawing.
  auto onConnection = [](void (Controller::*command)()) {
    return [command](CNetloomView& view) { (view.controller().*command)(); };
  };
  static const std::map<int, Handler> kHandlers = {
      {res::kUartSetting, &CNetloomView::ChangePortSettings},
      {res::kConnect, [](CNetloomView& view) { view.controller().Connect(); }},
      {res::kDisconnect, onConnection(&Controller::Disconnect)},
      {res::kRun, onConnection(&Controller::StartRefresh)},
      {res::kStop, onConnection(&Controller::StopRefresh)},
      {res::kWizard, &CNetloomView::OpenWizard},
      {res::kRefreshTime, &CNetloomView::AskRefreshTime},
      {res::kTextClear, &CNetloomView::ClearOutput},
      {res::kUpgrade, &CNetloomView::OpenUpgrade},
      {res::kTree, &CNetloomView::SetTreeLayout},
      {res::kCircle, &CNetloomView::SetCircleLayout},
      {res::kCentreOnCoordinator, &CNetloomView::CentreOnCoordinator},
  };
  const auto it = kHandlers.find(commandId);
  if (it == kHandlers.end()) return;
  QPointer<CNetloomView> view = view_;
  QMetaObject::invokeMethod(
      view_,
      [view, handler = it->second] {
        if (view) handler(*view);
      },
      Qt::QueuedConnection);
}

void CChildFrame::Activate(bool active) {
  emit recolourTabs();
  if (active) view_->ShowPortSettings();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  // During a wait the frame stays until the worker has ended; then it asks to close again.
  if (view_->controller().Close([this] { emit closeReady(); }))
    event->accept();
  else
    event->ignore();
}

}  // namespace netloom::view
