#include "gui/view/network_pages.h"

#include "gui/view/history_pane.h"
#include "gui/view/netloom_view.h"
#include "gui/view/node_table_pane.h"

namespace netloom::view {

NetworkPages::NetworkPages(CNetloomView* view, QWidget* parent)
    : QTabWidget(parent),
      view_(view),
      nodes_(new NodeTablePane(view->controller(), view->insight())),
      history_(new HistoryPane(view->insight())) {
  setObjectName(QStringLiteral("networkPages"));
  setAccessibleName(QStringLiteral("Network: diagram, nodes, history"));
  setDocumentMode(true);
  setTabPosition(QTabWidget::South);
  addTab(view_, QStringLiteral("Diagram"));
  addTab(nodes_, QStringLiteral("Nodes"));
  addTab(history_, QStringLiteral("History"));
  setTabToolTip(kNodesPage, QStringLiteral("Every node heard, quiet ones greyed"));
  setTabToolTip(kHistoryPage, QStringLiteral("Nodes that joined, left, moved or were renamed"));
  connect(nodes_, &NodeTablePane::nodeChosen, view_, &CNetloomView::SelectNodeByKey);
  view_->insight().AddObserver(*this);
}

NetworkPages::~NetworkPages() {
  view_->insight().RemoveObserver(*this);
  // They observe the view's memory: they go first.
  delete nodes_;
  delete history_;
}

void NetworkPages::WalkMerged(const std::vector<network::ChangeEvent>& events) {
  for (const auto& event : events) view_->AppendOutput(network::ChangeLine(event) + "\r\n");
}

}  // namespace netloom::view
