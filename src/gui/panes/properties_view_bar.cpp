#include "gui/panes/properties_view_bar.h"

#include <QMessageBox>
#include <QSettings>
#include <QVBoxLayout>
#include <algorithm>

#include "core/catalogue/config_items.h"
#include "core/catalogue/config_profile.h"
#include "core/catalogue/value_entry.h"
#include "gui/model/parameter_rows.h"
#include "gui/panes/profile_menu.h"
#include "gui/panes/qt_text.h"
#include "gui/res/resource_ids.h"
#include "gui/res/resources.h"

namespace netloom::panes {

CPropertiesViewBar::CPropertiesViewBar(QWidget* parent, QSettings* settings)
    : QWidget(parent),
      settings_(settings),
      binding_(this),
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

  ShowConfiguration();
  connect(grid_, &PropertyGrid::rowEdited, this, &CPropertiesViewBar::OnRowEdited);
  connect(grid_, &PropertyGrid::editRefused, this, &CPropertiesViewBar::ShowMessage);
  connect(&binding_, &DocumentBinding::parametersTargetChanged, targetField_,
          [this](bool remote, const QString& address) { targetField_->Set(remote, address); });
  connect(&binding_, &DocumentBinding::configurationShown, this,
          &CPropertiesViewBar::ShowConfiguration);
  connect(&binding_, &DocumentBinding::configurationReported, this,
          &CPropertiesViewBar::OnReported);
  connect(&binding_, &DocumentBinding::documentGone, this, [this] { Bind(nullptr); });
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
  profileButton_ =
      CreateProfileButton({[this](const QString& path) { SaveProfile(path); },
                           [this](const QString& path) { LoadProfile(path); },
                           [this](const QString& path) { CompareWithFile(path); },
                           [this] { CompareWithModule(); }, [this] { LoadDefaults(); }},
                          toolBar_);
  toolBar_->addWidget(profileButton_);
}

QAction* CPropertiesViewBar::Action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void CPropertiesViewBar::Bind(model::NetworkDocument* document) {
  grid_->CommitEdit();
  binding_.Bind(document);
  const model::PaneTarget target =
      document ? document->controller().parametersTarget() : model::PaneTarget{};
  targetField_->Set(target.remote, QString::fromStdString(target.address));
  ShowConfiguration();
}

model::ConfigurationModel& CPropertiesViewBar::configuration() {
  model::NetworkDocument* document = binding_.document();
  return document ? document->configuration() : own_;
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

void CPropertiesViewBar::ShowConfiguration() {
  const model::ConfigurationModel& shown = configuration();
  rows_ = BuildParametersGrid(*grid_, shown.values(), shown.unedited());
}

void CPropertiesViewBar::Read() {
  grid_->CommitEdit();
  if (!document() || !ConfirmDiscardEdits()) return;
  configuration().Read();
}

void CPropertiesViewBar::Write() {
  // A refused entry stops the write: the module would get the value it failed to replace.
  if (!grid_->CommitEdit() || !document()) return;
  const std::string question = configuration().WriteQuestion();
  if (!question.empty() && !Ask(ToQString(question), QMessageBox::Yes)) return;
  configuration().Write(verify());
}

void CPropertiesViewBar::CompareWithModule() {
  grid_->CommitEdit();
  if (document()) configuration().CompareWithModule();
}

void CPropertiesViewBar::OnReported(const QString& text, const std::vector<int>& differing) {
  Highlight(differing);
  ShowMessage(text);
}

void CPropertiesViewBar::Rebuild() {
  configuration().MarkUnedited();
  ShowConfiguration();
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
  catalogue::ConfigValueTable& table = values();
  const model::ParameterEdit edit =
      day ? model::EditParameterDay(table, *day, row->value.toBool())
          : model::EditParameterRow(table, item, row->ValueText().toStdString());
  if (edit.refused) grid_->RefuseEdit(ToQString(edit.message));
  if (day) {
    // The day rows show the mask the slot holds, whatever became of the click.
    ShowItemValue(*grid_, row->parent, item, table.Get(item), false);
  } else if (edit.shown) {
    grid_->SetValue(row, ToQString(*edit.shown));
  }
}

bool CPropertiesViewBar::SaveProfile(const QString& path) {
  grid_->CommitEdit();
  std::string error;
  if (catalogue::WriteProfileFile(path.toStdString(), values().Snapshot(), error)) return true;
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
  const catalogue::ProfileLoad load = catalogue::ApplyProfile(values(), *items);
  ShowConfiguration();
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
  const std::vector<std::string> shown = values().Snapshot();
  std::vector<std::string> file = shown;
  for (const auto& [item, text] : *items) file[static_cast<std::size_t>(item)] = text;
  const std::vector<int> differing = catalogue::DifferingItems(shown, file);
  Highlight(differing);
  ShowMessage(ToQString(model::ComparisonText(differing, "profile")));
  return true;
}

void CPropertiesViewBar::LoadDefaults() {
  grid_->CommitEdit();
  configuration().LoadDefaults();
  ShowConfiguration();
}

bool CPropertiesViewBar::ConfirmDiscardEdits() {
  return !hasUnsavedEdits() || AskDiscardEdits();
}

bool CPropertiesViewBar::ConfirmDiscardEdits(
    const std::vector<model::NetworkDocument*>& documents) {
  grid_->CommitEdit();
  const bool edited = std::any_of(documents.begin(), documents.end(), [](auto* document) {
    return document->configuration().hasEdits();
  });
  if (!edited) return true;
  if (!AskDiscardEdits()) return false;
  for (model::NetworkDocument* document : documents) document->configuration().MarkUnedited();
  ShowConfiguration();
  return true;
}

bool CPropertiesViewBar::AskDiscardEdits() {
  return Ask(QStringLiteral("Some parameters were edited and not written to the module.\n"
                            "Discard the edits?"),
             QMessageBox::Discard);
}

bool CPropertiesViewBar::Ask(const QString& question, QMessageBox::StandardButton yes) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Netloom"), question,
                  yes | QMessageBox::Cancel, this);
  box.setDefaultButton(QMessageBox::Cancel);
  box.exec();
  return box.clickedButton() == box.button(yes);
}

void CPropertiesViewBar::ToggleRemote() {
  const bool remote = targetField_->Toggle();
  if (document()) document()->controller().SetParametersRemote(remote);
}

void CPropertiesViewBar::ShowMessage(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Netloom"), text, QMessageBox::Ok, this);
  box.exec();
}

}  // namespace netloom::panes
