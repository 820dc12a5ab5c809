#include "gui/shell/customize_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace netloom::shell {
namespace {

QString Plain(QString text) {
  return text.remove('&').section('\t', 0, 0);
}

QWidget* ToolBarsPage(const QList<QToolBar*>& toolBars, std::function<void(QToolBar*)> reset) {
  auto* page = new QWidget;
  auto* list = new QListWidget(page);
  list->setAccessibleName(QStringLiteral("Toolbars shown"));
  for (QToolBar* bar : toolBars) {
    auto* item = new QListWidgetItem(bar->windowTitle(), list);
    item->setCheckState(bar->isVisible() ? Qt::Checked : Qt::Unchecked);
  }
  QObject::connect(list, &QListWidget::itemChanged, page, [list, toolBars](QListWidgetItem* item) {
    toolBars[list->row(item)]->setVisible(item->checkState() == Qt::Checked);
  });
  auto* resetButton = new QPushButton(QStringLiteral("&Reset"), page);
  QObject::connect(resetButton, &QPushButton::clicked, page, [list, toolBars, reset] {
    if (list->currentRow() >= 0) reset(toolBars[list->currentRow()]);
  });
  auto* layout = new QHBoxLayout(page);
  layout->addWidget(list, 1);
  auto* side = new QVBoxLayout;
  side->addWidget(resetButton);
  side->addStretch();
  layout->addLayout(side);
  return page;
}

// The buttons of the chosen toolbar, ticked while shown. Refilled whenever the page comes up,
// since a reset on the Toolbars page replaces the buttons.
QWidget* CommandsPage(const QList<QToolBar*>& toolBars, QTabWidget* tabs) {
  auto* page = new QWidget;
  auto* bars = new QListWidget(page);
  bars->setObjectName(QStringLiteral("customizeBars"));
  bars->setAccessibleName(QStringLiteral("Toolbars"));
  auto* buttons = new QListWidget(page);
  buttons->setObjectName(QStringLiteral("customizeButtons"));
  buttons->setAccessibleName(QStringLiteral("Toolbar buttons"));
  for (QToolBar* bar : toolBars) bars->addItem(bar->windowTitle());
  auto fill = [bars, buttons, toolBars] {
    buttons->clear();
    if (bars->currentRow() < 0) return;
    for (QAction* action : toolBars[bars->currentRow()]->actions()) {
      if (action->isSeparator()) continue;
      auto* item = new QListWidgetItem(action->icon(), Plain(action->text()), buttons);
      item->setData(Qt::UserRole, QVariant::fromValue(static_cast<QObject*>(action)));
      item->setCheckState(action->isVisible() ? Qt::Checked : Qt::Unchecked);
    }
  };
  QObject::connect(bars, &QListWidget::currentRowChanged, page, fill);
  QObject::connect(tabs, &QTabWidget::currentChanged, page, [tabs, page, fill] {
    if (tabs->currentWidget() == page) fill();
  });
  QObject::connect(buttons, &QListWidget::itemChanged, page, [](QListWidgetItem* item) {
    if (auto* action = qobject_cast<QAction*>(item->data(Qt::UserRole).value<QObject*>()))
      action->setVisible(item->checkState() == Qt::Checked);
  });
  bars->setCurrentRow(0);
  auto* layout = new QHBoxLayout(page);
  layout->addWidget(bars);
  layout->addWidget(buttons, 1);
  return page;
}

QWidget* KeyboardPage(const QList<QAction*>& commands) {
  auto* table = new QTableWidget(0, 2);
  table->setAccessibleName(QStringLiteral("Keyboard shortcuts"));
  table->setHorizontalHeaderLabels({QStringLiteral("Command"), QStringLiteral("Keys")});
  table->horizontalHeader()->setStretchLastSection(true);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (QAction* action : commands) {
    if (action->shortcuts().isEmpty()) continue;
    QStringList keys;
    for (const auto& key : action->shortcuts()) keys << key.toString(QKeySequence::NativeText);
    const int row = table->rowCount();
    table->insertRow(row);
    table->setItem(row, 0, new QTableWidgetItem(Plain(action->text())));
    table->setItem(row, 1, new QTableWidgetItem(keys.join(QStringLiteral(", "))));
  }
  table->resizeColumnToContents(0);
  return table;
}

}  // namespace

CustomizeDialog::CustomizeDialog(const QList<QToolBar*>& toolBars, const QList<QAction*>& commands,
                                 std::function<void(QToolBar*)> resetToolBar, bool& showTooltips,
                                 QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Customize"));
  auto* tabs = new QTabWidget(this);
  tabs->setAccessibleName(QStringLiteral("Customize"));
  tabs->addTab(CommandsPage(toolBars, tabs), QStringLiteral("Commands"));
  tabs->addTab(ToolBarsPage(toolBars, std::move(resetToolBar)), QStringLiteral("Toolbars"));
  tabs->addTab(KeyboardPage(commands), QStringLiteral("Keyboard"));
  auto* options = new QWidget;
  auto* tips = new QCheckBox(QStringLiteral("Show Screen&Tips on toolbars"), options);
  tips->setChecked(showTooltips);
  connect(tips, &QCheckBox::toggled, this, [&showTooltips](bool on) { showTooltips = on; });
  auto* optionsLayout = new QVBoxLayout(options);
  optionsLayout->addWidget(tips);
  optionsLayout->addStretch();
  tabs->addTab(options, QStringLiteral("Options"));
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addWidget(close);
  resize(480, 340);
}

}  // namespace netloom::shell
