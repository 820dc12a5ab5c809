#include "gui/view/topology_diagram.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <optional>

namespace netloom::view {

namespace {

constexpr qreal kContentMargin = 20 * model::kTwipsPerPixel;
constexpr double kWheelZoomStep = 1.15;  // per notch of the wheel
constexpr double kDefaultFontPoints = 9;

}  // namespace

TopologyDiagram::TopologyDiagram(QWidget* parent) : QGraphicsView(parent) {
  auto* diagramScene = new QGraphicsScene(this);
  // Rebuilt on every refresh and hit-tested by its own geometry: an index would only cost.
  diagramScene->setItemIndexMethod(QGraphicsScene::NoIndex);
  diagramScene->setBackgroundBrush(Qt::white);
  setScene(diagramScene);
  setAccessibleName(QStringLiteral("Network diagram"));
  setFrameShape(QFrame::NoFrame);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setTransformationAnchor(QGraphicsView::NoAnchor);
  setResizeAnchor(QGraphicsView::NoAnchor);
  setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  setTransform(QTransform::fromScale(1 / model::kTwipsPerPixel, 1 / model::kTwipsPerPixel));
  FitSceneRect({0, 0});
  // Bar clicks, drags and keys; the wheel, panning and zooming are marked where they happen.
  for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
    connect(bar, &QScrollBar::actionTriggered, this, [this] { userPlaced_ = true; });
}

void TopologyDiagram::Clear() {
  clickedNode_ = nullptr;
  nodes_.clear();
  content_ = QRectF();
  scene()->clear();
}

DiagramNode* TopologyDiagram::AddNode(const QRectF& rect) {
  const double points = font().pointSizeF() > 0 ? font().pointSizeF() : kDefaultFontPoints;
  auto* node = new DiagramNode(rect, points);
  scene()->addItem(node);
  nodes_.push_back(node);
  content_ = content_.isNull() ? rect : content_.united(rect);
  if (!sceneRect().contains(ContentRect())) FitSceneRect(ScrollOffset());
  return node;
}

std::vector<model::NodeSpot> TopologyDiagram::NodeSpots() const {
  std::vector<model::NodeSpot> spots;
  spots.reserve(nodes_.size());
  for (const auto* node : nodes_) {
    const QRectF rect = node->Rect();
    spots.push_back({node->Key(), static_cast<float>(rect.left()), static_cast<float>(rect.top()),
                     static_cast<float>(rect.width()), static_cast<float>(rect.height())});
  }
  return spots;
}

DiagramNode* TopologyDiagram::NodeAt(model::DiagramPoint point) const {
  const auto index = model::NodeIndexAt(NodeSpots(), point);
  return index ? nodes_[*index] : nullptr;
}

model::DiagramPoint TopologyDiagram::PixelToDiagram(QPoint pixel) const {
  const model::DiagramPoint offset = ScrollOffset();
  return {offset.x + static_cast<float>(pixel.x()) * TwipsPerPixel(),
          offset.y + static_cast<float>(pixel.y()) * TwipsPerPixel()};
}

QPoint TopologyDiagram::BarValues() const {
  return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

model::DiagramPoint TopologyDiagram::ScrollOffset() const {
  if (BarValues() == barsAtRequest_) return requestedOffset_;
  const QPointF corner = mapToScene(QPoint(0, 0));
  return {static_cast<float>(corner.x()), static_cast<float>(corner.y())};
}

void TopologyDiagram::SetScrollOffset(model::DiagramPoint offset) {
  FitSceneRect(offset);
  const double scale = zoom_ / model::kTwipsPerPixel;
  horizontalScrollBar()->setValue(static_cast<int>(std::lround(offset.x * scale)));
  verticalScrollBar()->setValue(static_cast<int>(std::lround(offset.y * scale)));
  requestedOffset_ = offset;
  barsAtRequest_ = BarValues();
}

void TopologyDiagram::FitSceneRect(model::DiagramPoint offset) {
  // The most the widget can show at the offset. Sized by the widget, not by the viewport: the
  // viewport shrinks when a scroll bar shows, and a scene that follows it makes the bars show and
  // hide each other for ever. Half a pixel less, so that the view's rounding never finds it wider
  // than the widget and shows bars with nothing to scroll.
  const QSizeF visible =
      (QSizeF(maximumViewportSize()) - QSizeF(0.5, 0.5)) * static_cast<qreal>(TwipsPerPixel());
  QRectF rect = QRectF(QPointF(offset.x, offset.y), visible).united(QRectF(0, 0, 1, 1));
  if (!content_.isNull()) rect = rect.united(ContentRect());
  setSceneRect(rect);
}

void TopologyDiagram::SetZoom(double zoom, QPoint anchor) {
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  if (zoom == zoom_) return;
  const model::DiagramPoint fixed = PixelToDiagram(anchor);
  zoom_ = zoom;
  setTransform(QTransform::fromScale(zoom_ / model::kTwipsPerPixel, zoom_ / model::kTwipsPerPixel));
  SetScrollOffset({fixed.x - static_cast<float>(anchor.x()) * TwipsPerPixel(),
                   fixed.y - static_cast<float>(anchor.y()) * TwipsPerPixel()});
}

QRectF TopologyDiagram::ContentRect() const {
  if (content_.isNull()) return {};
  return content_.adjusted(-kContentMargin, -kContentMargin, kContentMargin, kContentMargin);
}

void TopologyDiagram::Render(QPainter& painter, const QRectF& target) {
  scene()->render(&painter, target, ContentRect(), Qt::KeepAspectRatio);
}

void TopologyDiagram::mousePressEvent(QMouseEvent* event) {
  const QPoint pixel = event->position().toPoint();
  pressPixel_ = lastDragPixel_ = pixel;
  panning_ = false;
  if (event->button() == Qt::LeftButton) clickedNode_ = NodeAt(PixelToDiagram(pixel));
  event->accept();
}

void TopologyDiagram::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return QGraphicsView::mouseMoveEvent(event);
  const QPoint pixel = event->position().toPoint();
  if (!panning_ && (pixel - pressPixel_).manhattanLength() >= QApplication::startDragDistance()) {
    panning_ = true;
    viewport()->setCursor(Qt::ClosedHandCursor);
  }
  if (panning_) {
    userPlaced_ = true;
    const QPoint delta = pixel - lastDragPixel_;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - delta.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - delta.y());
  }
  lastDragPixel_ = pixel;
  event->accept();
}

