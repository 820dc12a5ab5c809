// A network document's history: each walk's changes (joined, left, moved, renamed) as the
// timestamped lines the output pane and `netloom-cli walk --watch` show, oldest first, as many
// as the document's memory keeps. Read-only. UI thread only.
#pragma once

#include <QPlainTextEdit>

#include "gui/model/network_insight.h"

namespace netloom::view {

class HistoryPane : public QPlainTextEdit, private model::InsightObserver {
  Q_OBJECT
 public:
  explicit HistoryPane(model::NetworkInsight& insight, QWidget* parent = nullptr);
  ~HistoryPane() override;

 private:
  void WalkMerged(const std::vector<network::ChangeEvent>& events) override;
  void MemoryReplaced() override;
  void Append(const network::ChangeEvent& event);

  model::NetworkInsight& insight_;
};

}  // namespace netloom::view
