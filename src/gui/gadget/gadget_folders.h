// Where gadgets live: the user's data folder first, then the system data folders, following the
// XDG base-directory rules, with the gadgets compiled into the program as the last resort.
#pragma once

#include <QString>
#include <QStringList>

namespace netloom::gadget {

// The environment the search depends on (passed in, so tests need not touch the process's).
struct XdgDataEnv {
  QString home;      // $HOME
  QString dataHome;  // $XDG_DATA_HOME, empty when unset
  QString dataDirs;  // $XDG_DATA_DIRS, empty when unset
  static XdgDataEnv FromProcess();
};

// The user's gadget folder: $XDG_DATA_HOME/netloom/gadgets, or ~/.local/share/netloom/gadgets when
// the variable is unset or not an absolute path.
QString UserGadgetFolder(const XdgDataEnv& env);

// netloom/gadgets under each absolute entry of $XDG_DATA_DIRS (default /usr/local/share and
// /usr/share), then under `programDir`/../share (a program installed outside those), without
// repeats. An empty `programDir` adds nothing.
QStringList SystemGadgetFolders(const XdgDataEnv& env, const QString& programDir);

// The compiled-in gadgets, a resource folder.
QString BuiltInGadgetFolder();

// The folders to scan, in order: the user's, the system ones, and the compiled-in gadgets when
// none of the system folders exists (the program runs from its build tree).
QStringList GadgetSearchPath(const XdgDataEnv& env, const QString& programDir);

// `folder` for people: the home folder shown as "~".
QString DisplayFolder(const QString& folder, const QString& home);

}  // namespace netloom::gadget
