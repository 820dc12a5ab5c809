#include "gui/panes/output_view.h"

#include <QApplication>
#include <QMetaObject>
#include <QVBoxLayout>

namespace netloom::panes {

COutputView::COutputView(QWidget* parent)
    : QWidget(parent), edit_(new COutputEdit(this)), hex_(new CHexView(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->addWidget(edit_);
  layout->addWidget(hex_);
  hex_->setFont(PaneFont());
  hex_->setFrameShape(QFrame::StyledPanel);
  hex_->hide();
  edit_->setObjectName(QStringLiteral("outputEdit"));
  edit_->setAccessibleName(QStringLiteral("Output"));
  edit_->setFont(PaneFont());
  edit_->setFrameShape(QFrame::StyledPanel);
}

QFont COutputView::PaneFont() {
  QFont font(QStringLiteral("Monospace"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPixelSize(14);
  font.setWeight(QFont::Black);
  return font;
}

void COutputView::SetHexShown(bool shown) {
  hex_->setVisible(shown);
  edit_->setVisible(!shown);
}

void COutputView::Copy() {
  if (QWidget* focus = QApplication::focusWidget())
    QMetaObject::invokeMethod(focus, "copy", Qt::DirectConnection);
}

}  // namespace netloom::panes
