#include "gui/gadget/gadget_scroll_view.h"

#include <QLabel>
#include <QScrollBar>
#include <algorithm>

#include "gui/model/gadget_layout.h"

namespace netloom::gadget {

using namespace netloom::model;
namespace {

QRect ToRect(const GadgetRect& rect) {
  return {rect.x, rect.y, rect.width, rect.height};
}

constexpr int kNoteMargin = 10;

}  // namespace

CGadgetScrollView::CGadgetScrollView(QWidget* parent)
    : QScrollArea(parent), canvas_(new QWidget), emptyNote_(new QLabel(canvas_)) {
  setObjectName(QStringLiteral("gadgetScrollView"));
  setAccessibleName(tr("Gadgets"));
  setWidgetResizable(false);
  setWidget(canvas_);
  canvas_->setAccessibleName(tr("Gadget list"));
  emptyNote_->setWordWrap(true);
  emptyNote_->setTextFormat(Qt::PlainText);
  emptyNote_->setAccessibleName(tr("No gadgets"));
  emptyNote_->setForegroundRole(QPalette::PlaceholderText);
  verticalScrollBar()->setSingleStep(kRowHeight / 4);
  LayOut();
}

void CGadgetScrollView::SetGadgets(std::vector<GadgetEntry> entries) {
  for (CGadgetInfo* item : items_) {
    delete item->label();
    delete item;
  }
  items_.clear();
  for (GadgetEntry& entry : entries) {
    auto* item = new CGadgetInfo(std::move(entry), canvas_);
    connect(item, &CGadgetInfo::dragStarted, this, [this] { dragActive_ = true; });
    connect(item, &CGadgetInfo::dragFinished, this, [this] { dragActive_ = false; });
    item->show();
    item->label()->show();
    items_.push_back(item);
  }
  LayOut();
}

void CGadgetScrollView::SetEmptyNote(const QString& text) {
  emptyNote_->setText(text);
  LayOut();
}

void CGadgetScrollView::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  LayOut();
}

void CGadgetScrollView::LayOut() {
  const QSize client = viewport()->size();
  const GadgetLayout layout =
      LayOutGadgets(static_cast<int>(items_.size()), client.width(), client.height());
  for (std::size_t i = 0; i < items_.size(); ++i)
    items_[i]->Place(ToRect(layout.places[i].item), ToRect(layout.places[i].label));
  int height = layout.scrollHeight;
  emptyNote_->setVisible(items_.empty());
  if (items_.empty()) {
    const int width = std::max(client.width() - 2 * kNoteMargin, kScrollWidth);
    emptyNote_->setGeometry(kNoteMargin, kNoteMargin, width, emptyNote_->heightForWidth(width));
    height = std::max(client.height(), emptyNote_->geometry().bottom() + kNoteMargin);
  }
  canvas_->resize(std::max(layout.scrollWidth, client.width()), height);
}

}  // namespace netloom::gadget
