// The folder scan: which gadgets the folders hold, with their pictures loaded. No widgets, so it
// is cheap to test and to time.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

namespace netloom::gadget {

struct GadgetEntry {
  QString name;             // the sub-folder's name, complete (what a drag offers)
  QString folder;           // the gadgets folder it was found in
  QImage icon;              // "icon.png"
  QImage drag;              // "drag.png"
  bool nameMarked = false;  // the folder's name is not UTF-8: `name` shows its bytes as "\xNN"
};

// The gadgets of `folders`, searched in order: every sub-folder (files and hidden folders are
// skipped) whose "icon.png" and "drag.png" are regular files that both load, sorted by name
// within a folder; a name that is not UTF-8 is listed too (see DisplayName). A name already
// found in an earlier folder is not listed again. Missing folders give nothing.
std::vector<GadgetEntry> ScanGadgets(const QStringList& folders);

// A gadget's label: its name up to the first ".".
QString GadgetLabel(const QString& name);

}  // namespace netloom::gadget
