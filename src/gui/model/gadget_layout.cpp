#include "gui/model/gadget_layout.h"

#include <algorithm>

namespace netloom::model {

GadgetLayout LayOutGadgets(int count, int clientWidth, int clientHeight) {
  GadgetLayout layout;
  int x = 0;
  int y = kFirstRowTop;
  for (int i = 0; i < count; ++i) {
    layout.places.push_back(
        {{x + kIconInset, y, kIconSide, kIconSide}, {x, y + kIconSide, kLabelWidth, kLabelHeight}});
    x += kColumnWidth;
    if (x + kColumnWidth > clientWidth) {
      x = 0;
      y += kRowHeight;
    }
  }
  layout.scrollHeight = std::max(y + kRowHeight, clientHeight);
  return layout;
}

IconSize IconDrawSize(int width, int height) {
  return {std::min(width, kIconSide), std::min(height, kIconSide)};
}

}  // namespace netloom::model
