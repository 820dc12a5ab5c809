#include "gui/gadget/gadget_scan.h"

#include <QDir>
#include <QSet>

namespace netloom::gadget {

std::vector<GadgetEntry> ScanGadgets(const QStringList& folders) {
  std::vector<GadgetEntry> entries;
  QSet<QString> found;
  for (const QString& folder : folders) {
    const QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
      if (found.contains(name)) continue;
      GadgetEntry entry{name, folder, QImage(dir.filePath(name + QStringLiteral("/icon.png"))), {}};
      if (entry.icon.isNull()) continue;
      entry.drag = QImage(dir.filePath(name + QStringLiteral("/drag.png")));
      if (entry.drag.isNull()) continue;
      found.insert(name);
      entries.push_back(std::move(entry));
    }
  }
  return entries;
}

QString GadgetLabel(const QString& name) {
  return name.section(u'.', 0, 0);
}

}  // namespace netloom::gadget
