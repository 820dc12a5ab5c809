#include "gui/panes/menu_button.h"

#include <QMenu>

namespace netloom::panes {

QToolButton* CreateMenuButton(const QString& text, const QString& toolTip, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(text);
  button->setToolTip(toolTip);
  button->setAccessibleName(text);
  button->setPopupMode(QToolButton::InstantPopup);
  auto* menu = new QMenu(button);
  menu->setAccessibleName(text);
  button->setMenu(menu);
  return button;
}

}  // namespace netloom::panes
