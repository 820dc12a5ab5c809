#include "gui/shell/about_dlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

namespace netloom::shell {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Netloom"));
  auto* icon = new QLabel(this);
  icon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
  icon->setAlignment(Qt::AlignTop);
  auto* name = new QLabel(QStringLiteral("Netloom, Version 1.0"), this);
  auto* line = new QLabel(
      QStringLiteral("ZigBee module manager, build %1").arg(QStringLiteral(NETLOOM_VERSION)), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QGridLayout(this);
  layout->setHorizontalSpacing(16);
  layout->addWidget(icon, 0, 0, 2, 1);
  layout->addWidget(name, 0, 1);
  layout->addWidget(line, 1, 1);
  layout->addWidget(buttons, 0, 2, 2, 1, Qt::AlignTop);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace netloom::shell