void TopologyDiagram::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    if (panning_) {
      panning_ = false;
      viewport()->unsetCursor();
    } else {
      emit clicked();
    }
  }
  emit buttonReleased(event->button(), event->modifiers(), event->position().toPoint());
  event->accept();
}

void TopologyDiagram::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    clickedNode_ = NodeAt(PixelToDiagram(event->position().toPoint()));
    emit doubleClicked();
  }
  event->accept();
}

void TopologyDiagram::wheelEvent(QWheelEvent* event) {
  userPlaced_ = true;
  if (!(event->modifiers() & Qt::ControlModifier)) return QGraphicsView::wheelEvent(event);
  const double notches = event->angleDelta().y() / 120.0;
  SetZoom(zoom_ * std::pow(kWheelZoomStep, notches), event->position().toPoint());
  event->accept();
}

void TopologyDiagram::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    const QPoint centre = viewport()->rect().center();
    std::optional<double> zoom;
    switch (event->key()) {
      case Qt::Key_Plus:
      case Qt::Key_Equal:
        zoom = zoom_ * kWheelZoomStep;
        break;
      case Qt::Key_Minus:
        zoom = zoom_ / kWheelZoomStep;
        break;
      case Qt::Key_0:
        zoom = 1.0;
        break;
      default:
        break;
    }
    if (zoom) {
      userPlaced_ = true;
      return SetZoom(*zoom, centre);
    }
  }
  QGraphicsView::keyPressEvent(event);
}

void TopologyDiagram::resizeEvent(QResizeEvent* event) {
  // The same diagram point stays at the top-left corner.
  const model::DiagramPoint offset = ScrollOffset();
  QGraphicsView::resizeEvent(event);
  SetScrollOffset(offset);
}

}  // namespace netloom::view
