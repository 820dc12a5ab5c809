#include "gui/panes/property_grid_model.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QLocale>
#include <QPalette>
#include <algorithm>
#include <functional>

namespace netloom::panes {
namespace {

QString DateTimeText(const RowSpec& spec, const QDateTime& value) {
  if (!value.isValid()) return QStringLiteral("Invalid DateTime");
  if (!spec.displayFormat.isEmpty()) return value.toString(spec.displayFormat);
  if (spec.kind == RowKind::Date) return QLocale().toString(value.date(), QLocale::ShortFormat);
  return value.time().toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace

QString GridRow::ValueText() const {
  switch (spec.kind) {
    case RowKind::Group:
    case RowKind::SubGroup:
      return {};
    case RowKind::Integer:
      // A value the spin cannot hold (as the module gave it) is kept as its text.
      return value.typeId() == QMetaType::QString ? value.toString()
                                                  : QString::number(value.toInt());
    case RowKind::Check:
      return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case RowKind::Date:
    case RowKind::Time:
      return DateTimeText(spec, value.toDateTime());
    case RowKind::Text:
    case RowKind::Options:
      return value.toString();
  }
  return {};
}

QVariant InitialValue(const RowSpec& spec) {
  switch (spec.kind) {
    case RowKind::Group:
    case RowKind::SubGroup:
      return {};
    case RowKind::Text:
      return QString();
    case RowKind::Integer:
      return std::max(0, spec.minimum);
    case RowKind::Options:
      return spec.options.isEmpty() ? QString() : spec.options.first();
    case RowKind::Check:
      return false;
    case RowKind::Date:
    case RowKind::Time:
      return QDateTime::currentDateTime();
  }
  return {};
}

PropertyGridModel::PropertyGridModel(QObject* parent) : QAbstractItemModel(parent) {}

PropertyGridModel::~PropertyGridModel() = default;

void PropertyGridModel::Clear() {
  beginResetModel();
  rows_.clear();
  endResetModel();
}

GridRow* PropertyGridModel::AddRow(GridRow* parent, RowSpec spec) {
  auto& siblings = parent ? parent->children : rows_;
  const int position = static_cast<int>(siblings.size());
  beginInsertRows(parent ? IndexOf(parent) : QModelIndex(), position, position);
  auto row = std::make_unique<GridRow>();
  row->value = InitialValue(spec);
  row->original = row->value;
  row->spec = std::move(spec);
  row->parent = parent;
  siblings.push_back(std::move(row));
  endInsertRows();
  return siblings.back().get();
}

void PropertyGridModel::SetValue(GridRow* row, const QVariant& value, bool asOriginal) {
  row->value = value;
  if (asOriginal) row->original = value;
  ValueChanged(row);
}

void PropertyGridModel::SetEnabled(GridRow* row, bool enabled) {
  if (row->spec.enabled == enabled) return;
  row->spec.enabled = enabled;
  ValueChanged(row);
}

void PropertyGridModel::SetHighlighted(GridRow* row, bool highlighted) {
  if (row->highlighted == highlighted) return;
  row->highlighted = highlighted;
  ValueChanged(row);
}

void PropertyGridModel::ValueChanged(GridRow* row) {
  emit dataChanged(IndexOf(row, kLabelColumn), IndexOf(row, kValueColumn));
}

const std::vector<std::unique_ptr<GridRow>>& PropertyGridModel::Siblings(
    const GridRow* parent) const {
  return parent ? parent->children : rows_;
}

GridRow* PropertyGridModel::RowAt(const QModelIndex& index) const {
  return index.isValid() ? static_cast<GridRow*>(index.internalPointer()) : nullptr;
}

QModelIndex PropertyGridModel::IndexOf(const GridRow* row, int column) const {
  if (!row) return {};
  const auto& siblings = Siblings(row->parent);
  for (std::size_t i = 0; i < siblings.size(); ++i)
    if (siblings[i].get() == row)
      return createIndex(static_cast<int>(i), column, const_cast<GridRow*>(row));
  return {};
}

GridRow* PropertyGridModel::FindRow(const QString& label) const {
  std::function<GridRow*(const std::vector<std::unique_ptr<GridRow>>&)> search =
      [&](const auto& rows) -> GridRow* {
    for (const auto& row : rows) {
      if (row->spec.label == label) return row.get();
      if (GridRow* found = search(row->children)) return found;
    }
    return nullptr;
  };
  return search(rows_);
}

int PropertyGridModel::RowCount() const {
  std::function<int(const std::vector<std::unique_ptr<GridRow>>&)> count = [&](const auto& rows) {
    int n = 0;
    for (const auto& row : rows) n += 1 + count(row->children);
    return n;
  };
  return count(rows_);
}

QModelIndex PropertyGridModel::index(int row, int column, const QModelIndex& parent) const {
  const auto& siblings = Siblings(RowAt(parent));
  if (row < 0 || row >= static_cast<int>(siblings.size()) || column < 0 || column > 1) return {};
  return createIndex(row, column, siblings[static_cast<std::size_t>(row)].get());
}

QModelIndex PropertyGridModel::parent(const QModelIndex& child) const {
  const GridRow* row = RowAt(child);
  return row ? IndexOf(row->parent) : QModelIndex();
}

int PropertyGridModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() && parent.column() != kLabelColumn) return 0;
  return static_cast<int>(Siblings(RowAt(parent)).size());
}

int PropertyGridModel::columnCount(const QModelIndex&) const {
  return 2;
}

QVariant PropertyGridModel::data(const QModelIndex& index, int role) const {
  const GridRow* row = RowAt(index);
  if (!row) return {};
  const bool valueColumn = index.column() == kValueColumn;
  switch (role) {
    case Qt::DisplayRole:
      if (!valueColumn) return row->spec.label;
      return row->spec.kind == RowKind::Check ? QVariant() : QVariant(row->ValueText());
    case Qt::EditRole:
      return valueColumn ? row->value : QVariant(row->spec.label);
    case Qt::CheckStateRole:
      if (valueColumn && row->spec.kind == RowKind::Check)
        return row->value.toBool() ? Qt::Checked : Qt::Unchecked;
      return {};
    case Qt::FontRole: {
      if (!row->IsGroup() && !row->Modified()) return {};
      QFont font = QApplication::font();
      font.setBold(true);
      return font;
    }
    case Qt::BackgroundRole:
      if (row->spec.kind == RowKind::Group) return QApplication::palette().button();
      if (row->highlighted) return QColor(255, 236, 160);
      return {};
    case Qt::ToolTipRole:
      return row->spec.description.isEmpty() ? QVariant() : QVariant(row->spec.description);
    case Qt::AccessibleTextRole:
      return row->spec.label;
    case Qt::AccessibleDescriptionRole:
      // Item views give a cell no value of its own: the value cell describes itself by it.
      return valueColumn ? row->ValueText() : row->spec.description;
    case kDescriptionRole:
      return row->spec.description;
    default:
      return {};
  }
}

bool PropertyGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  GridRow* row = RowAt(index);
  if (!row || index.column() != kValueColumn || !(flags(index) & Qt::ItemIsEnabled)) return false;
  QVariant stored;
  if (role == Qt::CheckStateRole && row->spec.kind == RowKind::Check)
    stored = value.toInt() == Qt::Checked;
  else if (role == Qt::EditRole && (flags(index) & Qt::ItemIsEditable))
    stored = value;
  else
    return false;
  row->value = stored;
  ValueChanged(row);
  emit rowEdited(row);
  return true;
}

Qt::ItemFlags PropertyGridModel::flags(const QModelIndex& index) const {
  const GridRow* row = RowAt(index);
  if (!row) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsSelectable;
  bool enabled = row->spec.enabled;
  for (const GridRow* up = row->parent; up; up = up->parent) enabled = enabled && up->spec.enabled;
  if (enabled) flags |= Qt::ItemIsEnabled;
  if (index.column() != kValueColumn || row->IsGroup()) return flags;
  if (row->spec.kind == RowKind::Check)
    flags |= Qt::ItemIsUserCheckable;
  else
    flags |= Qt::ItemIsEditable;
  return flags;
}

}  // namespace netloom::panes
