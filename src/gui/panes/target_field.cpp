#include "gui/panes/target_field.h"

#include <QAction>

namespace netloom::panes {

CTargetField::CTargetField(QAction* remoteAction, const QString& tip, QWidget* parent)
    : QLineEdit(parent), remoteAction_(remoteAction) {
  setReadOnly(true);
  setEnabled(false);
  setAccessibleName(QStringLiteral("Target"));
  setToolTip(tip);
  setAlignment(Qt::AlignCenter);
  setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("WWWW")) + 12);
  Show();
}

bool CTargetField::Toggle() {
  remote_ = !remote_;
  Show();
  return remote_;
}

void CTargetField::Set(bool remote, const QString& address) {
  remote_ = remote;
  target_ = address.left(4);
  Show();
}

void CTargetField::Show() {
  remoteAction_->setChecked(remote_);
  setText(remote_ ? target_ : QStringLiteral("NULL"));
}

}  // namespace netloom::panes
