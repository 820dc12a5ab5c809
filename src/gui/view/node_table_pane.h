// The node table beside a network document's diagram: every node the document remembers, one
// row each, sortable by any column and filtered by what is typed in its filter box; its toolbar
// exports the table as CSV or JSON and sets how long a quiet node stays before it is forgotten.
//
// Selection follows the document's selected node both ways: choosing a row asks for the node
// (nodeChosen, which the frame turns into a diagram selection), and a node selected anywhere
// selects its row. UI thread only.
#pragma once

#include <QWidget>
#include <cstdint>

#include "gui/model/connection_controller.h"
#include "gui/model/network_insight.h"
#include "gui/view/node_table_model.h"

class QLineEdit;
class QSortFilterProxyModel;
class QSpinBox;
class QTableView;
class QToolButton;

namespace netloom::view {

class NodeTablePane : public QWidget,
                      private model::InsightObserver,
                      private model::ConnectionObserver {
  Q_OBJECT
 public:
  NodeTablePane(model::ConnectionController& controller, model::NetworkInsight& insight,
                QWidget* parent = nullptr);
  ~NodeTablePane() override;

  QTableView* table() const { return table_; }
  QLineEdit* filterBox() const { return filter_; }
  QSpinBox* quietLimitBox() const { return quietLimit_; }
  NodeTableModel& model() { return model_; }

  // Re-reads the nodes (and their quiet ages) from the document.
  void Refresh();
  // Selects the row of the document's selected node (none when it has none or no row).
  void ShowSelection();
  // The table's export to `path`: empty on success, else the reason naming the file.
  QString ExportCsv(const QString& path) const;
  QString ExportJson(const QString& path) const;
  // Ask for a file name, export, and tell a failure in a message box.
  void AskExportCsv();
  void AskExportJson();

 signals:
  // The user chose the row of the node with `key` (link::NodeKey).
  void nodeChosen(std::int32_t key);

 private:
  void WalkMerged(const std::vector<network::ChangeEvent>&) override { Refresh(); }
  void MemoryReplaced() override { Refresh(); }
  void ConsoleTargetChanged(const model::PaneTarget&) override { ShowSelection(); }
  void ParametersTargetChanged(const model::PaneTarget&) override { ShowSelection(); }
  void OnRowChosen();
  void AskExport(const QString& title, const QString& filter, const QString& suffix,
                 QString (NodeTablePane::*write)(const QString&) const);

  model::ConnectionController& controller_;
  model::NetworkInsight& insight_;
  NodeTableModel model_;
  QSortFilterProxyModel* proxy_;
  QLineEdit* filter_;
  QSpinBox* quietLimit_;
  QTableView* table_;
  bool showingSelection_ = false;
};

}  // namespace netloom::view
