// The upper area of a network document until the topology diagram widget takes its place: it
// lists the nodes of the last query. The view talks to it only through Clear and Draw.
#pragma once

#include <QWidget>

#include "core/link/node_table.h"

namespace netloom::view {

class CDiagramPlaceholder : public QWidget {
  Q_OBJECT
 public:
  explicit CDiagramPlaceholder(QWidget* parent = nullptr);

  void Clear();
  void Draw(const link::NetworkSnapshot& snapshot, int layoutMode);
  int shownNodes() const { return static_cast<int>(lines_.size()); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QStringList lines_;
};

}  // namespace netloom::view
