#include "gui/shell/menu_builder.h"

#include <QMenu>

namespace netloom::shell {
namespace {

void AddEntries(QMenu& menu, const MenuEntry& spec, MenuSet set, const ActionLookup& action,
                const MenuFiller& fill) {
  if (spec.fill != MenuFill::None) {
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu, fill, kind = spec.fill] {
      menu.clear();
      fill(kind, menu);
    });
  }
  for (const MenuEntry& entry : spec.entries) {
    if (!InMenuSet(entry.set, set)) continue;
    if (entry.title)
      AddEntries(*menu.addMenu(QString::fromLatin1(entry.title)), entry, set, action, fill);
    else if (entry.id == kSeparator)
      menu.addSeparator();
    else
      menu.addAction(action(entry.id));
  }
}

}  // namespace

QList<QMenu*> BuildMenus(std::span<const MenuEntry> specs, MenuSet set, const ActionLookup& action,
                         const MenuFiller& fill, QWidget* parent) {
  QList<QMenu*> menus;
  for (const MenuEntry& spec : specs) {
    if (!InMenuSet(spec.set, set)) continue;
    auto* menu = new QMenu(QString::fromLatin1(spec.title), parent);
    AddEntries(*menu, spec, set, action, fill);
    menus << menu;
  }
  return menus;
}

}  // namespace netloom::shell
