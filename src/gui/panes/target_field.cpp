#include "gui/panes/target_field.h"

#include <QAction>
#include <QApplication>

namespace netloom::panes {

CTargetField::CTargetField(QAction* remoteAction, const QString& tip, QWidget* parent)
    : QLineEdit(parent), remoteAction_(remoteAction), tip_(tip) {
  setReadOnly(true);
  setEnabled(false);
  setAccessibleName(QStringLiteral("Target"));
  setAlignment(Qt::AlignCenter);
  setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("WWWW")) + 12);
  Show();
}

bool CTargetField::Toggle() {
  remote_ = !remote_;
  Show();
  return remote_;
}

void CTargetField::Set(bool remote, const QString& address, bool refused) {
  remote_ = remote;
  target_ = address;
  refused_ = refused;
  Show();
}

void CTargetField::Show() {
  remoteAction_->setChecked(remote_);
  setText(remote_ ? target_ : QStringLiteral("NULL"));
  const bool refusal = showsRefusal();
  QFont shown = font();
  shown.setStrikeOut(refusal);
  setFont(shown);
  QPalette colours = palette();
  colours.setColor(QPalette::Disabled, QPalette::Text,
                   refusal ? QColor(Qt::red)
                           : QApplication::palette().color(QPalette::Disabled, QPalette::Text));
  setPalette(colours);
  const QString refusalText =
      QStringLiteral(
          "The coordinator refused %1 (FAIL): nothing was sent; the next command "
          "asks for it again")
          .arg(target_);
  setToolTip(refusal ? refusalText : tip_);
  setAccessibleDescription(refusal ? refusalText : QString());
}

}  // namespace netloom::panes
