// The 22 node pictures of the topology diagram: a normal and a selected picture per node kind,
// drawn from the compiled-in SVG artwork at the size each kind's picture has on screen.
//
// Pictures are compared by identity: a diagram node holds a pointer to one of them, and the
// selection swaps it for the other picture of the same kind. The set outlives the diagrams that
// show it (the network view owns both). UI thread only.
#pragma once

#include <QHash>
#include <QPixmap>
#include <QSvgRenderer>
#include <array>
#include <memory>

#include "gui/model/diagram_layout.h"

class QPainter;

namespace netloom::view {

class NodePicture {
 public:
  NodePicture(model::NodeKind kind, bool selected);

  model::NodeKind kind() const { return kind_; }
  bool selected() const { return selected_; }
  // Size on screen at zoom 1, in pixels.
  QSize pixelSize() const { return pixelSize_; }
  bool valid() const { return renderer_->isValid(); }

  // Paints the picture into `target` (in the painter's coordinates). On screens and images it
  // draws a pixmap rendered for the exact device size (crisp at every zoom and pixel ratio); on
  // vector devices (printer, PDF, SVG) it draws the artwork itself.
  void Paint(QPainter& painter, const QRectF& target) const;

 private:
  model::NodeKind kind_;
  bool selected_;
  QSize pixelSize_;
  std::unique_ptr<QSvgRenderer> renderer_;
  mutable QHash<quint64, QPixmap> pixmaps_;  // by device width and height
};

class NodePictures {
 public:
  NodePictures();
  NodePictures(const NodePictures&) = delete;
  NodePictures& operator=(const NodePictures&) = delete;

  const NodePicture* Get(model::NodeKind kind, bool selected) const;
  // The normal or selected counterpart of `picture` (the same kind); null for null.
  const NodePicture* Variant(const NodePicture* picture, bool selected) const;

 private:
  std::array<std::unique_ptr<NodePicture>, 2 * model::kNodeKindCount> pictures_;
};

}  // namespace netloom::view
