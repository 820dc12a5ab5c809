#include "gui/gadget/gadget_folders.h"

#include <QDir>
#include <QFileInfo>

static void InitGadgetResources() {
  Q_INIT_RESOURCE(gadgets);
}

namespace netloom::gadget {
namespace {

const QString kGadgetsUnderData = QStringLiteral("/netloom/gadgets");

// Relative entries are invalid by the XDG rules and are ignored.
bool Usable(const QString& path) {
  return !path.isEmpty() && QDir::isAbsolutePath(path);
}

}  // namespace

XdgDataEnv XdgDataEnv::FromProcess() {
  return {QDir::homePath(), qEnvironmentVariable("XDG_DATA_HOME"),
          qEnvironmentVariable("XDG_DATA_DIRS")};
}

QString UserGadgetFolder(const XdgDataEnv& env) {
  const QString dataHome =
      Usable(env.dataHome) ? env.dataHome : env.home + QStringLiteral("/.local/share");
  return QDir::cleanPath(dataHome + kGadgetsUnderData);
}

QStringList SystemGadgetFolders(const XdgDataEnv& env, const QString& programDir) {
  QStringList dataDirs = env.dataDirs.split(u':', Qt::SkipEmptyParts);
  dataDirs.removeIf([](const QString& dir) { return !Usable(dir); });
  if (dataDirs.isEmpty())
    dataDirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
  if (!programDir.isEmpty()) dataDirs << programDir + QStringLiteral("/../share");
  QStringList folders;
  for (const QString& dir : dataDirs) {
    const QString folder = QDir::cleanPath(dir + kGadgetsUnderData);
    if (!folders.contains(folder)) folders << folder;
  }
  return folders;
}

QString BuiltInGadgetFolder() {
  InitGadgetResources();
  return QStringLiteral(":/gadgets");
}

QStringList GadgetSearchPath(const XdgDataEnv& env, const QString& programDir) {
  const QStringList system = SystemGadgetFolders(env, programDir);
  QStringList path{UserGadgetFolder(env)};
  bool installed = false;
  for (const QString& folder : system) {
    installed = installed || QFileInfo(folder).isDir();
    if (!path.contains(folder)) path << folder;
  }
  if (!installed) path << BuiltInGadgetFolder();
  return path;
}

QString DisplayFolder(const QString& folder, const QString& home) {
  if (!home.isEmpty() && home != QStringLiteral("/") &&
      (folder == home || folder.startsWith(home + u'/')))
    return u'~' + folder.mid(home.size());
  return folder;
}

}  // namespace netloom::gadget
