#include "gui/shell/windows_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/shell/document_tabs.h"

namespace netloom::shell {

WindowsDialog::WindowsDialog(DocumentTabs& tabs, QWidget* parent)
    : QDialog(parent), tabs_(tabs), list_(new QListWidget(this)) {
  setWindowTitle(QStringLiteral("Windows"));
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setAccessibleName(QStringLiteral("Windows"));
  auto* activate = new QPushButton(QStringLiteral("&Activate"), this);
  auto* close = new QPushButton(QStringLiteral("&Close Window(s)"), this);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* buttons = new QVBoxLayout;
  for (auto* button : {activate, close, ok}) buttons->addWidget(button);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
  resize(420, 260);
  Fill();
  auto activateSelected = [this] {
    const auto selected = list_->selectedItems();
    if (!selected.isEmpty()) tabs_.setCurrentIndex(list_->row(selected.first()));
    accept();
  };
  connect(activate, &QPushButton::clicked, this, activateSelected);
  connect(list_, &QListWidget::itemDoubleClicked, this, activateSelected);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(close, &QPushButton::clicked, this, [this] {
    QList<QPointer<QWidget>> pages;
    for (auto* item : list_->selectedItems()) pages << tabs_.widget(list_->row(item));
    for (const auto& page : pages)
      if (page) emit tabs_.closeRequested(page);
    Fill();
  });
}

void WindowsDialog::Fill() {
  list_->clear();
  for (int i = 0; i < tabs_.count(); ++i) list_->addItem(tabs_.tabText(i));
  if (tabs_.currentIndex() >= 0) list_->setCurrentRow(tabs_.currentIndex());
}

}  // namespace netloom::shell
