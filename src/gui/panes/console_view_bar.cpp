#include "gui/panes/console_view_bar.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QVBoxLayout>

#include "core/catalogue/command_line.h"
#include "gui/panes/console_routing.h"
#include "gui/panes/menu_button.h"
#include "gui/res/resource_ids.h"
#include "gui/res/resources.h"

namespace netloom::panes {
namespace {

using catalogue::CommandTab;

constexpr int kBasicTabIndex = 0;
constexpr int kAdvanceTabIndex = 1;

// A line as a menu shows it: the carriage return as a visible mark.
QString ShownLine(const QString& line) {
  QString shown = line;
  shown.replace(QLatin1Char('\r'), QStringLiteral(" \u21b5"));
  return shown.isEmpty() ? QStringLiteral("(empty line)") : shown;
}

}  // namespace

CConsoleViewBar::CConsoleViewBar(QWidget* parent, catalogue::KindValueTable& values,
                                 const link::DeviceDirectory& directory)
    : QWidget(parent),
      values_(values),
      directory_(directory),
      binding_(this),
      sink_([](model::NetworkDocument& document, const std::string& line) {
        return document.controller().SendConsoleCommand(line);
      }),
      toolBar_(new QToolBar(this)),
      tabs_(new QTabBar(this)),
      filter_(new QLineEdit(this)),
      tree_(new CConsoleTreeWnd(this)),
      grid_(new PropertyGrid(this)) {
  setAccessibleName(QStringLiteral("AT Console"));
  CreateToolBar();
  historyButton_ = CreateMenuButton(QStringLiteral("History"),
                                    QStringLiteral("Send a line sent before again"), this);
  connect(historyButton_->menu(), &QMenu::aboutToShow, this, &CConsoleViewBar::FillHistoryMenu);

  tabs_->addTab(QStringLiteral("Basic"));
  tabs_->addTab(QStringLiteral("Advance"));
  tabs_->setAccessibleName(QStringLiteral("Command tabs"));
  tabs_->setExpanding(false);
  tabs_->setDrawBase(false);
  filter_->setPlaceholderText(QStringLiteral("Filter commands"));
  filter_->setAccessibleName(QStringLiteral("Filter commands"));
  filter_->setClearButtonEnabled(true);
  grid_->setAccessibleName(QStringLiteral("Command parameters"));
  grid_->view()->setAccessibleName(QStringLiteral("Command parameters"));

  // The tree area takes two thirds of the height below the toolbar, the grid the rest.
  auto* treeArea = new QWidget(this);
  auto* treeLayout = new QVBoxLayout(treeArea);
  treeLayout->setContentsMargins(0, 0, 0, 0);
  treeLayout->setSpacing(2);
  treeLayout->addWidget(tabs_);
  // The filter and the lines sent before share a row: the toolbar keeps room for the target.
  auto* filterRow = new QHBoxLayout;
  filterRow->setSpacing(2);
  filterRow->addWidget(filter_, 1);
  filterRow->addWidget(historyButton_);
  treeLayout->addLayout(filterRow);
  treeLayout->addWidget(tree_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(toolBar_);
  layout->addWidget(treeArea, 2);
  layout->addWidget(grid_, 1);
  setFocusProxy(tree_);

  tree_->Fill(CommandTab::Basic);

  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    ShowTab(index == kAdvanceTabIndex ? CommandTab::Advance : CommandTab::Basic);
  });
  connect(filter_, &QLineEdit::textChanged, tree_, &CConsoleTreeWnd::SetFilter);
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] {
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    if (!selected.isEmpty()) Pick(selected.first()->text(0));
  });
  connect(grid_, &PropertyGrid::rowEdited, this, &CConsoleViewBar::OnRowEdited);
  connect(grid_, &PropertyGrid::editRefused, this, &CConsoleViewBar::ShowMessage);
  connect(grid_, &PropertyGrid::rowActivated, this, [this] { Send(); });
  for (const QKeySequence& keys :
       {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
    auto* shortcut = new QShortcut(keys, this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, &CConsoleViewBar::Send);
  }
  connect(&binding_, &DocumentBinding::consoleTargetChanged, targetField_, &CTargetField::Set);
  connect(&binding_, &DocumentBinding::nodePicked, this, &CConsoleViewBar::OnNodePicked);
  connect(&binding_, &DocumentBinding::documentGone, this, [this] { Bind(nullptr); });
  clock_.setInterval(kClockMs);
  connect(&clock_, &QTimer::timeout, this,
          [this] { ShowClock(*grid_, rows_, QDateTime::currentDateTime()); });
}

