// TopologyDiagram: the widget the network view draws the network on. A diagram of nodes and
// links in twips (15 per pixel at zoom 1) on a Qt graphics view.
//
// What the view relies on: Clear leaves an empty diagram; the node collection is live and in
// creation order; ClickedNode is the node under the press of the click being reported; the
// scroll offset is the diagram point at the visible area's top-left corner, so pixel p of the
// widget shows diagram point p * TwipsPerPixel() + offset, and an offset that was set reads back
// exactly until the user scrolls; NodeAt finds the node whose square holds a point.
//
// The user scrolls with the scroll bars, the wheel or by dragging the background, and zooms with
// Ctrl + wheel or Ctrl + plus / minus / 0. UI thread only.
#pragma once

#include <QGraphicsView>
#include <QPoint>
#include <vector>

#include "gui/model/diagram_layout.h"
#include "gui/view/diagram_items.h"

namespace netloom::view {

class TopologyDiagram : public QGraphicsView {
  Q_OBJECT
 public:
  static constexpr double kMinZoom = 0.25;
  static constexpr double kMaxZoom = 4.0;

  explicit TopologyDiagram(QWidget* parent = nullptr);

  // Removes every node and link.
  void Clear();

  // --- the node collection, in creation order ---
  int NodeCount() const { return static_cast<int>(nodes_.size()); }
  DiagramNode* Node(int index) const { return nodes_.at(static_cast<std::size_t>(index)); }
  // A new node with the square `rect` (twips); its label font starts at the widget's font size.
  DiagramNode* AddNode(const QRectF& rect);

  // Every node's key and square, in creation order.
  std::vector<model::NodeSpot> NodeSpots() const;
  // The node under the press of the click being reported, or null.
  DiagramNode* ClickedNode() const { return clickedNode_; }
  // The topmost node whose square holds `point` (twips), or null.
  DiagramNode* NodeAt(model::DiagramPoint point) const;
  // The diagram point shown at `pixel` of the widget's visible area.
  model::DiagramPoint PixelToDiagram(QPoint pixel) const;

  // --- scrolling and zoom ---
  model::DiagramPoint ScrollOffset() const;
  void SetScrollOffset(model::DiagramPoint offset);
  double Zoom() const { return zoom_; }
  // Sets the zoom (clamped to kMinZoom..kMaxZoom), keeping the diagram point under `anchor`
  // (a pixel of the visible area) where it is.
  void SetZoom(double zoom, QPoint anchor = {});
  float TwipsPerPixel() const { return model::kTwipsPerPixel / static_cast<float>(zoom_); }
  // The user has scrolled, panned or zoomed since the diagram was made or since
  // ForgetUserPlace: a redraw keeps the user's place then.
  bool UserPlaced() const { return userPlaced_; }
  void ForgetUserPlace() { userPlaced_ = false; }

  // --- output ---
  // Bounds of everything drawn (twips), with a margin; empty when the diagram is.
  QRectF ContentRect() const;
  // Draws the diagram's content into `target` of `painter`, scaled to fit, centred.
  void Render(QPainter& painter, const QRectF& target);

 signals:
  void clicked();
  void doubleClicked();
  void buttonReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pixel);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Makes the scrollable area cover the content and the visible area at `offset`.
  void FitSceneRect(model::DiagramPoint offset);
  QPoint BarValues() const;

  std::vector<DiagramNode*> nodes_;
  QRectF content_;
  DiagramNode* clickedNode_ = nullptr;
  double zoom_ = 1.0;
  // The offset last set and the scroll bars it gave: it reads back until the bars move.
  model::DiagramPoint requestedOffset_;
  QPoint barsAtRequest_{-1, -1};
  // Dragging the background pans.
  QPoint pressPixel_;
  QPoint lastDragPixel_;
  bool panning_ = false;
  bool userPlaced_ = false;
};

}  // namespace netloom::view
