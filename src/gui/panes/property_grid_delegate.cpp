#include "gui/panes/property_grid_delegate.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimeEdit>
#include <algorithm>

#include "gui/panes/property_grid_model.h"

namespace netloom::panes {
namespace {

const GridRow* RowOf(const QModelIndex& index) {
  return static_cast<const GridRow*>(index.internalPointer());
}

QDateTimeEdit* DateTimeEditor(const RowSpec& spec, QWidget* parent) {
  QDateTimeEdit* edit = nullptr;
  if (spec.kind == RowKind::Date) {
    edit = new QDateEdit(parent);
    edit->setCalendarPopup(true);
  } else {
    edit = new QTimeEdit(parent);
  }
  const QString format = spec.editorFormat.isEmpty() ? spec.displayFormat : spec.editorFormat;
  if (!format.isEmpty()) edit->setDisplayFormat(format);
  if (spec.kind == RowKind::Time && format.isEmpty())
    edit->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  return edit;
}

// The value an editor holds now, as its row would store it.
QVariant EditorValue(QWidget* editor) {
  if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
    spin->interpretText();
    return spin->value();
  }
  if (auto* combo = qobject_cast<QComboBox*>(editor))
    return combo->currentIndex() < 0 ? QVariant() : QVariant(combo->currentText());
  if (auto* edit = qobject_cast<QDateTimeEdit*>(editor)) return edit->dateTime();
  if (auto* line = qobject_cast<QLineEdit*>(editor)) return line->text();
  return {};
}

// The editor's value when it was given the row's value: leaving it there is no edit, even where
// the editor cannot hold the row's value (an option the list lacks, a number beyond the spin's
// range).
constexpr const char* kOpenedWith = "netloomOpenedWith";

}  // namespace

QWidget* PropertyGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
  const GridRow* row = RowOf(index);
  if (!row) return nullptr;
  QWidget* editor = nullptr;
  switch (row->spec.kind) {
    case RowKind::Group:
    case RowKind::SubGroup:
    case RowKind::Check:
      return nullptr;
    case RowKind::Text:
      editor = QStyledItemDelegate::createEditor(parent, option, index);
      if (!qobject_cast<QLineEdit*>(editor)) {
        delete editor;
        editor = new QLineEdit(parent);
      }
      break;
    case RowKind::Integer: {
      auto* spin = new QSpinBox(parent);
      spin->setRange(row->spec.minimum, row->spec.maximum);
      // Spin buttons only: the number cannot be typed.
      spin->findChild<QLineEdit*>()->setReadOnly(!row->spec.typing);
      editor = spin;
      break;
    }
    case RowKind::Options: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(false);
      combo->addItems(row->spec.options);
      auto* self = const_cast<PropertyGridDelegate*>(this);
      connect(combo, &QComboBox::activated, self, [self, combo] {
        emit self->commitData(combo);
        emit self->closeEditor(combo, QAbstractItemDelegate::NoHint);
      });
      editor = combo;
      break;
    }
    case RowKind::Date:
    case RowKind::Time:
      editor = DateTimeEditor(row->spec, parent);
      break;
  }
  editor->setAccessibleName(row->spec.label);
  editor->setAutoFillBackground(true);
  editor_ = editor;
  return editor;
}

void PropertyGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const GridRow* row = RowOf(index);
  if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
    spin->setValue(row->value.toInt());
  } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    // A value that names no option shows as it is until an option is picked.
    combo->setPlaceholderText(row->ValueText());
    combo->setCurrentIndex(combo->findText(row->value.toString()));
  } else if (auto* edit = qobject_cast<QDateTimeEdit*>(editor)) {
    edit->setDateTime(row->value.toDateTime());
  } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    line->setText(row->value.toString());
  }
  editor->setProperty(kOpenedWith, EditorValue(editor));
}

void PropertyGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                        const QModelIndex& index) const {
  const GridRow* row = RowOf(index);
  const QVariant value = EditorValue(editor);
  // Leaving an editor untouched is no edit.
  if (value.isValid() && value != editor->property(kOpenedWith) && value != row->value)
    model->setData(index, value, Qt::EditRole);
}

QSize PropertyGridDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
  // Room for the editors' frames, so that an open editor does not clip its text.
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  size.setHeight(std::max(size.height(), option.fontMetrics.height() + 8));
  return size;
}

void PropertyGridDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
  if (editor == editor_) editor_ = nullptr;
  QStyledItemDelegate::destroyEditor(editor, index);
}

void PropertyGridDelegate::CommitOpenEditor() {
  if (!editor_) return;
  QWidget* editor = editor_;
  emit commitData(editor);
  emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

}  // namespace netloom::panes
