// The lower row of a network document: the output edit, inset by one pixel, or in its place
// the hex view of the document's session log (View > Hex).
#pragma once

#include <QWidget>

#include "gui/panes/hex_view.h"
#include "gui/panes/output_edit.h"

namespace netloom::panes {

class COutputView : public QWidget {
  Q_OBJECT
 public:
  explicit COutputView(QWidget* parent = nullptr);

  COutputEdit* edit() { return edit_; }
  CHexView* hex() { return hex_; }
  // Shows the hex view instead of the edit, or the edit again.
  void SetHexShown(bool shown);
  bool hexShown() const { return !hex_->isHidden(); }
  // The monospace bold font of the pane (a stand-in for "MS Gothic", height 14, weight 900).
  static QFont PaneFont();

 public slots:
  // Edit > Copy: copies the selection of whichever widget has the keyboard focus.
  void Copy();

 private:
  COutputEdit* edit_;
  CHexView* hex_;
};

}  // namespace netloom::panes
