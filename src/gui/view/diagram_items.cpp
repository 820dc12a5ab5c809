#include "gui/view/diagram_items.h"

#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "gui/model/diagram_layout.h"
#include "gui/view/node_pictures.h"

namespace netloom::view {

namespace {

constexpr qreal kTwipsPerPoint = 20;
constexpr qreal kPictureToLabel = 3 * model::kTwipsPerPixel;
constexpr qreal kPlatePadding = 2 * model::kTwipsPerPixel;
constexpr qreal kLinkWidth = 1.5 * model::kTwipsPerPixel;
// How much of a quiet node shows.
constexpr qreal kQuietOpacity = 0.4;
// Links stop this far inside a node's square, at the edge of what the node shows.
constexpr qreal kLinkInset = 8 * model::kTwipsPerPixel;

// Fraction of `delta` after which a segment leaving the centre of a square of half-size `half`
// crosses the square's edge.
qreal ExitFraction(QPointF delta, qreal half) {
  const qreal dx = std::abs(delta.x());
  const qreal dy = std::abs(delta.y());
  qreal fraction = 1;
  if (dx > 0) fraction = std::min(fraction, half / dx);
  if (dy > 0) fraction = std::min(fraction, half / dy);
  return fraction;
}

}  // namespace

DiagramNode::DiagramNode(const QRectF& rect, double fontSize)
    : size_(rect.size()), fontSize_(fontSize) {
  setPos(rect.topLeft());
  setZValue(1);
  setAcceptedMouseButtons(Qt::NoButton);
}

void DiagramNode::SetText(const QString& text) {
  text_ = text;
  update();
}

void DiagramNode::SetPicture(const NodePicture* picture) {
  picture_ = picture;
  update();
}

void DiagramNode::SetColor(const QColor& color) {
  color_ = color;
  update();
}

void DiagramNode::SetFontSize(double points) {
  fontSize_ = points;
  update();
}

void DiagramNode::SetQuiet(bool quiet) {
  quiet_ = quiet;
  setOpacity(quiet ? kQuietOpacity : 1.0);
}

DiagramLink* DiagramNode::AddLink(DiagramNode* destination) {
  auto* link = new DiagramLink(this, destination);
  scene()->addItem(link);
  links_.push_back(link);
  return link;
}

void DiagramNode::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setRenderHint(QPainter::TextAntialiasing);
  // Sizes in twips, so the label keeps its proportion to the picture on every device.
  QFont font = painter->font();
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(fontSize_ * kTwipsPerPoint))));
  const QFontMetricsF metrics(font);
  const QStringList lines = text_.isEmpty() ? QStringList() : text_.split(QStringLiteral("\r\n"));
  const QSizeF picture =
      picture_ != nullptr ? QSizeF(picture_->pixelSize()) * model::kTwipsPerPixel : QSizeF(0, 0);
  const qreal labelHeight = metrics.height() * lines.size();
  const qreal gap = picture.isEmpty() || lines.isEmpty() ? 0 : kPictureToLabel;
  qreal y = (size_.height() - picture.height() - gap - labelHeight) / 2;

  if (picture_ != nullptr) {
    picture_->Paint(*painter, QRectF((size_.width() - picture.width()) / 2, y, picture.width(),
                                     picture.height()));
    y += picture.height() + gap;
  }
  if (lines.isEmpty()) return;

  qreal labelWidth = 0;
  for (const auto& line : lines) labelWidth = std::max(labelWidth, metrics.horizontalAdvance(line));
  const QRectF plate((size_.width() - labelWidth) / 2 - kPlatePadding, y,
                     labelWidth + 2 * kPlatePadding, labelHeight);
  painter->setPen(Qt::NoPen);
  painter->setBrush(QColor(255, 255, 255, 215));
  painter->drawRoundedRect(plate, kPlatePadding, kPlatePadding);

  painter->setFont(font);
  painter->setPen(color_);
  for (const auto& line : lines) {
    painter->drawText(QRectF(0, y, size_.width(), metrics.height()),
                      Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, line);
    y += metrics.height();
  }
}

DiagramLink::DiagramLink(const DiagramNode* source, const DiagramNode* destination)
    : source_(source), destination_(destination) {
  setZValue(0);
  setAcceptedMouseButtons(Qt::NoButton);
}

void DiagramLink::SetColor(const QColor& color) {
  color_ = color;
  update();
}

QLineF DiagramLink::Segment() const {
  const QRectF from = source_->Rect();
  const QRectF to = destination_->Rect();
  const QPointF delta = to.center() - from.center();
  const qreal start = ExitFraction(delta, from.width() / 2 - kLinkInset);
  const qreal end = 1 - ExitFraction(delta, to.width() / 2 - kLinkInset);
  if (start >= end) return {};
  return {from.center() + delta * start, from.center() + delta * end};
}

QRectF DiagramLink::boundingRect() const {
  const QLineF segment = Segment();
  return QRectF(segment.p1(), segment.p2())
      .normalized()
      .adjusted(-kLinkWidth, -kLinkWidth, kLinkWidth, kLinkWidth);
}

void DiagramLink::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  const QLineF segment = Segment();
  if (segment.isNull()) return;
  painter->setRenderHint(QPainter::Antialiasing);
  // Flat ends: the ends hide near the nodes anyway, and round caps cost a path per line.
  painter->setPen(QPen(color_, kLinkWidth, Qt::SolidLine, Qt::FlatCap));
  painter->drawLine(segment);
}

}  // namespace netloom::view
