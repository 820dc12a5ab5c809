#include "gui/res/resources.h"

#include <QFile>
#include <map>

#include "gui/res/resource_ids.h"

static void InitNetloomResources() {
  Q_INIT_RESOURCE(netloom);
}

namespace netloom::res {

void InitResources() {
  InitNetloomResources();
}

QIcon CommandIcon(int commandId) {
  static const std::map<int, const char*> kIcons = {
      {kFileNew, "new"},
      {kNewNetworkDocument, "new"},
      {kFileOpen, "open"},
      {kFileSave, "save"},
      {kEditCut, "cut"},
      {kEditCopy, "copy"},
      {kEditPaste, "paste"},
      {kFilePrint, "print"},
      {kAppAbout, "about"},
      {kUartSetting, "uart"},
      {kConnect, "connect"},
      {kDisconnect, "disconnect"},
      {kWizard, "wizard"},
      {kUpgrade, "upgrade"},
      {kTextClear, "clear"},
      {kRun, "run"},
      {kStop, "stop"},
      {kTree, "tree"},
      {kCircle, "circle"},
      {kSendAtCommand, "send"},
      {kConsoleRemote, "remote"},
      {kParametersRemote, "remote"},
      {kParametersRead, "read"},
      {kParametersWrite, "write"},
  };
  const auto it = kIcons.find(commandId);
  if (it == kIcons.end()) return {};
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(it->second)));
}

QIcon ApplicationIcon() {
  // Installed, the icon theme's "netloom" (the package puts it into hicolor), so the window, the
  // menu entry and the task bar show the same icon; run from the build tree, the compiled-in one.
  return QIcon::fromTheme(QStringLiteral("netloom"), QIcon(QStringLiteral(":/icons/netloom.svg")));
}

}  // namespace netloom::res
