#include "gui/panes/properties_view_bar.h"

#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QVBoxLayout>

#include "core/catalogue/config_items.h"
#include "core/catalogue/config_profile.h"
#include "core/catalogue/value_entry.h"
#include "core/link/config/config_image.h"
#include "gui/model/parameter_rows.h"
#include "gui/res/resource_ids.h"
#include "gui/res/resources.h"

namespace netloom::panes {
namespace {

const QString kProfileFilter = QStringLiteral("Configuration profiles (*.json);;All files (*)");

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

// What a comparison of the grid with `other` found: "The grid and the module hold the same
// values.", or "2 items differ from the module: 14 PanID, 17 DstAddr".
QString ComparisonText(const std::vector<int>& differing, const QString& other) {
  if (differing.empty())
    return QStringLiteral("The grid and the %1 hold the same values.").arg(other);
  QStringList labels;
  for (int item : differing) labels << ToQString(catalogue::ItemLabel(item));
  return QStringLiteral("%1 %2 from the %3: %4")
      .arg(differing.size())
      .arg(differing.size() == 1 ? QStringLiteral("item differs") : QStringLiteral("items differ"))
      .arg(other, labels.join(QStringLiteral(", ")));
}

}  // namespace

CPropertiesViewBar::CPropertiesViewBar(QWidget* parent, catalogue::ConfigValueTable& values,
                                       QSettings* settings)
    : QWidget(parent),
      values_(values),
      settings_(settings),
      toolBar_(new QToolBar(this)),
      grid_(new PropertyGrid(this)) {
  setAccessibleName(QStringLiteral("Parameters"));
  grid_->setAccessibleName(QStringLiteral("Configuration items"));
  grid_->view()->setAccessibleName(QStringLiteral("Configuration items"));
  CreateToolBar();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(toolBar_);
  layout->addWidget(grid_, 1);
  setFocusProxy(grid_->view());

  values_.LoadDefaults();
  Rebuild();
  connect(grid_, &PropertyGrid::rowEdited, this, &CPropertiesViewBar::OnRowEdited);
  connect(grid_, &PropertyGrid::editRefused, this, &CPropertiesViewBar::ShowMessage);
}

void CPropertiesViewBar::CreateToolBar() {
  toolBar_->setObjectName(QStringLiteral("parametersToolBar"));
  toolBar_->setAccessibleName(QStringLiteral("Parameters toolbar"));
  toolBar_->setIconSize(QSize(16, 16));
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  const auto add = [this](int id, const QString& text, const QString& tip, bool checkable) {
    QAction* action = toolBar_->addAction(res::CommandIcon(id), text);
    action->setCheckable(checkable);
    action->setToolTip(tip);
    actions_[id] = action;
    return action;
  };
  connect(add(res::kParametersRead, QStringLiteral("Read"),
              QStringLiteral("Read the configuration from the module"), false),
          &QAction::triggered, this, &CPropertiesViewBar::Read);
  connect(add(res::kParametersWrite, QStringLiteral("Write"),
              QStringLiteral("Write the configuration to the module"), false),
          &QAction::triggered, this, &CPropertiesViewBar::Write);
  toolBar_->addSeparator();
  connect(add(res::kParametersRemote, QStringLiteral("Remote Parameters"),
              QStringLiteral("Read and write the selected node's configuration"), true),
          &QAction::triggered, this, &CPropertiesViewBar::ToggleRemote);

  targetField_ =
      new CTargetField(actions_.at(res::kParametersRemote),
                       QStringLiteral("The node remote reads and writes go to"), toolBar_);
  toolBar_->addWidget(targetField_);
  toolBar_->addSeparator();

  verify_ = toolBar_->addAction(QStringLiteral("Verify"));
  verify_->setCheckable(true);
  verify_->setToolTip(
      QStringLiteral("Read the configuration back after each write and name "
                     "every item the module did not take"));
  verify_->setChecked(settings_ && settings_->value(kVerifySetting, false).toBool());
  connect(verify_, &QAction::toggled, this, &CPropertiesViewBar::SetVerify);
  if (auto* button = qobject_cast<QToolButton*>(toolBar_->widgetForAction(verify_))) {
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAccessibleName(QStringLiteral("Verify"));
  }
  CreateProfileMenu();
}

void CPropertiesViewBar::CreateProfileMenu() {
  profileButton_ = new QToolButton(toolBar_);
  profileButton_->setText(QStringLiteral("Profile"));
  profileButton_->setToolTip(QStringLiteral("Save, load and compare configuration profiles"));
  profileButton_->setAccessibleName(QStringLiteral("Profile"));
  profileButton_->setPopupMode(QToolButton::InstantPopup);
  auto* menu = new QMenu(profileButton_);
  menu->setAccessibleName(QStringLiteral("Profile"));
  profileButton_->setMenu(menu);
  const auto askPath = [this](bool save, const QString& title) {
    QFileDialog dialog(this, title, QString(), kProfileFilter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("json"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  };
  connect(menu->addAction(QStringLiteral("Save Profile...")), &QAction::triggered, this,
          [this, askPath] {
            const QString path = askPath(true, QStringLiteral("Save Profile"));
            if (!path.isEmpty()) SaveProfile(path);
          });
  connect(menu->addAction(QStringLiteral("Load Profile...")), &QAction::triggered, this,
          [this, askPath] {
            const QString path = askPath(false, QStringLiteral("Load Profile"));
            if (!path.isEmpty()) LoadProfile(path);
          });
  menu->addSeparator();
  connect(menu->addAction(QStringLiteral("Compare with Profile...")), &QAction::triggered, this,
          [this, askPath] {
            const QString path = askPath(false, QStringLiteral("Compare with Profile"));
            if (!path.isEmpty()) CompareWithFile(path);
          });
  connect(menu->addAction(QStringLiteral("Compare with Module")), &QAction::triggered, this,
          &CPropertiesViewBar::CompareWithModule);
  menu->addSeparator();
  connect(menu->addAction(QStringLiteral("Load Defaults")), &QAction::triggered, this,
          &CPropertiesViewBar::LoadDefaults);
  toolBar_->addWidget(profileButton_);
}

QAction* CPropertiesViewBar::Action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void CPropertiesViewBar::Bind(ParametersConnection connection) {
  KeepEdits();
  connection_ = std::move(connection);
  pending_ = Pending::None;
}

GridRow* CPropertiesViewBar::ItemRowOf(int item) const {
  const auto it = rows_.find(item);
  return it == rows_.end() ? nullptr : it->second;
}

bool CPropertiesViewBar::verify() const {
  return verify_->isChecked();
}

void CPropertiesViewBar::SetVerify(bool on) {
  if (verify_->isChecked() != on) verify_->setChecked(on);  // comes back through toggled
  if (settings_) settings_->setValue(kVerifySetting, on);
}

void CPropertiesViewBar::Read() {
  grid_->CommitEdit();
  if (!connection_.read || !ConfirmDiscardEdits()) return;
  pending_ = Pending::None;
  connection_.read();
}

void CPropertiesViewBar::Write() {
  // A refused entry stops the write: the module would get the value it failed to replace.
  if (!grid_->CommitEdit() || !connection_.write) return;
  pending_ = verify() ? Pending::VerifyWrite : Pending::None;
  kept_ = values_.Snapshot();
  connection_.write();
}

void CPropertiesViewBar::CompareWithModule() {
  grid_->CommitEdit();
  if (!connection_.read) return;
  pending_ = Pending::CompareRead;
  kept_ = values_.Snapshot();
  connection_.read();
}

void CPropertiesViewBar::OnTransferEnded(bool write, bool succeeded) {
  const Pending pending = pending_;
  pending_ = Pending::None;
  if (write) {
    if (!succeeded) return;
    MarkUnmodified(*grid_, rows_);
    if (pending != Pending::VerifyWrite) return;
    pending_ = Pending::VerifyRead;
    if (connection_.appendLine)
      connection_.appendLine(QStringLiteral("Verify: reading the configuration back"));
    connection_.read();
    return;
  }
  if (pending == Pending::VerifyRead) {
    if (!succeeded)
      return Tell(QStringLiteral("Verify: the configuration could not be read back."));
    const std::vector<int> differing = catalogue::DifferingItems(kept_, values_.Snapshot());
    Highlight(differing);
    const std::string described = catalogue::DescribeDifferences(kept_, values_.Snapshot());
    Tell(differing.empty() ? QStringLiteral("Verify: the module holds all %1 items as written.")
                                 .arg(catalogue::kItemCount)
                           : QStringLiteral("Verify: ") + ToQString(described));
    return;
  }
  if (pending == Pending::CompareRead && succeeded) {
    // The module's values become the rows' unedited values; the grid keeps its own.
    const std::vector<std::string> module = values_.Snapshot();
    values_.Assign(kept_);
    values_.SetKeyEditable(values_.Get(catalogue::kSecurityEnableItem));
    ShowTableAsEdits();
    const std::vector<int> differing = catalogue::DifferingItems(kept_, module);
    Highlight(differing);
    Tell(ComparisonText(differing, QStringLiteral("module")));
  }
}

void CPropertiesViewBar::Rebuild() {
  rows_ = BuildParametersGrid(*grid_, values_);
}

void CPropertiesViewBar::OnImageActivated(const link::ConfigImage& image) {
  if (link::DecodeImage(image, values_) == link::DecodeResult::VersionMismatch) return;
  Rebuild();
  RestoreKeptEdits();
}

void CPropertiesViewBar::KeepEdits() {
  QObject* document = connection_.document;
  if (!document) return;
  std::map<int, std::string> edits;
  for (int item : ModifiedItems(rows_)) edits[item] = values_.Get(item);
  if (edits.empty()) {
    keptEdits_.erase(document);
    return;
  }
  keptEdits_[document] = std::move(edits);
  connect(document, &QObject::destroyed, this, &CPropertiesViewBar::DropKeptEdits,
          Qt::UniqueConnection);
}

void CPropertiesViewBar::RestoreKeptEdits() {
  const auto kept = keptEdits_.find(connection_.document.data());
  if (kept == keptEdits_.end()) return;
  for (const auto& [item, text] : kept->second) {
    values_.Set(item, text);
    ShowItemValue(*grid_, rows_.at(item), item, text, false);
  }
  keptEdits_.erase(kept);
}

void CPropertiesViewBar::DropKeptEdits(QObject* document) {
  keptEdits_.erase(document);
}

bool CPropertiesViewBar::hasKeptEdits(const QObject* document) const {
  return keptEdits_.count(document) != 0;
}

void CPropertiesViewBar::ShowTableAsEdits() {
  const std::vector<std::string> values = values_.Snapshot();
  for (const auto& [item, row] : rows_) {
    ShowItemValue(*grid_, row, item, values[static_cast<std::size_t>(item)], false);
    grid_->SetEnabled(row, values_.ItemEnabled(item) || row->IsGroup());
  }
}

void CPropertiesViewBar::Highlight(const std::vector<int>& items) {
  for (const auto& [item, row] : rows_)
    grid_->SetHighlighted(row, std::find(items.begin(), items.end(), item) != items.end());
}

std::vector<int> CPropertiesViewBar::HighlightedItems() const {
  std::vector<int> items;
  for (const auto& [item, row] : rows_)
    if (row->highlighted) items.push_back(item);
  return items;
}

void CPropertiesViewBar::OnRowEdited(GridRow* row) {
  const std::optional<int> day = row->spec.kind == RowKind::Check
                                     ? catalogue::DayByLabel(row->spec.label.toStdString())
                                     : std::nullopt;
  const int item = row->spec.tag;
  const model::ParameterEdit edit =
      day ? model::EditParameterDay(values_, *day, row->value.toBool())
          : model::EditParameterRow(values_, item, row->ValueText().toStdString());
  if (edit.refused) grid_->RefuseEdit(ToQString(edit.message));
  if (day) {
    // The day rows show the mask the slot holds, whatever became of the click.
    ShowItemValue(*grid_, row->parent, item, values_.Get(item), false);
  } else if (edit.shown) {
    grid_->SetValue(row, ToQString(*edit.shown));
  }
}

bool CPropertiesViewBar::SaveProfile(const QString& path) {
  grid_->CommitEdit();
  std::string error;
  if (catalogue::WriteProfileFile(path.toStdString(), values_.Snapshot(), error)) return true;
  ShowMessage(ToQString(error));
  return false;
}

std::optional<catalogue::ProfileItems> CPropertiesViewBar::ReadProfile(const QString& path) {
  grid_->CommitEdit();
  std::string error;
  auto items = catalogue::ReadProfileFile(path.toStdString(), error);
  if (!items) ShowMessage(ToQString(error));
  return items;
}

bool CPropertiesViewBar::LoadProfile(const QString& path) {
  const auto items = ReadProfile(path);
  if (!items) return false;
  const catalogue::ProfileLoad load = catalogue::ApplyProfile(values_, *items);
  ShowTableAsEdits();
  Highlight({});
  QStringList told;
  if (!load.refused.empty()) {
    QStringList reasons;
    for (const auto& [item, reason] : load.refused)
      reasons << QString::number(item) + QLatin1Char(' ') +
                     ToQString(reason).replace(QLatin1Char('\n'), QLatin1Char(' '));
    told << QStringLiteral("%1 of %2 items were not loaded and keep their values:\n%3")
                .arg(load.refused.size())
                .arg(items->size())
                .arg(reasons.join(QLatin1Char('\n')));
  }
  if (!load.skipped.empty()) told << ToQString(catalogue::SkippedItemsText(load.skipped));
  if (!told.isEmpty()) ShowMessage(told.join(QStringLiteral("\n\n")));
  return true;
}

bool CPropertiesViewBar::CompareWithFile(const QString& path) {
  const auto items = ReadProfile(path);
  if (!items) return false;
  // Items the file leaves out are not compared.
  std::vector<std::string> file = values_.Snapshot();
  for (const auto& [item, text] : *items) file[static_cast<std::size_t>(item)] = text;
  const std::vector<int> differing = catalogue::DifferingItems(values_.Snapshot(), file);
  Highlight(differing);
  ShowMessage(ComparisonText(differing, QStringLiteral("profile")));
  return true;
}

void CPropertiesViewBar::LoadDefaults() {
  grid_->CommitEdit();
  values_.LoadDefaults();
  ShowTableAsEdits();
  Highlight({});
}

bool CPropertiesViewBar::ConfirmDiscardEdits() {
  return !hasUnsavedEdits() || AskDiscardEdits();
}

bool CPropertiesViewBar::ConfirmDiscardKeptEdits(const QObject* document) {
  if (!hasKeptEdits(document)) return true;
  if (!AskDiscardEdits()) return false;
  keptEdits_.erase(document);
  return true;
}

bool CPropertiesViewBar::ConfirmDiscardAllEdits() {
  if (keptEdits_.empty()) return ConfirmDiscardEdits();
  if (!AskDiscardEdits()) return false;
  keptEdits_.clear();
  return true;
}

bool CPropertiesViewBar::AskDiscardEdits() {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Netloom"),
                  QStringLiteral("Some parameters were edited and not written to the module.\n"
                                 "Discard the edits?"),
                  QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setDefaultButton(QMessageBox::Cancel);
  box.exec();
  return box.clickedButton() == box.button(QMessageBox::Discard);
}

void CPropertiesViewBar::ToggleRemote() {
  const bool remote = targetField_->Toggle();
  if (connection_.setRemote) connection_.setRemote(remote);
}

void CPropertiesViewBar::OnTargetChanged(bool remote, const QString& address) {
  targetField_->Set(remote, address);
}

void CPropertiesViewBar::Tell(const QString& text) {
  if (connection_.appendLine) connection_.appendLine(text);
  ShowMessage(text);
}

void CPropertiesViewBar::ShowMessage(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Netloom"), text, QMessageBox::Ok, this);
  box.exec();
}

}  // namespace netloom::panes
