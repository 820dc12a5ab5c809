#include "gui/gadget/gadget_tool.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/gadget/gadget_folders.h"

namespace netloom::gadget {

GadgetPlaces GadgetPlaces::FromProcess() {
  const XdgDataEnv env = XdgDataEnv::FromProcess();
  return {GadgetSearchPath(env, QCoreApplication::applicationDirPath()), UserGadgetFolder(env),
          env.home};
}

CGadgetTool::CGadgetTool(GadgetPlaces places, QWidget* parent)
    : QWidget(parent),
      places_(std::move(places)),
      view_(new CGadgetScrollView(this)),
      watch_(new GadgetWatch(this)),
      openFolder_(new QAction(tr("&Open Gadget Folder"), this)) {
  setObjectName(QStringLiteral("gadgetTool"));
  setAccessibleName(tr("Gadget Tool"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  view_->SetEmptyNote(tr("No gadgets yet: put folders holding icon.png and drag.png into %1")
                          .arg(DisplayFolder(places_.userFolder, places_.home)));
  openFolder_->setStatusTip(tr("Open the folder for your own gadgets in the file manager"));
  addAction(openFolder_);
  connect(openFolder_, &QAction::triggered, this, &CGadgetTool::OpenUserFolder);
  connect(watch_, &GadgetWatch::changed, this, &CGadgetTool::Rescan);
  Rescan();
}

void CGadgetTool::Rescan() {
  // Items must outlive the drag loop that one of them runs; look again once it has ended.
  if (view_->dragActive()) {
    watch_->Retry();
    return;
  }
  view_->SetGadgets(ScanGadgets(places_.searchPath));
  watch_->Watch(places_.searchPath);
  emit rescanned();
}

void CGadgetTool::OpenUserFolder() {
  const QString folder = places_.userFolder;
  if (!QDir().mkpath(folder)) {
    QMessageBox::warning(this, tr("Gadget Tool"),
                         tr("Can't create the gadget folder %1.").arg(folder));
    return;
  }
  watch_->Watch(places_.searchPath);
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
    QMessageBox::warning(this, tr("Gadget Tool"),
                         tr("No file manager could open the gadget folder %1.").arg(folder));
}

void CGadgetTool::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(openFolder_);
  menu.exec(event->globalPos());
}

}  // namespace netloom::gadget
