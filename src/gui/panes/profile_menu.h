// The Parameters pane's Profile button: its menu asks for a file where one is needed and hands
// the choice to the pane (Save, Load, Compare with Profile, Compare with Module, Load Defaults).
// UI thread only.
#pragma once

#include <QString>
#include <QToolButton>
#include <functional>

namespace netloom::panes {

struct ProfileCommands {
  std::function<void(const QString& path)> save;
  std::function<void(const QString& path)> load;
  std::function<void(const QString& path)> compareWithFile;
  std::function<void()> compareWithModule;
  std::function<void()> loadDefaults;
};

// The button with its menu, a child of `parent`; the file dialogs open over `parent`.
QToolButton* CreateProfileButton(const ProfileCommands& commands, QWidget* parent);

}  // namespace netloom::panes
