// The upper row of a network document: its diagram (the network view) with the node table and
// the history as tabs beside it. The node table's rows select the diagram's nodes; each walk's
// changes also go to the document's output pane as timestamped lines.
//
// It owns the three pages; the table and the history go before the view whose memory they show.
// UI thread only.
#pragma once

#include <QTabWidget>

#include "gui/model/network_insight.h"

namespace netloom::view {

class CNetloomView;
class HistoryPane;
class NodeTablePane;

class NetworkPages : public QTabWidget, private model::InsightObserver {
  Q_OBJECT
 public:
  enum Page { kDiagramPage, kNodesPage, kHistoryPage };

  // Takes `view` as its diagram page.
  explicit NetworkPages(CNetloomView* view, QWidget* parent = nullptr);
  ~NetworkPages() override;

  CNetloomView* view() const { return view_; }
  NodeTablePane* nodeTable() const { return nodes_; }
  HistoryPane* history() const { return history_; }

 private:
  void WalkMerged(const std::vector<network::ChangeEvent>& events) override;
  void MemoryReplaced() override {}

  CNetloomView* view_;
  NodeTablePane* nodes_;
  HistoryPane* history_;
};

}  // namespace netloom::view
