// The rows of a property grid and the item model that shows them: column 0 the label, column 1
// the value.
//
// A row is built from a RowSpec (what it is, its label, description, limits, options, formats)
// and then holds a value and the value it had when it was built (its original value): a row
// whose value differs from its original shows bold. Rows are owned by the model; a GridRow
// pointer stays valid until Clear. Values by kind:
//   Text QString; Integer int (or a QString shown as it is: a value outside the row's range);
//   Options QString (the option text shown, or a text that names no option); Check bool;
//   Date, Time QDateTime; Group, SubGroup none.
// A user's edit (setData from the view or its editors) stores the value and emits rowEdited; a
// program's SetValue emits nothing. UI thread only.
#pragma once

#include <QAbstractItemModel>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace netloom::panes {

enum class RowKind {
  Group,     // a titled row holding others; not editable
  SubGroup,  // a row holding others under a row of a group; not editable
  Text,      // free text
  Integer,   // a number with spin buttons within minimum..maximum
  Options,   // a drop-down of option texts, no typing
  Check,     // a check box
  Date,      // a calendar date (drop-down calendar)
  Time,      // a time of day
};

struct RowSpec {
  RowKind kind = RowKind::Text;
  QString label;
  QString description;  // shown in the grid's description area while the row is current
  int minimum = 0;      // Integer
  int maximum = 0;      // Integer
  bool typing = true;   // Integer: false keeps the spin buttons only
  QStringList options;  // Options
  // Date, Time: the shown text's format (QDateTime::toString); empty shows the locale's short
  // date, or hours, minutes and seconds.
  QString displayFormat;
  QString editorFormat;  // Date, Time: the editor's display format; empty: the shown format
  bool enabled = true;
  int tag = -1;  // the caller's own number (a parameter kind, a configuration item)
};

struct GridRow {
  RowSpec spec;
  QVariant value;
  QVariant original;
  GridRow* parent = nullptr;
  bool highlighted = false;  // drawn on a marked background (a row that differs in a comparison)
  std::vector<std::unique_ptr<GridRow>> children;

  bool IsGroup() const { return spec.kind == RowKind::Group || spec.kind == RowKind::SubGroup; }
  bool Modified() const { return !IsGroup() && value != original; }
  // The value as the row shows it; a Check row gives "1" or "0".
  QString ValueText() const;
};

// The value a freshly built row of `spec` holds: empty text, 0 (or the minimum), option 0,
// unchecked, now.
QVariant InitialValue(const RowSpec& spec);

class PropertyGridModel : public QAbstractItemModel {
  Q_OBJECT
 public:
  enum Column { kLabelColumn = 0, kValueColumn = 1 };
  // The row's description (for the description area).
  static constexpr int kDescriptionRole = Qt::UserRole + 1;

  explicit PropertyGridModel(QObject* parent = nullptr);
  ~PropertyGridModel() override;

  // Removes every row; earlier GridRow pointers are dangling afterwards.
  void Clear();
  // Appends a row under `parent` (nullptr: at the top) with the row's initial value.
  GridRow* AddRow(GridRow* parent, RowSpec spec);
  // Sets a row's value without telling rowEdited; `asOriginal` also makes it the original.
  void SetValue(GridRow* row, const QVariant& value, bool asOriginal = false);
  void SetEnabled(GridRow* row, bool enabled);
  void SetHighlighted(GridRow* row, bool highlighted);

  const std::vector<std::unique_ptr<GridRow>>& TopRows() const { return rows_; }
  GridRow* RowAt(const QModelIndex& index) const;
  QModelIndex IndexOf(const GridRow* row, int column = kLabelColumn) const;
  // The first row (depth first) with `label`, or nullptr.
  GridRow* FindRow(const QString& label) const;
  int RowCount() const;  // every row at every depth

  // QAbstractItemModel
  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 signals:
  // The user changed the row's value (a committed editor or a toggled check box).
  void rowEdited(GridRow* row);

 private:
  const std::vector<std::unique_ptr<GridRow>>& Siblings(const GridRow* parent) const;
  void ValueChanged(GridRow* row);

  std::vector<std::unique_ptr<GridRow>> rows_;
};

}  // namespace netloom::panes
