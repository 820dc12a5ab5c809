#include "gui/panes/property_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QSplitter>
#include <QVBoxLayout>
#include <utility>

namespace netloom::panes {

bool PropertyGridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (index.isValid() && index.column() != PropertyGridModel::kValueColumn)
    return QTreeView::edit(index.siblingAtColumn(PropertyGridModel::kValueColumn), trigger, event);
  return QTreeView::edit(index, trigger, event);
}

void PropertyGridView::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && state() != EditingState && event->modifiers() == Qt::NoModifier &&
      currentIndex().isValid()) {
    emit enterPressed(currentIndex());
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}

PropertyGrid::PropertyGrid(QWidget* parent)
    : QWidget(parent), view_(new PropertyGridView(this)), description_(new QLabel(this)) {
  view_->setModel(&model_);
  view_->setItemDelegate(&delegate_);
  view_->setHeaderHidden(true);
  view_->setUniformRowHeights(true);
  view_->setAllColumnsShowFocus(true);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked);
  view_->header()->setStretchLastSection(true);
  view_->header()->setSectionResizeMode(PropertyGridModel::kLabelColumn, QHeaderView::Interactive);
  view_->header()->resizeSection(PropertyGridModel::kLabelColumn, 130);
  view_->setAccessibleName(QStringLiteral("Properties"));

  description_->setWordWrap(true);
  description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  description_->setTextFormat(Qt::RichText);
  description_->setMargin(4);
  description_->setFrameShape(QFrame::StyledPanel);
  description_->setMinimumHeight(2 * fontMetrics().height() + 12);
  description_->setAccessibleName(QStringLiteral("Description"));

  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->addWidget(view_);
  splitter->addWidget(description_);
  splitter->setStretchFactor(0, 4);
  splitter->setStretchFactor(1, 1);
  splitter->setChildrenCollapsible(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);

  connect(&model_, &PropertyGridModel::rowEdited, this, &PropertyGrid::rowEdited);
  connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            ShowDescription(current);
            emit currentRowChanged(model_.RowAt(current));
          });
  // A click on a value edits it at once, as a property grid does.
  connect(view_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    if (index.column() == PropertyGridModel::kValueColumn &&
        (model_.flags(index) & Qt::ItemIsEditable) && (model_.flags(index) & Qt::ItemIsEnabled))
      view_->edit(index);
  });
  connect(view_, &PropertyGridView::enterPressed, this,
          [this](const QModelIndex& index) { emit rowActivated(model_.RowAt(index)); });
}

void PropertyGrid::Clear() {
  model_.Clear();  // a reset closes an open editor without committing it
  ShowDescription({});
}

GridRow* PropertyGrid::AddGroup(const QString& label, const QString& description) {
  RowSpec spec;
  spec.kind = RowKind::Group;
  spec.label = label;
  spec.description = description;
  return AddRow(nullptr, std::move(spec));
}

GridRow* PropertyGrid::AddRow(GridRow* parent, RowSpec spec) {
  GridRow* row = model_.AddRow(parent, std::move(spec));
  if (row->IsGroup()) {
    const QModelIndex index = model_.IndexOf(row);
    if (row->spec.kind == RowKind::Group)
      view_->setFirstColumnSpanned(index.row(), index.parent(), true);
    view_->expand(index);
  }
  if (parent) view_->expand(model_.IndexOf(parent));
  return row;
}

GridRow* PropertyGrid::CurrentRow() const {
  return model_.RowAt(view_->currentIndex());
}

void PropertyGrid::SetCurrentRow(GridRow* row) {
  view_->setCurrentIndex(model_.IndexOf(row));
}

bool PropertyGrid::CommitEdit() {
  DeliverRefusal();  // one still on its way is not this commit's
  delegate_.CommitOpenEditor();
  if (!refusal_) return true;
  DeliverRefusal();
  return false;
}

void PropertyGrid::RefuseEdit(const QString& message) {
  refusal_ = message;
  QMetaObject::invokeMethod(this, &PropertyGrid::DeliverRefusal, Qt::QueuedConnection);
}

void PropertyGrid::DeliverRefusal() {
  if (!refusal_) return;  // delivered already
  const QString message = *std::exchange(refusal_, std::nullopt);
  emit editRefused(message);
}

QString PropertyGrid::DescriptionText() const {
  const GridRow* row = CurrentRow();
  return row ? row->spec.description : QString();
}

void PropertyGrid::ShowDescription(const QModelIndex& current) {
  const GridRow* row = model_.RowAt(current);
  if (!row) {
    description_->clear();
    return;
  }
  description_->setText(
      QStringLiteral("<b>%1</b><br>%2")
          .arg(row->spec.label.toHtmlEscaped(), row->spec.description.toHtmlEscaped()));
}

}  // namespace netloom::panes
