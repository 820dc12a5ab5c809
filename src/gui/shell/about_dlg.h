// Help > About Netloom...
#pragma once

#include <QDialog>

namespace netloom::shell {

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace netloom::shell
