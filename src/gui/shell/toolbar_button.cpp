#include "gui/shell/toolbar_button.h"

#include <QAction>
#include <QToolBar>

namespace netloom::shell {

QAction* ToolBarButton(QToolBar* bar, QAction* command) {
  auto* button = new QAction(bar);
  button->setData(command->data());
  auto follow = [button, command] {
    button->setText(command->text());
    button->setIcon(command->icon());
    button->setToolTip(command->toolTip());
    button->setStatusTip(command->statusTip());
    button->setEnabled(command->isEnabled());
    button->setCheckable(command->isCheckable());
    button->setChecked(command->isChecked());
  };
  follow();
  QObject::connect(command, &QAction::changed, button, follow);
  QObject::connect(command, &QAction::toggled, button, follow);
  QObject::connect(button, &QAction::triggered, command, [command] { command->trigger(); });
  return button;
}

}  // namespace netloom::shell
