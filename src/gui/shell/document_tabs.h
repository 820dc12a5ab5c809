// The tabbed document area: one tab per network frame, each tab with a background colour of its
// own (the active one red, the others green), a close button on the active tab and a menu of
// the open documents at the right of the tab row.
#pragma once

#include <QColor>
#include <QTabBar>
#include <QTabWidget>

class QToolButton;

namespace netloom::shell {

class ColouredTabBar : public QTabBar {
  Q_OBJECT
 public:
  using QTabBar::QTabBar;
  void SetTabBackground(int index, const QColor& colour);
  QColor TabBackground(int index) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class DocumentTabs : public QTabWidget {
  Q_OBJECT
 public:
  explicit DocumentTabs(QWidget* parent = nullptr);
  ColouredTabBar* colouredTabBar() const { return bar_; }

 signals:
  // The close button of a tab was pressed.
  void closeRequested(QWidget* page);

 private:
  void PlaceCloseButton(int current);
  void FillDocumentMenu();

  ColouredTabBar* bar_;
  QToolButton* documentMenu_;
};

}  // namespace netloom::shell
