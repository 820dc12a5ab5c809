// The lower row of a network document: the output edit, inset by one pixel.
#pragma once

#include <QWidget>

#include "gui/panes/output_edit.h"

namespace netloom::panes {

class COutputView : public QWidget {
  Q_OBJECT
 public:
  explicit COutputView(QWidget* parent = nullptr);

  COutputEdit* edit() { return edit_; }
  // The monospace bold font of the pane (a stand-in for "MS Gothic", height 14, weight 900).
  static QFont PaneFont();

 public slots:
  // Edit > Copy: copies the selection of whichever widget has the keyboard focus.
  void Copy();

 private:
  COutputEdit* edit_;
};

}  // namespace netloom::panes
