// A property grid: rows of labelled values in groups, on Qt's model/view (a tree view over a
// PropertyGridModel, editors from a PropertyGridDelegate), with a description area under it that
// shows the current row's label and description.
//
// Used by the AT console and the Parameters pane: the pane builds rows (AddGroup, AddRow, or
// catalogue_rows.h from the catalogues' descriptors), listens to rowEdited, and answers an edit
// by storing the value and, where it must, setting the row's value back (SetValue). An edit the
// pane refuses is reported with RefuseEdit from inside rowEdited; the grid hands the message
// back once the model and the editor are done with the edit: CommitEdit returns the verdict (a
// Send or Write stops on it) and emits editRefused before it returns, and an edit the user
// committed in the grid emits editRefused from the event loop. So no message box runs its
// event loop inside the edit chain, and no row is used after one.
//
// Behaviour: groups and sub-groups are expanded when added; a click on a value opens its editor;
// F2 or typing opens the current row's editor; Enter/Tab commit, Escape reverts; Enter on a row
// that is not being edited emits rowActivated. Rows whose value differs from the value they were
// built with show bold; disabled rows are greyed. Every row's accessible name is its label; the
// value cell describes itself by the value (item views give cells no value of their own). UI
// thread only; GridRow pointers are valid until the next Clear.
#pragma once

#include <QLabel>
#include <QTreeView>
#include <QWidget>
#include <optional>

#include "gui/panes/property_grid_delegate.h"
#include "gui/panes/property_grid_model.h"

namespace netloom::panes {

// The tree view of the grid: edits always open on the value column.
class PropertyGridView : public QTreeView {
  Q_OBJECT
 public:
  using QTreeView::edit;
  using QTreeView::QTreeView;

 signals:
  // Enter on a row while no editor is open.
  void enterPressed(const QModelIndex& index);

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

class PropertyGrid : public QWidget {
  Q_OBJECT
 public:
  explicit PropertyGrid(QWidget* parent = nullptr);

  // --- building ---
  // Removes every row (closing an open editor without committing it) and empties the
  // description area.
  void Clear();
  GridRow* AddGroup(const QString& label, const QString& description = {});
  GridRow* AddRow(GridRow* parent, RowSpec spec);

  // --- rows ---
  void SetValue(GridRow* row, const QVariant& value, bool asOriginal = false) {
    model_.SetValue(row, value, asOriginal);
  }
  void SetEnabled(GridRow* row, bool enabled) { model_.SetEnabled(row, enabled); }
  void SetHighlighted(GridRow* row, bool highlighted) { model_.SetHighlighted(row, highlighted); }
  GridRow* FindRow(const QString& label) const { return model_.FindRow(label); }
  GridRow* CurrentRow() const;
  void SetCurrentRow(GridRow* row);
  int RowCount() const { return model_.RowCount(); }
  bool IsEmpty() const { return model_.TopRows().empty(); }
  // Commits an open editor (as Enter would); false when the pane refused the edit (editRefused
  // has been emitted). True when none is open.
  bool CommitEdit();
  // From a rowEdited handler: the edit is refused with `message` for the user.
  void RefuseEdit(const QString& message);
  // The value editor open now, or nullptr.
  QWidget* OpenEditor() const { return delegate_.openEditor(); }

  // --- parts ---
  PropertyGridModel& model() { return model_; }
  PropertyGridView* view() const { return view_; }
  QLabel* descriptionArea() const { return description_; }
  // The description area's text: the current row's label (bold) and description.
  QString DescriptionText() const;

 signals:
  void rowEdited(GridRow* row);
  // An edit was refused (RefuseEdit); emitted after the edit chain has returned.
  void editRefused(const QString& message);
  void rowActivated(GridRow* row);
  void currentRowChanged(GridRow* row);

 private:
  void ShowDescription(const QModelIndex& current);
  void DeliverRefusal();

  PropertyGridModel model_;
  PropertyGridDelegate delegate_;
  PropertyGridView* view_;
  QLabel* description_;
  std::optional<QString> refusal_;  // refused, not yet delivered
};

}  // namespace netloom::panes
