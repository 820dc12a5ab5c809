// One gadget of the pane: the item that draws the icon and starts a drag, and its name label.
// The item takes the keyboard focus, and Ctrl+C copies its name as a drag would offer it. Both
// are children of the pane's scroll canvas; the item owns nothing of its label's but a pointer.
// UI thread only.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>

#include "gui/gadget/gadget_scan.h"

namespace netloom::gadget {

// The label under a gadget: centred on a transparent background; a name too long for the column
// ends in "..." and shows in full as its tooltip.
class CGadgetName : public QLabel {
  Q_OBJECT
 public:
  CGadgetName(const QString& text, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
};

class CGadgetInfo : public QWidget {
  Q_OBJECT
 public:
  // Creates the item and its label as children of `parent`.
  CGadgetInfo(GadgetEntry entry, QWidget* parent);

  const QString& name() const { return entry_.name; }
  const QString& folder() const { return entry_.folder; }
  const QImage& icon() const { return entry_.icon; }
  CGadgetName* label() const { return label_; }
  // Places the item and its label.
  void Place(const QRect& item, const QRect& label);

 signals:
  // Around the drag loop, which runs nested inside the button press.
  void dragStarted();
  void dragFinished();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  GadgetEntry entry_;
  CGadgetName* label_;
};

}  // namespace netloom::gadget
