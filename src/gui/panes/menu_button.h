// A toolbar button that opens its own menu at a click, as the panes' History and Profile
// buttons do. UI thread only.
#pragma once

#include <QString>
#include <QToolButton>

namespace netloom::panes {

// The button, a child of `parent`, showing `text` (also its and its menu's accessible name) with
// `toolTip`, and an empty menu of its own (button->menu()).
QToolButton* CreateMenuButton(const QString& text, const QString& toolTip, QWidget* parent);

}  // namespace netloom::panes
