#include "gui/gadget/gadget_info.h"

#include <QClipboard>
#include <QDrag>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "gui/gadget/gadget_source.h"
#include "gui/model/gadget_layout.h"

namespace netloom::gadget {

using namespace netloom::model;

CGadgetName::CGadgetName(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void CGadgetName::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect(), alignment(),
                   fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width()));
}

void CGadgetName::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  const bool cut = fontMetrics().horizontalAdvance(text()) > contentsRect().width();
  setToolTip(cut ? text() : QString());
}

CGadgetInfo::CGadgetInfo(GadgetEntry entry, QWidget* parent)
    : QWidget(parent),
      entry_(std::move(entry)),
      label_(new CGadgetName(GadgetLabel(entry_.name), parent)) {
  setAccessibleName(label_->text());
  // Reached with Tab; Ctrl+C copies the name for a user who cannot drag.
  setFocusPolicy(Qt::StrongFocus);
  QString about =
      tr("Gadget \"%1\": drag it, or copy it with Ctrl+C, to insert its name").arg(entry_.name);
  QString tip = entry_.name;
  if (entry_.nameMarked) {
    const QString note =
        tr("The folder's name is not UTF-8: \\xNN stands for a byte that is "
           "not text.");
    about += u'\n' + note;
    tip += u'\n' + note;
  }
  setAccessibleDescription(about);
  setToolTip(tip);
  setCursor(Qt::OpenHandCursor);
}

void CGadgetInfo::Place(const QRect& item, const QRect& label) {
  setGeometry(item);
  label_->setGeometry(label);
}

void CGadgetInfo::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  if (!entry_.icon.isNull()) {
    const IconSize size = IconDrawSize(entry_.icon.width(), entry_.icon.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, size.width, size.height), entry_.icon);
  }
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

bool CGadgetInfo::event(QEvent* event) {
  // Ctrl+C is the item's own while it has the focus, before any window-wide Copy command.
  if (event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    event->accept();
    return true;
  }
  return QWidget::event(event);
}

void CGadgetInfo::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    QGuiApplication::clipboard()->setText(entry_.name);
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CGadgetInfo::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  auto* drag = new QDrag(this);
  drag->setMimeData(new CGadgetSource(entry_.name));
  // The drag picture follows the pointer, at most as large as an icon is drawn.
  const IconSize size = IconDrawSize(entry_.drag.width(), entry_.drag.height());
  drag->setPixmap(QPixmap::fromImage(entry_.drag.scaled(
      size.width, size.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
  drag->setHotSpot(QPoint(size.width / 2, size.height / 2));
  emit dragStarted();
  drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
  emit dragFinished();
  event->accept();
}

}  // namespace netloom::gadget
