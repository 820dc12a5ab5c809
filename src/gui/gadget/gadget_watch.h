// Notices gadgets being added to or removed from the gadget folders while the program runs.
//
// Watches each existing folder and its sub-folders (a gadget folder created empty and filled
// afterwards counts), and for a folder that does not exist yet its nearest existing parent, so
// creating the folder is noticed too. A burst of changes (a copy of many files) gives one
// `changed` signal once the folders have been quiet for a moment. UI thread only.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace netloom::gadget {

class GadgetWatch : public QObject {
  Q_OBJECT
 public:
  explicit GadgetWatch(QObject* parent = nullptr);

  // Replaces what is watched by `folders` (resource folders are skipped: they never change).
  void Watch(const QStringList& folders);
  // Asks for another `changed` after the quiet period (a change that could not be taken yet).
  void Retry();

 signals:
  void changed();

 private:
  QFileSystemWatcher watcher_;
  QTimer settle_;
};

}  // namespace netloom::gadget
