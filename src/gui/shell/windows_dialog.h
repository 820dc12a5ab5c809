// Window > Windows...: the open document windows, to activate or close.
#pragma once

#include <QDialog>

class QListWidget;

namespace netloom::shell {

class DocumentTabs;

class WindowsDialog : public QDialog {
  Q_OBJECT
 public:
  WindowsDialog(DocumentTabs& tabs, QWidget* parent = nullptr);
  QListWidget* list() const { return list_; }

 private:
  void Fill();

  DocumentTabs& tabs_;
  QListWidget* list_;
};

}  // namespace netloom::shell
