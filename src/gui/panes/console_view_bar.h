// The AT console pane: pick an AT command from a tree, fill in its parameters in a property grid
// and send the composed line to the module of the active network connection.
//
// Children, top to bottom: the toolbar (Send AT Command, History, Basic, Advance, remote console,
// the read-only target field), the "Basic"/"Advance" tabs with a filter field and the command
// tree (two thirds of the height below the toolbar), and the parameter grid with its
// description area (the rest).
//
// Values live in a KindValueTable (the process-wide one unless a test gives its own); node
// details come from a device directory. The pane works the same docked or floating. It sends to
// the network document it is bound to (Bind), follows that document's remote flag and target
// and fills in the nodes picked in its diagram, and keeps the lines sent in the document: with
// nothing bound, Send composes but hands nothing over. UI thread only.
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
#include "gui/panes/document_binding.h"
#include "gui/panes/property_grid.h"
#include "gui/panes/target_field.h"

namespace netloom::panes {

class CConsoleViewBar : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kClockMs = 1000;

  explicit CConsoleViewBar(QWidget* parent = nullptr,
                           catalogue::KindValueTable& values = catalogue::GlobalKindValues(),
                           const link::DeviceDirectory& directory = link::ProcessDeviceDirectory());

  // Sends to `document` from now on (null: none is active).
  void Bind(model::NetworkDocument* document);
  // Where a composed line goes: the document's SendConsoleCommand (connects first if needed);
  // false when the line was not sent. Tests capture it instead.
  using LineSink = std::function<bool(model::NetworkDocument&, const std::string&)>;
  void SetLineSink(LineSink sink) { sink_ = std::move(sink); }

  // --- what the user does ---
  // The tree selection moved to the item with `itemText`.
  void Pick(const QString& itemText);
  void ShowTab(catalogue::CommandTab tab);
  // Send AT Command (also Enter on a grid row and Ctrl+Return anywhere in the pane).
  void Send();
  void ToggleRemote();
  // Sends history line `index` (0 = newest) of the bound document again.
  void Recall(int index);

  // A node picked in the bound document's diagram fills in the node rows.
  void OnNodePicked(const QString& address);

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
  DocumentBinding binding_;
  LineSink sink_;
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
};

}  // namespace netloom::panes
