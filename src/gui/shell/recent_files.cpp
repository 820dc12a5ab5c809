#include "gui/shell/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace netloom::shell {

QStringList RecentFiles(const QSettings& settings) {
  return settings.value(kRecentFilesKey).toStringList().mid(0, kMaxRecentFiles);
}

void AddRecentFile(QSettings& settings, const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList files = RecentFiles(settings);
  files.removeAll(absolute);
  files.prepend(absolute);
  settings.setValue(kRecentFilesKey, files.mid(0, kMaxRecentFiles));
}

void RemoveRecentFile(QSettings& settings, const QString& path) {
  QStringList files = RecentFiles(settings);
  files.removeAll(path);
  settings.setValue(kRecentFilesKey, files);
}

}  // namespace netloom::shell
