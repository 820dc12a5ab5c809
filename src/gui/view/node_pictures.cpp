#include "gui/view/node_pictures.h"

#include <QPaintEngine>
#include <QPainter>

static void InitNodeArtwork() {
  Q_INIT_RESOURCE(nodes);
}

namespace netloom::view {

namespace {

// Enough for every zoom step of a session; beyond it the cache starts again.
constexpr qsizetype kMaxCachedPixmaps = 32;

bool RastersPixels(const QPainter& painter) {
  const auto* engine = painter.paintEngine();
  if (engine == nullptr) return false;
  switch (engine->type()) {
    case QPaintEngine::Raster:
    case QPaintEngine::OpenGL:
    case QPaintEngine::OpenGL2:
      return true;
    default:
      return false;
  }
}

}  // namespace

NodePicture::NodePicture(model::NodeKind kind, bool selected)
    : kind_(kind),
      selected_(selected),
      pixelSize_(model::PictureSize(kind).width, model::PictureSize(kind).height),
      renderer_(std::make_unique<QSvgRenderer>(QStringLiteral(":/nodes/%1%2.svg")
                                                   .arg(QLatin1String(model::KindStem(kind)))
                                                   .arg(selected ? "_selected" : ""))) {}

void NodePicture::Paint(QPainter& painter, const QRectF& target) const {
  // The world transform maps to the painter's logical pixels (whatever the widget's offset in
  // its window); the device's pixel ratio makes them device pixels.
  const QTransform& world = painter.worldTransform();
  if (!RastersPixels(painter) || world.type() > QTransform::TxScale) {
    renderer_->render(&painter, target);
    return;
  }
  // Device pixels, whole ones: the pixmap lands on the device grid unscaled.
  const qreal ratio = painter.device()->devicePixelRatio();
  const QRectF logical = world.mapRect(target);
  const QRect onDevice = QRectF(logical.topLeft() * ratio, logical.size() * ratio).toRect();
  const int width = std::max(1, onDevice.width());
  const int height = std::max(1, onDevice.height());
  const quint64 key = (static_cast<quint64>(width) << 32) | static_cast<quint32>(height);
  auto found = pixmaps_.find(key);
  if (found == pixmaps_.end()) {
    if (pixmaps_.size() >= kMaxCachedPixmaps) pixmaps_.clear();
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter onPixmap(&pixmap);
    onPixmap.setRenderHint(QPainter::Antialiasing);
    renderer_->render(&onPixmap);
    onPixmap.end();
    found = pixmaps_.insert(key, pixmap);
  }
  found->setDevicePixelRatio(ratio);
  painter.save();
  painter.setWorldTransform(QTransform());
  painter.drawPixmap(QPointF(onDevice.topLeft()) / ratio, *found);
  painter.restore();
}

NodePictures::NodePictures() {
  InitNodeArtwork();
  for (int k = 0; k < model::kNodeKindCount; ++k) {
    for (const bool selected : {false, true}) {
      pictures_[static_cast<std::size_t>(2 * k + (selected ? 1 : 0))] =
          std::make_unique<NodePicture>(static_cast<model::NodeKind>(k), selected);
    }
  }
}

const NodePicture* NodePictures::Get(model::NodeKind kind, bool selected) const {
  return pictures_[static_cast<std::size_t>(2 * static_cast<int>(kind) + (selected ? 1 : 0))].get();
}

const NodePicture* NodePictures::Variant(const NodePicture* picture, bool selected) const {
  return picture == nullptr ? nullptr : Get(picture->kind(), selected);
}

}  // namespace netloom::view