void CConsoleViewBar::CreateToolBar() {
  toolBar_->setObjectName(QStringLiteral("consoleToolBar"));
  toolBar_->setAccessibleName(QStringLiteral("AT Console toolbar"));
  toolBar_->setIconSize(QSize(16, 16));
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  const auto add = [this](int id, const QString& text, bool checkable) {
    QAction* action = toolBar_->addAction(res::CommandIcon(id), text);
    action->setCheckable(checkable);
    action->setToolTip(text);
    actions_[id] = action;
    if (res::CommandIcon(id).isNull()) {
      if (auto* button = qobject_cast<QToolButton*>(toolBar_->widgetForAction(action)))
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    return action;
  };
  connect(add(res::kSendAtCommand, QStringLiteral("Send AT Command"), false), &QAction::triggered,
          this, &CConsoleViewBar::Send);

  toolBar_->addSeparator();

  connect(add(res::kConsoleBasic, QStringLiteral("Basic"), true), &QAction::triggered, this,
          [this] { ShowTab(CommandTab::Basic); });
  connect(add(res::kConsoleAdvance, QStringLiteral("Advance"), true), &QAction::triggered, this,
          [this] { ShowTab(CommandTab::Advance); });
  actions_.at(res::kConsoleBasic)->setChecked(true);
  toolBar_->addSeparator();
  connect(add(res::kConsoleRemote, QStringLiteral("Remote Console"), true), &QAction::triggered,
          this, &CConsoleViewBar::ToggleRemote);

  targetField_ = new CTargetField(actions_.at(res::kConsoleRemote),
                                  QStringLiteral("The node remote commands go to"), toolBar_);
  toolBar_->addWidget(targetField_);
}

QAction* CConsoleViewBar::Action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void CConsoleViewBar::Bind(model::NetworkDocument* document) {
  binding_.Bind(document);
  const model::PaneTarget target =
      document ? document->controller().consoleTarget() : model::PaneTarget{};
  targetField_->Set(target.remote, QString::fromStdString(target.address), target.refused);
}

void CConsoleViewBar::Pick(const QString& itemText) {
  const int command = catalogue::PickCommand(itemText.toStdString());
  const bool consoleEntry = command > catalogue::kNoCommand;
  // Picking the command the grid already shows keeps its rows and values.
  if (!consoleEntry && command == current_ && command == gridCommand_) return;
  const int previous = current_;
  current_ = command;
  if (previous == catalogue::kRtcCommand) {
    clock_.stop();
    rows_.date = rows_.time = nullptr;
  }
  Rebuild(current_);
}

void CConsoleViewBar::ShowTab(CommandTab tab) {
  actions_.at(res::kConsoleBasic)->setChecked(tab == CommandTab::Basic);
  actions_.at(res::kConsoleAdvance)->setChecked(tab == CommandTab::Advance);
  if (tree_->tab() == tab) return;
  tree_->Fill(tab);
  {
    const QSignalBlocker block(tabs_);
    tabs_->setCurrentIndex(tab == CommandTab::Basic ? kBasicTabIndex : kAdvanceTabIndex);
  }
  Rebuild(catalogue::kNoCommand);  // the current command stays
}

void CConsoleViewBar::Rebuild(int command) {
  // No tick, pick or edit may reach the rows of an earlier build.
  clock_.stop();
  rows_ = BuildConsoleGrid(*grid_, command, values_);
  gridCommand_ = command;
  // The group row is current, so the description area shows the command's help.
  if (!grid_->IsEmpty()) grid_->SetCurrentRow(grid_->model().TopRows().front().get());
}

void CConsoleViewBar::OnRowEdited(GridRow* row) {
  const ConsoleEdit edit = RouteConsoleEdit(*row, values_);
  switch (edit.effect) {
    case ConsoleEdit::Effect::SystemTime:
      StartClock(edit.on);
      return;
    case ConsoleEdit::Effect::RtcMode:
      EnableRtcRows(*grid_, rows_, edit.on);
      return;
    case ConsoleEdit::Effect::Refused:
      grid_->RefuseEdit(edit.message);
      break;
    case ConsoleEdit::Effect::Stored:
    case ConsoleEdit::Effect::Nothing:
      break;
  }
  if (!edit.shown.isNull()) grid_->SetValue(row, edit.shown);
}

void CConsoleViewBar::StartClock(bool on) {
  if (on)
    clock_.start();
  else
    clock_.stop();
}

void CConsoleViewBar::Send() {
  // A refused entry is not sent, nor the value it failed to replace.
  if (!grid_->CommitEdit()) return;
  const catalogue::CommandLine line =
      catalogue::ComposeSend(current_, values_, ReadRtcBlock(rows_), catalogue::LocalNow());
  if (line.status == catalogue::CommandLine::Status::Refused) {
    ShowMessage(QString::fromStdString(line.message));
    return;
  }
  if (line.status == catalogue::CommandLine::Status::Line) HandOver(line.line);
}

void CConsoleViewBar::HandOver(const std::string& line) {
  model::NetworkDocument* document = binding_.document();
  if (!document) return;  // no active network view
  // A line that was not sent (the connection said why) is no history.
  if (sink_(*document, line)) document->RememberConsoleLine(line);
}

QStringList CConsoleViewBar::History() const {
  QStringList lines;
  if (const model::NetworkDocument* document = binding_.document())
    for (const std::string& line : document->consoleHistory())
      lines << QString::fromStdString(line);
  return lines;
}

void CConsoleViewBar::Recall(int index) {
  const QStringList lines = History();
  if (index >= 0 && index < lines.size()) HandOver(lines.at(index).toStdString());
}

void CConsoleViewBar::FillHistoryMenu() {
  QMenu* menu = historyButton_->menu();
  menu->clear();
  const QStringList lines = History();
  if (lines.isEmpty()) menu->addAction(QStringLiteral("No lines sent yet"))->setEnabled(false);
  for (int i = 0; i < lines.size(); ++i)
    connect(menu->addAction(ShownLine(lines.at(i))), &QAction::triggered, this,
            [this, i] { Recall(i); });
}

void CConsoleViewBar::ToggleRemote() {
  const bool remote = targetField_->Toggle();
  if (model::NetworkDocument* document = binding_.document())
    document->controller().SetConsoleRemote(remote);
}

void CConsoleViewBar::OnNodePicked(const QString& address) {
  FillPickedNode(*grid_, rows_, current_, directory_, address, values_);
}

void CConsoleViewBar::ShowMessage(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Netloom"), text, QMessageBox::Ok, this);
  box.exec();
}

}  // namespace netloom::panes
