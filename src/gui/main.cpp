// netloom: the desktop program.
#include <QApplication>
#include <cstdio>

#include "gui/shell/netloom_app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Netloom"));
  QApplication::setApplicationVersion(QStringLiteral(NETLOOM_VERSION));
  // Ties the windows to the menu entry (its icon and name on Wayland).
  QApplication::setDesktopFileName(QStringLiteral("org.netloom.Netloom"));
  QString error;
  const auto start = netloom::shell::ParseStartOptions(QApplication::arguments(), error);
  if (!start) {
    std::fprintf(stderr, "netloom: %s (see --help)\n", qPrintable(error));
    return 2;
  }
  netloom::shell::CNetloomApp netloomApp;
  netloomApp.InitInstance(*start);
  return QApplication::exec();
}
