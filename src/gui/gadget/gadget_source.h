// The data a dragged gadget offers: its full folder name as plain text, so any window that takes
// dropped text (an editor, a terminal) receives the name.
#pragma once

#include <QMimeData>

namespace netloom::gadget {

class CGadgetSource : public QMimeData {
 public:
  explicit CGadgetSource(const QString& name) { setText(name); }
};

}  // namespace netloom::gadget
