// The program's artwork (toolbar icons, application icon), compiled in.
#pragma once

#include <QIcon>

namespace netloom::res {

// Registers the compiled-in resources; call once before the first icon is used.
void InitResources();
// The icon of a command id, or a null icon when it has none.
QIcon CommandIcon(int commandId);
// The program's icon: the icon theme's "netloom", else the compiled-in one.
QIcon ApplicationIcon();

}  // namespace netloom::res
