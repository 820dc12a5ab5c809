#include "gui/view/node_table_model.h"

#include <QColor>
#include <QPalette>
#include <algorithm>
#include <cctype>

#include "core/network/node_export.h"

namespace netloom::view {
namespace {

network::NodeColumn Column(int section) {
  return static_cast<network::NodeColumn>(section);
}

bool SameAddress(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) ==
           std::toupper(static_cast<unsigned char>(y));
  });
}

}  // namespace

void NodeTableModel::SetNodes(std::vector<network::NetworkNode> nodes, link::WallTime now) {
  now_ = now;
  const bool sameRows = std::ranges::equal(nodes, nodes_, {}, &network::NetworkNode::address,
                                           &network::NetworkNode::address);
  if (sameRows && !nodes_.empty()) {
    // The same nodes (the usual walk): the cells change in place, so the user's place, the
    // selection and the current row stay.
    nodes_ = std::move(nodes);
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    return;
  }
  beginResetModel();
  nodes_ = std::move(nodes);
  endResetModel();
}

int NodeTableModel::RowOf(std::string_view address) const {
  const auto found = std::ranges::find_if(
      nodes_, [&](const network::NetworkNode& node) { return SameAddress(node.address, address); });
  return found == nodes_.end() ? -1 : static_cast<int>(found - nodes_.begin());
}

int NodeTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(nodes_.size());
}

int NodeTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : network::kNodeColumnCount;
}

QVariant NodeTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const network::NetworkNode& node = nodes_[static_cast<std::size_t>(index.row())];
  const network::NodeColumn column = Column(index.column());
  switch (role) {
    case Qt::DisplayRole:
      // Module names are bytes, not UTF-8: each byte shows as itself, as in the diagram.
      return QString::fromLatin1(network::CellText(node, column, now_));
    case kSortRole:
      if (column == network::NodeColumn::Depth) return node.depth;
      return QString::fromLatin1(network::CellText(node, column, now_));
    case kAddressRole:
      return QString::fromStdString(node.address);
    case Qt::ToolTipRole:
      if (node.heard) return {};
      return QString::fromStdString(network::CellText(node, network::NodeColumn::State, now_));
    case Qt::ForegroundRole:
      if (node.heard) return {};
      return QPalette().color(QPalette::Disabled, QPalette::Text);
    default:
      return {};
  }
}

QVariant NodeTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= network::kNodeColumnCount) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return QString::fromLatin1(network::ColumnTitle(Column(section)));
}

}  // namespace netloom::view
