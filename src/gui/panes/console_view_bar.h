// The AT console pane: pick an AT command from a tree, fill in its parameters in a property grid
// and send the composed line to the module of the active network connection.
//
// Children, top to bottom: the toolbar (Send AT Command, History, Basic, Advance, remote console,
// the read-only target field), the "Basic"/"Advance" tabs with a filter field and the command
// tree (two thirds of the height below the toolbar), and the parameter grid with its
// description area (the rest).
//
// Values live in a KindValueTable (the process-wide one unless a test gives its own); node
// details come from a device directory. The pane works the same docked or floating. What it
// needs of the active network connection comes through Bind (ConsoleConnection): with nothing
// bound, Send composes but hands nothing over. The main frame relays the view's node picks
// (OnNodePicked) and remote flag and target (OnTargetChanged). UI thread only.
#pragma once

#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "core/catalogue/at_commands.h"
#include "core/catalogue/value_tables.h"
#include "core/link/walk/device_directory.h"
#include "gui/panes/console_grid.h"
#include "gui/panes/console_tree.h"
#include "gui/panes/property_grid.h"
#include "gui/panes/target_field.h"

namespace netloom::panes {

// The console's view of the active network connection.
struct ConsoleConnection {
  QPointer<QObject> document;  // the lines sent are kept per document
  // SendConsoleCommand: connects first if needed; false when the line was not sent.
  std::function<bool(const std::string&)> send;
  std::function<void(bool)> setRemote;  // the view's consoleRemote
};

class CConsoleViewBar : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kClockMs = 1000;
  static constexpr int kHistoryLength = 20;

  explicit CConsoleViewBar(QWidget* parent = nullptr,
                           catalogue::KindValueTable& values = catalogue::GlobalKindValues(),
                           const link::DeviceDirectory& directory = link::ProcessDeviceDirectory());

  // The active network connection changed (an empty one: none is active).
  void Bind(ConsoleConnection connection);

  // --- what the user does ---
  // The tree selection moved to the item with `itemText`.
  void Pick(const QString& itemText);
  void ShowTab(catalogue::CommandTab tab);
  // Send AT Command (also Enter on a grid row and Ctrl+Return anywhere in the pane).
  void Send();
  void ToggleRemote();
  // Sends history line `index` (0 = newest) of the bound document again.
  void Recall(int index);

  // --- what the main frame relays ---
  void OnNodePicked(const QString& address);
  // `refused`: the coordinator refused the target at its last answer.
  void OnTargetChanged(bool remote, const QString& address, bool refused = false);

  // --- state ---
  int currentCommand() const { return current_; }
  bool basicTab() const { return tree_->tab() == catalogue::CommandTab::Basic; }
  bool remote() const { return targetField_->remote(); }
  QString target() const { return targetField_->target(); }
  bool clockRunning() const { return clock_.isActive(); }
  const ConsoleRows& rows() const { return rows_; }
  // Lines sent to the bound document (handed to its connection), newest first.
  QStringList History() const;

  // --- parts ---
  QToolBar* toolBar() const { return toolBar_; }
  // A toolbar command by id (res::kSendAtCommand, kConsoleBasic, kConsoleAdvance, kConsoleRemote).
  QAction* Action(int id) const;
  QLineEdit* targetField() const { return targetField_; }
  QToolButton* historyButton() const { return historyButton_; }
  QTabBar* tabs() const { return tabs_; }
  QLineEdit* filterField() const { return filter_; }
  CConsoleTreeWnd* tree() const { return tree_; }
  PropertyGrid* grid() const { return grid_; }

 private:
  void CreateToolBar();
  void Rebuild(int command);
  void OnRowEdited(GridRow* row);
  void StartClock(bool on);
  void HandOver(const std::string& line);
  void ShowMessage(const QString& text);
  void FillHistoryMenu();

  catalogue::KindValueTable& values_;
  const link::DeviceDirectory& directory_;
  ConsoleConnection connection_;
  QToolBar* toolBar_;
  std::map<int, QAction*> actions_;
  CTargetField* targetField_ = nullptr;
  QToolButton* historyButton_ = nullptr;
  QTabBar* tabs_;
  QLineEdit* filter_;
  CConsoleTreeWnd* tree_;
  PropertyGrid* grid_;
  QTimer clock_;
  ConsoleRows rows_;
  int current_ = catalogue::kNoCommand;
  int gridCommand_ = catalogue::kNoCommand;  // the command whose rows the grid shows
  std::map<const QObject*, QStringList> history_;
};

}  // namespace netloom::panes
