#include "gui/gadget/gadget_scan.h"

#include <QSet>

#include "gui/gadget/gadget_files.h"

namespace netloom::gadget {

std::vector<GadgetEntry> ScanGadgets(const QStringList& folders) {
  std::vector<GadgetEntry> entries;
  QSet<QByteArray> found;
  for (const QString& folder : folders) {
    for (const SubFolder& sub : ListSubFolders(folder)) {
      if (found.contains(sub.rawName)) continue;
      GadgetEntry entry{
          sub.name, folder, ReadPicture(sub.path + "/icon.png"), {}, !IsUtf8(sub.rawName)};
      if (entry.icon.isNull()) continue;
      entry.drag = ReadPicture(sub.path + "/drag.png");
      if (entry.drag.isNull()) continue;
      found.insert(sub.rawName);
      entries.push_back(std::move(entry));
    }
  }
  return entries;
}

QString GadgetLabel(const QString& name) {
  return name.section(u'.', 0, 0);
}

}  // namespace netloom::gadget
