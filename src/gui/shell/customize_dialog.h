// View > Customize...: which toolbars show, which buttons each shows, their reset, the keyboard
// shortcuts and whether tooltips show. Changes apply at once.
#pragma once

#include <QDialog>
#include <QList>
#include <functional>

class QToolBar;
class QAction;

namespace netloom::shell {

class CustomizeDialog : public QDialog {
  Q_OBJECT
 public:
  CustomizeDialog(const QList<QToolBar*>& toolBars, const QList<QAction*>& commands,
                  std::function<void(QToolBar*)> resetToolBar, bool& showTooltips,
                  QWidget* parent = nullptr);
};

}  // namespace netloom::shell
