// The gadget pane's scrolling grid: the items and their labels laid out in columns that follow
// the pane's width, or one line saying where gadgets go when there are none. UI thread only.
#pragma once

#include <QScrollArea>
#include <vector>

#include "gui/gadget/gadget_info.h"
#include "gui/gadget/gadget_scan.h"

class QLabel;

namespace netloom::gadget {

class CGadgetScrollView : public QScrollArea {
  Q_OBJECT
 public:
  explicit CGadgetScrollView(QWidget* parent = nullptr);

  // Replaces the items by one per entry, in order, and lays them out.
  void SetGadgets(std::vector<GadgetEntry> entries);
  const std::vector<CGadgetInfo*>& items() const { return items_; }
  // The line shown while there are no items.
  void SetEmptyNote(const QString& text);
  QLabel* emptyNote() const { return emptyNote_; }
  // True while an item's drag runs (its items must stay alive until it ends).
  bool dragActive() const { return dragActive_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void LayOut();

  QWidget* canvas_;
  QLabel* emptyNote_;
  std::vector<CGadgetInfo*> items_;
  bool dragActive_ = false;
};

}  // namespace netloom::gadget
