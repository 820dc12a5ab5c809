// A toolbar's own button for a command: customising the toolbar hides the button, not the
// command's menu items.
#pragma once

class QAction;
class QToolBar;

namespace netloom::shell {

// A new action owned by `bar` that shows `command` there: it follows the command's text, icon,
// tips, enabled and checked state and triggers it; its visibility is its own. Not added to the
// bar.
QAction* ToolBarButton(QToolBar* bar, QAction* command);

}  // namespace netloom::shell
