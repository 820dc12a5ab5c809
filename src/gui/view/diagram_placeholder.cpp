#include "gui/view/diagram_placeholder.h"

#include <QPainter>

namespace netloom::view {

CDiagramPlaceholder::CDiagramPlaceholder(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  setMinimumSize(200, 120);
}

void CDiagramPlaceholder::Clear() {
  lines_.clear();
  update();
}

void CDiagramPlaceholder::Draw(const link::NetworkSnapshot& snapshot, int layoutMode) {
  lines_.clear();
  if (!snapshot.rootNode) return update();
  lines_ << QStringLiteral("%1 nodes (%2 layout)")
                .arg(snapshot.nodeTable.size())
                .arg(layoutMode == 0 ? QStringLiteral("tree") : QStringLiteral("circle"));
  for (const auto& [key, node] : snapshot.nodeTable) {
    (void)key;
    lines_ << QStringLiteral("%1   %2").arg(QString::fromStdString(node->address),
                                            QString::fromStdString(node->name));
  }
  update();
}

void CDiagramPlaceholder::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QColor(0, 0, 200));
  if (lines_.isEmpty()) {
    painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Diagram > Run draws the network"));
    return;
  }
  painter.drawText(rect().adjusted(16, 12, -16, -12), Qt::AlignLeft | Qt::AlignTop,
                   lines_.join('\n'));
}

}  // namespace netloom::view
