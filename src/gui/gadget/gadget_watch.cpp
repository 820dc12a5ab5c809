#include "gui/gadget/gadget_watch.h"

#include <QDir>
#include <QFileInfo>

namespace netloom::gadget {
namespace {

constexpr int kQuietMs = 200;

QString NearestExistingFolder(QString path) {
  while (!QFileInfo(path).isDir()) {
    const QString parent = QFileInfo(path).path();
    if (parent == path) return {};
    path = parent;
  }
  return path;
}

}  // namespace

GadgetWatch::GadgetWatch(QObject* parent) : QObject(parent) {
  settle_.setSingleShot(true);
  settle_.setInterval(kQuietMs);
  connect(&settle_, &QTimer::timeout, this, &GadgetWatch::changed);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &GadgetWatch::Retry);
}

void GadgetWatch::Watch(const QStringList& folders) {
  QStringList paths;
  for (const QString& folder : folders) {
    if (folder.startsWith(u':')) continue;
    const QString existing = NearestExistingFolder(folder);
    if (existing.isEmpty()) continue;
    paths << existing;
    if (existing != folder) continue;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
      paths << dir.filePath(name);
  }
  paths.removeDuplicates();
  const QStringList watched = watcher_.directories();
  QStringList gone;
  for (const QString& path : watched)
    if (!paths.contains(path)) gone << path;
  if (!gone.isEmpty()) watcher_.removePaths(gone);
  QStringList added;
  for (const QString& path : paths)
    if (!watched.contains(path)) added << path;
  if (!added.isEmpty()) watcher_.addPaths(added);
}

void GadgetWatch::Retry() {
  settle_.start();
}

}  // namespace netloom::gadget
