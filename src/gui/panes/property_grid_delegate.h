// The editors of a property grid's value column: a line edit for text rows, a spin box for
// integer rows, a drop-down without typing for option rows, a calendar drop-down for date rows
// and a time editor for time rows (check rows toggle in place and have none).
//
// Keys as in Qt's item views: Enter or Tab commits, Escape reverts. A drop-down commits as soon
// as an option is picked. Each editor carries its row's label as accessible name. UI thread only.
#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

namespace netloom::panes {

class PropertyGridDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

  // The editor open now, or nullptr.
  QWidget* openEditor() const { return editor_; }
  // Commits the open editor's value and closes it (Send from a shortcut while editing).
  void CommitOpenEditor();

 private:
  mutable QPointer<QWidget> editor_;
};

}  // namespace netloom::panes
