// Builds the menu bar's menus of one menu set from the command tables' MenuSpecs.
//
// Each command entry is the frame's action for it (the same action in both sets and in the
// toolbars); a menu with a MenuFill is emptied and filled by `fill` each time it opens.
// UI thread only.
#pragma once

#include <QList>
#include <functional>
#include <span>

#include "gui/shell/command_tables.h"

class QAction;
class QMenu;
class QWidget;

namespace netloom::shell {

using ActionLookup = std::function<QAction*(int id)>;
using MenuFiller = std::function<void(MenuFill fill, QMenu& menu)>;

// The top-level menus of `specs` that show in `set`, with the entries that show in it; children
// of `parent`.
QList<QMenu*> BuildMenus(std::span<const MenuEntry> specs, MenuSet set, const ActionLookup& action,
                         const MenuFiller& fill, QWidget* parent);

}  // namespace netloom::shell
