// The items a topology diagram is made of: nodes (a square in twips with a picture, a label, a
// user key and a colour) and the links between them. The diagram widget creates and owns them;
// the network view sets their properties. UI thread only.
#pragma once

#include <QColor>
#include <QGraphicsItem>
#include <QString>
#include <cstdint>
#include <vector>

namespace netloom::view {

class NodePicture;
class DiagramLink;

class DiagramNode : public QGraphicsItem {
 public:
  // A node whose square is `rect` (twips); its label font starts at `fontSize` points.
  DiagramNode(const QRectF& rect, double fontSize);

  float Left() const { return static_cast<float>(pos().x()); }
  float Top() const { return static_cast<float>(pos().y()); }
  QRectF Rect() const { return QRectF(pos(), size_); }

  // The label; "\r\n" separates its lines.
  const QString& Text() const { return text_; }
  void SetText(const QString& text);
  // Stored and returned unchanged: leads back to the node's record.
  std::int32_t Key() const { return key_; }
  void SetKey(std::int32_t key) { key_ = key; }
  // The picture object last set (compare by identity), or null.
  const NodePicture* Picture() const { return picture_; }
  void SetPicture(const NodePicture* picture);
  // Colour of the label: black normally, red marks the selected node.
  QColor Color() const { return color_; }
  void SetColor(const QColor& color);
  double FontSize() const { return fontSize_; }
  void SetFontSize(double points);
  // A node not heard in the latest walk is drawn greyed (faded).
  bool Quiet() const { return quiet_; }
  void SetQuiet(bool quiet);

  // A new link from this node to `destination`, owned by the diagram.
  DiagramLink* AddLink(DiagramNode* destination);
  const std::vector<DiagramLink*>& Links() const { return links_; }

  QRectF boundingRect() const override { return QRectF(QPointF(0, 0), size_); }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  QSizeF size_;
  QString text_;
  std::int32_t key_ = 0;
  const NodePicture* picture_ = nullptr;
  QColor color_ = Qt::black;
  double fontSize_;
  bool quiet_ = false;
  std::vector<DiagramLink*> links_;
};

class DiagramLink : public QGraphicsItem {
 public:
  DiagramLink(const DiagramNode* source, const DiagramNode* destination);

  const DiagramNode* Source() const { return source_; }
  const DiagramNode* Destination() const { return destination_; }
  QColor Color() const { return color_; }
  void SetColor(const QColor& color);

  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  // The segment between the two squares' centres, without the parts inside the squares.
  QLineF Segment() const;

  const DiagramNode* source_;
  const DiagramNode* destination_;
  QColor color_ = Qt::black;
};

}  // namespace netloom::view
