// The lock state from the X11 display; apart from the widgets, since the X11 headers define
// names (KeyPress, None, Bool) that Qt's code uses.
#include <QGuiApplication>

#include "gui/shell/lock_indicators.h"

#if defined(NETLOOM_HAVE_X11) && QT_CONFIG(xcb)
#include <X11/XKBlib.h>
#endif

namespace netloom::shell {

std::optional<LockState> DisplayLockState() {
#if defined(NETLOOM_HAVE_X11) && QT_CONFIG(xcb)
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->display() == nullptr) return std::nullopt;
  unsigned int state = 0;
  if (XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) != Success) return std::nullopt;
  // The core keyboard's indicators in their usual order: Caps Lock, Num Lock, Scroll Lock.
  return LockState{(state & 1u) != 0, (state & 2u) != 0, (state & 4u) != 0};
#else
  return std::nullopt;
#endif
}

}  // namespace netloom::shell
