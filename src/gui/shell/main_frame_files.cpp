#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>

#include "core/network/network_document.h"
#include "gui/shell/document_tabs.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/recent_files.h"
#include "gui/view/child_frame.h"
#include "gui/view/netloom_view.h"
#include "gui/view/session_log_frame.h"

// The frame's files: saved networks and session logs opened (File > Open, Recent Files,
// `netloom FILE`), documents saved (Save, Save As) and their session logs (Save Log).

namespace netloom::shell {

bool CMainFrame::OpenFile(const QString& path) {
  const std::string file = path.toStdString();
  network::DocumentResult network = network::LoadNetworkFile(file);
  if (network.document) {
    view::CChildFrame* frame = OpenNetworkDocument({DocumentStart::Kind::Offline, {}});
    frame->view()->insight().Open(std::move(*network.document), file);
    AddRecentFile(settings_, path);
    return true;
  }
  link::LogReadResult log = link::LoadSessionLog(file);
  if (log.entries) {
    auto* pane = new view::SessionLogFrame(std::move(*log.entries), path, tabs_);
    tabs_->setCurrentIndex(tabs_->addTab(pane, pane->title()));
    tabs_->setTabToolTip(tabs_->indexOf(pane), QDir::toNativeSeparators(path));
    AddRecentFile(settings_, path);
    return true;
  }
  // Neither: the reader the file's name points to says why.
  const bool logName = path.endsWith(QStringLiteral(".log"), Qt::CaseInsensitive);
  QMessageBox::warning(this, QStringLiteral("Netloom"),
                       QString::fromStdString(logName ? log.error : network.error));
  return false;
}

bool CMainFrame::SaveDocument(view::CChildFrame* frame, bool askName) {
  if (!frame) return false;
  model::NetworkInsight& insight = frame->view()->insight();
  QString path = QString::fromStdString(insight.filePath());
  if (askName || path.isEmpty()) {
    const QString suffix = QString::fromLatin1(network::kNetworkFileSuffix);
    const model::PortChoice& port = frame->view()->controller().port();
    const QString proposal = !path.isEmpty() ? path
                             : port.demo     ? QStringLiteral("demo") + suffix
                                             : QString::fromStdString(port.name) + suffix;
    path = QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), proposal,
                                        QStringLiteral("Saved networks (*%1)").arg(suffix));
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += suffix;
  }
  const std::string error = insight.Save(path.toStdString());
  if (!error.empty()) {
    QMessageBox::warning(this, QStringLiteral("Netloom"), QString::fromStdString(error));
    return false;
  }
  frame->view()->UpdateTitle();
  AddRecentFile(settings_, path);
  return true;
}

void CMainFrame::SaveLog() {
  view::CChildFrame* frame = ActiveFrame();
  if (!frame) return;
  QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Save Log"), QStringLiteral("session.log"),
                                   QStringLiteral("Session logs (*.log)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".log");
  const std::string error = frame->view()->insight().sessionLog().Save(path.toStdString());
  if (!error.empty())
    QMessageBox::warning(this, QStringLiteral("Netloom"), QString::fromStdString(error));
}

void CMainFrame::FillRecentMenu(QMenu& menu) {
  const QStringList files = RecentFiles(settings_);
  if (files.isEmpty()) menu.addAction(QStringLiteral("(none)"))->setEnabled(false);
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QAction* item = menu.addAction(
        QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)), this,
        [this, path] {
          if (!QFileInfo::exists(path)) {
            QMessageBox::warning(this, QStringLiteral("Netloom"),
                                 QStringLiteral("%1: No such file or directory").arg(path));
            return RemoveRecentFile(settings_, path);
          }
          OpenFile(path);
        });
    item->setToolTip(path);
  }
}

}  // namespace netloom::shell
