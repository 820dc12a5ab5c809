#include "gui/panes/profile_menu.h"

#include <QFileDialog>
#include <QMenu>

#include "gui/panes/menu_button.h"

namespace netloom::panes {
namespace {

const QString kProfileFilter = QStringLiteral("Configuration profiles (*.json);;All files (*)");

// The file chosen, or empty when the user cancelled.
QString AskPath(QWidget* parent, bool save, const QString& title) {
  QFileDialog dialog(parent, title, QString(), kProfileFilter);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QStringLiteral("json"));
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace

QToolButton* CreateProfileButton(const ProfileCommands& commands, QWidget* parent) {
  QToolButton* button =
      CreateMenuButton(QStringLiteral("Profile"),
                       QStringLiteral("Save, load and compare configuration profiles"), parent);
  QMenu* menu = button->menu();
  const auto withFile = [menu, parent](const QString& text, bool save,
                                       const std::function<void(const QString&)>& command) {
    const QString title = QString(text).remove(QStringLiteral("..."));
    QObject::connect(menu->addAction(text), &QAction::triggered, menu,
                     [parent, save, title, command] {
                       const QString path = AskPath(parent, save, title);
                       if (!path.isEmpty()) command(path);
                     });
  };
  withFile(QStringLiteral("Save Profile..."), true, commands.save);
  withFile(QStringLiteral("Load Profile..."), false, commands.load);
  menu->addSeparator();
  withFile(QStringLiteral("Compare with Profile..."), false, commands.compareWithFile);
  QObject::connect(menu->addAction(QStringLiteral("Compare with Module")), &QAction::triggered,
                   menu, commands.compareWithModule);
  menu->addSeparator();
  QObject::connect(menu->addAction(QStringLiteral("Load Defaults")), &QAction::triggered, menu,
                   commands.loadDefaults);
  return button;
}

}  // namespace netloom::panes
