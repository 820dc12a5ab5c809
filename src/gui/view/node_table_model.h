// The node table's rows: every node a network document remembers, heard and quiet, in the
// columns the core's exports use (address, name, kind, MAC, parents, depth, first heard, last
// heard, state). A quiet node's row is greyed and says how long it has not been heard.
//
// Sorting goes by kSortRole (depth as a number, the rest as shown); the filter of the table's
// proxy matches any column. UI thread only.
#pragma once

#include <QAbstractTableModel>
#include <string_view>
#include <vector>

#include "core/link/serial/wall_clock.h"
#include "core/network/network_node.h"

namespace netloom::view {

class NodeTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kAddressRole = Qt::UserRole;
  static constexpr int kSortRole = Qt::UserRole + 1;

  using QAbstractTableModel::QAbstractTableModel;

  // Replaces the rows; quiet ages are measured at `now`. Rows of the same nodes in the same
  // order change in place.
  void SetNodes(std::vector<network::NetworkNode> nodes, link::WallTime now);
  const std::vector<network::NetworkNode>& nodes() const { return nodes_; }
  link::WallTime now() const { return now_; }
  // The row of the node with `address` (ignoring case), or -1.
  int RowOf(std::string_view address) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<network::NetworkNode> nodes_;
  link::WallTime now_{};
};

}  // namespace netloom::view
