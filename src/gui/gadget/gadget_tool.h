// The Gadget Tool pane: the gadgets found in the gadget folders, kept up to date while the
// program runs, each draggable as its name. Its context menu opens the user's gadget folder in
// the file manager. UI thread only.
#pragma once

#include <QStringList>
#include <QWidget>

#include "gui/gadget/gadget_scroll_view.h"
#include "gui/gadget/gadget_watch.h"

class QAction;

namespace netloom::gadget {

// Where the pane looks: the folders in search order, and the user's own (where new gadgets go).
struct GadgetPlaces {
  QStringList searchPath;
  QString userFolder;
  QString home;  // shown as "~" in the empty pane's line
  // The places of this process's environment and program location.
  static GadgetPlaces FromProcess();
};

class CGadgetTool : public QWidget {
  Q_OBJECT
 public:
  explicit CGadgetTool(GadgetPlaces places = GadgetPlaces::FromProcess(),
                       QWidget* parent = nullptr);

  CGadgetScrollView* view() const { return view_; }
  const GadgetPlaces& places() const { return places_; }
  QAction* openFolderAction() const { return openFolder_; }

  // Scans the folders again and shows what they hold now.
  void Rescan();
  // Creates the user's gadget folder if needed and opens it in the file manager.
  void OpenUserFolder();

 signals:
  // After each scan, with the items showing what the folders held.
  void rescanned();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  GadgetPlaces places_;
  CGadgetScrollView* view_;
  GadgetWatch* watch_;
  QAction* openFolder_;
};

}  // namespace netloom::gadget
