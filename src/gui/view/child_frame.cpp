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
#include "gui/shell/netloom_doc.h"
#include "gui/view/netloom_view.h"

namespace netloom::view {

CChildFrame::CChildFrame(shell::CNetloomDoc* document, QWidget* parent)
    : QWidget(parent),
      splitter_(new QSplitter(Qt::Vertical, this)),
      view_(new CNetloomView(document, splitter_)),
      output_(new panes::COutputView(splitter_)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter_);
  splitter_->addWidget(view_);
  splitter_->addWidget(output_);
  splitter_->setSizes({500, 100});
  splitter_->setStretchFactor(0, 5);
  splitter_->setStretchFactor(1, 1);
  splitter_->setChildrenCollapsible(false);
  view_->SetOutputView(output_);
  // The frame's active view follows the focus between its two rows.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && output_->isAncestorOf(now))
      outputActive_ = true;
    else if (now && view_->isAncestorOf(now))
      outputActive_ = false;
  });
}

CChildFrame::~CChildFrame() {
  // The rows go after this body; focus moving while they go must not reach them.
  disconnect(qApp, nullptr, this, nullptr);
}

shell::CNetloomDoc* CChildFrame::document() const {
  return view_->document();
}

CommandUi CChildFrame::UpdateCommand(int commandId) const {
  return NetworkCommandUi(commandId, view_->CommandState());
}

void CChildFrame::OnCommand(int commandId) {
  using Handler = std::function<void(CNetloomView&)>;
  static const std::map<int, Handler> kHandlers = {
      {res::kUartSetting, &CNetloomView::ChangePortSettings},
      {res::kConnect, [](CNetloomView& view) { view.Connect(); }},
      {res::kDisconnect, &CNetloomView::Disconnect},
      {res::kRun, &CNetloomView::StartRefresh},
      {res::kStop, &CNetloomView::StopRefresh},
      {res::kWizard, &CNetloomView::OpenWizard},
      {res::kRefreshTime, &CNetloomView::RefreshTime},
      {res::kTextClear, &CNetloomView::ClearOutput},
      {res::kUpgrade, &CNetloomView::OpenUpgrade},
      {res::kTree, &CNetloomView::SetTreeLayout},
      {res::kCircle, &CNetloomView::SetCircleLayout},
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
  if (outputActive_) return;
  if (!active) {
    view_->SetPanesBound(false);
    return;
  }
  if (view_->panesBound()) return;
  view_->SetOutputView(output_);
  const auto state = view_->session().Snapshot().view;
  const QString address = QString::fromStdString(state.selectedAddress);
  emit consoleTargetChanged(state.consoleRemote, address);
  emit parametersTargetChanged(state.parametersRemote, address);
  view_->SetPanesBound(true);
  view_->ShowPortSettings();
  emit configImageActivated(state.configImage);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  view_->Disconnect();
  event->accept();
}

}  // namespace netloom::view
