#include "gui/shell/document_tabs.h"

#include <QMenu>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QToolButton>

namespace netloom::shell {

void ColouredTabBar::SetTabBackground(int index, const QColor& colour) {
  setTabData(index, colour);
}

QColor ColouredTabBar::TabBackground(int index) const {
  return tabData(index).value<QColor>();
}

void ColouredTabBar::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  for (int i = 0; i < count(); ++i) {
    QStyleOptionTab option;
    initStyleOption(&option, i);
    const QColor background = TabBackground(i);
    if (background.isValid()) {
      // The colour fills the tab; the style draws the label and frame over it.
      painter.fillRect(option.rect.adjusted(1, 2, -1, 0), background);
      option.palette.setColor(QPalette::Window, background);
      option.palette.setColor(QPalette::Button, background);
      option.palette.setColor(QPalette::WindowText, Qt::black);
      painter.drawControl(QStyle::CE_TabBarTabLabel, option);
      painter.setPen(background.darker(150));
      painter.drawRect(option.rect.adjusted(1, 2, -2, -1));
    } else {
      painter.drawControl(QStyle::CE_TabBarTab, option);
    }
  }
}

DocumentTabs::DocumentTabs(QWidget* parent)
    : QTabWidget(parent), bar_(new ColouredTabBar(this)), documentMenu_(new QToolButton(this)) {
  setTabBar(bar_);
  setAccessibleName(QStringLiteral("Documents"));
  setDocumentMode(true);
  setMovable(true);
  setUsesScrollButtons(true);
  bar_->setExpanding(false);
  bar_->setElideMode(Qt::ElideRight);
  documentMenu_->setAutoRaise(true);
  documentMenu_->setArrowType(Qt::DownArrow);
  documentMenu_->setPopupMode(QToolButton::InstantPopup);
  documentMenu_->setMenu(new QMenu(documentMenu_));
  documentMenu_->setToolTip(QStringLiteral("Open documents"));
  documentMenu_->setAccessibleName(documentMenu_->toolTip());
  connect(documentMenu_->menu(), &QMenu::aboutToShow, this, &DocumentTabs::FillDocumentMenu);
  setCornerWidget(documentMenu_, Qt::TopRightCorner);
  connect(this, &QTabWidget::currentChanged, this, &DocumentTabs::PlaceCloseButton);
}

void DocumentTabs::PlaceCloseButton(int current) {
  for (int i = 0; i < count(); ++i) {
    if (i != current) {
      if (QWidget* old = bar_->tabButton(i, QTabBar::RightSide)) {
        bar_->setTabButton(i, QTabBar::RightSide, nullptr);
        old->deleteLater();
      }
      continue;
    }
    if (bar_->tabButton(i, QTabBar::RightSide)) continue;
    auto* close = new QToolButton(bar_);
    close->setAutoRaise(true);
    close->setText(QStringLiteral("\u00d7"));
    close->setToolTip(QStringLiteral("Close"));
    close->setAccessibleName(QStringLiteral("Close document"));
    close->setFixedSize(16, 16);
    QWidget* page = widget(i);
    connect(close, &QToolButton::clicked, this, [this, page] { emit closeRequested(page); });
    bar_->setTabButton(i, QTabBar::RightSide, close);
  }
}

void DocumentTabs::FillDocumentMenu() {
  QMenu* menu = documentMenu_->menu();
  menu->clear();
  for (int i = 0; i < count(); ++i) {
    QAction* action = menu->addAction(tabText(i), this, [this, i] { setCurrentIndex(i); });
    action->setCheckable(true);
    action->setChecked(i == currentIndex());
  }
}

}  // namespace netloom::shell
