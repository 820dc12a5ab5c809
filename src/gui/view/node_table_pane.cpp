#include "gui/view/node_table_pane.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/link/serial/text_file.h"
#include "core/network/node_export.h"

namespace netloom::view {
namespace {

// The quiet limit box counts minutes, up to a day.
constexpr int kMaxQuietMinutes = 24 * 60;

QString WriteFile(const QString& path, const std::string& text) {
  const std::string error = link::WriteTextFile(path.toStdString(), text);
  return error.empty() ? QString() : QStringLiteral("cannot write %1: %2").arg(path, error.c_str());
}

QToolButton* Button(const QString& text, const QString& tip, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(text);
  button->setToolTip(tip);
  button->setAccessibleName(text.chopped(3));  // without the "..."
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setAutoRaise(true);
  return button;
}

}  // namespace

NodeTablePane::NodeTablePane(model::ConnectionController& controller,
                             model::NetworkInsight& insight, QWidget* parent)
    : QWidget(parent),
      controller_(controller),
      insight_(insight),
      proxy_(new QSortFilterProxyModel(this)),
      filter_(new QLineEdit(this)),
      quietLimit_(new QSpinBox(this)),
      table_(new QTableView(this)) {
  setObjectName(QStringLiteral("nodeTablePane"));
  filter_->setObjectName(QStringLiteral("nodeFilter"));
  filter_->setPlaceholderText(QStringLiteral("Filter nodes"));
  filter_->setAccessibleName(QStringLiteral("Filter nodes"));
  filter_->setClearButtonEnabled(true);
  auto* exportCsv =
      Button(QStringLiteral("Export CSV..."), QStringLiteral("Save the table as CSV"), this);
  auto* exportJson =
      Button(QStringLiteral("Export JSON..."),
             QStringLiteral("Save the table as JSON (the walk's node records)"), this);
  auto* quietLabel = new QLabel(QStringLiteral("Forget quiet nodes after"), this);
  quietLimit_->setObjectName(QStringLiteral("quietLimit"));
  quietLimit_->setRange(1, kMaxQuietMinutes);
  quietLimit_->setSuffix(QStringLiteral(" min"));
  quietLimit_->setAccessibleName(QStringLiteral("Forget quiet nodes after (minutes)"));
  quietLimit_->setToolTip(
      QStringLiteral("A node not heard for longer than this leaves the diagram and the table"));
  quietLabel->setBuddy(quietLimit_);

  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(4, 4, 4, 0);
  bar->addWidget(filter_, 1);
  bar->addWidget(exportCsv);
  bar->addWidget(exportJson);
  bar->addSpacing(12);
  bar->addWidget(quietLabel);
  bar->addWidget(quietLimit_);

  proxy_->setSourceModel(&model_);
  proxy_->setSortRole(NodeTableModel::kSortRole);
  proxy_->setFilterKeyColumn(-1);
  proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);
  table_->setObjectName(QStringLiteral("nodeTable"));
  table_->setAccessibleName(QStringLiteral("Node table"));
  table_->setModel(proxy_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(0, Qt::AscendingOrder);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setAlternatingRowColors(true);
  table_->verticalHeader()->hide();
  // Rows as tall as a line of text: a network of a few hundred nodes fits on few screens.
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  layout->addLayout(bar);
  layout->addWidget(table_, 1);

  connect(filter_, &QLineEdit::textChanged, proxy_, &QSortFilterProxyModel::setFilterFixedString);
  connect(exportCsv, &QToolButton::clicked, this, &NodeTablePane::AskExportCsv);
  connect(exportJson, &QToolButton::clicked, this, &NodeTablePane::AskExportJson);
  connect(quietLimit_, &QSpinBox::valueChanged, this,
          [this](int minutes) { insight_.SetQuietLimit(std::chrono::minutes(minutes)); });
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &NodeTablePane::OnRowChosen);

  insight_.AddObserver(*this);
  controller_.AddObserver(*this);
  Refresh();
}

NodeTablePane::~NodeTablePane() {
  controller_.RemoveObserver(*this);
  insight_.RemoveObserver(*this);
}

void NodeTablePane::Refresh() {
  {
    const QSignalBlocker quiet(quietLimit_);
    quietLimit_->setValue(static_cast<int>(
        std::chrono::duration_cast<std::chrono::minutes>(insight_.quietLimit()).count()));
  }
  const bool first = model_.rowCount() == 0;
  model_.SetNodes(insight_.Nodes(), insight_.Now());
  if (first && model_.rowCount() > 0) table_->resizeColumnsToContents();
  ShowSelection();
}

void NodeTablePane::ShowSelection() {
  const int row = model_.RowOf(controller_.selectedAddress());
  const QModelIndex index = row < 0 ? QModelIndex() : proxy_->mapFromSource(model_.index(row, 0));
  const QModelIndexList selected = table_->selectionModel()->selectedRows();
  if (selected.size() == (index.isValid() ? 1 : 0) && (selected.isEmpty() || selected[0] == index))
    return;  // as it is: the table stays where the user scrolled it
  showingSelection_ = true;
  if (index.isValid()) {
    table_->selectionModel()->select(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  } else {
    table_->clearSelection();
  }
  showingSelection_ = false;
}

void NodeTablePane::OnRowChosen() {
  if (showingSelection_) return;
  const QModelIndexList rows = table_->selectionModel()->selectedRows();
  if (rows.isEmpty()) return;
  const QString address = rows.first().data(NodeTableModel::kAddressRole).toString();
  emit nodeChosen(link::NodeKey(address.toStdString()));
}

QString NodeTablePane::ExportCsv(const QString& path) const {
  return WriteFile(path, network::NodesCsv(model_.nodes(), model_.now()));
}

QString NodeTablePane::ExportJson(const QString& path) const {
  const link::NetworkSnapshot& walk = insight_.memory().LatestWalk();
  const auto json = network::WalkJson(walk.nodeCount, walk.rootNode ? walk.rootNode->address : "",
                                      model_.now(), model_.nodes());
  return WriteFile(path, network::JsonText(json, 2) + "\n");
}

void NodeTablePane::AskExportCsv() {
  AskExport(QStringLiteral("Export Node Table"), QStringLiteral("CSV files (*.csv)"),
            QStringLiteral(".csv"), &NodeTablePane::ExportCsv);
}

void NodeTablePane::AskExportJson() {
  AskExport(QStringLiteral("Export Node Table"), QStringLiteral("JSON files (*.json)"),
            QStringLiteral(".json"), &NodeTablePane::ExportJson);
}

void NodeTablePane::AskExport(const QString& title, const QString& filter, const QString& suffix,
                              QString (NodeTablePane::*write)(const QString&) const) {
  QString path =
      QFileDialog::getSaveFileName(window(), title, QStringLiteral("nodes") + suffix, filter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += suffix;
  const QString error = (this->*write)(path);
  if (!error.isEmpty()) QMessageBox::warning(window(), QStringLiteral("Netloom"), error);
}

}  // namespace netloom::view
