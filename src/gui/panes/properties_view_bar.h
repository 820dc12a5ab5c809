// The Parameters pane: the module's configuration items as a property grid in eight
// categories, read from and written to the module of the active network connection.
//
// Children, top to bottom: the toolbar (Read, Write, the remote toggle, the read-only target
// field, Verify, the Profile menu) and the grid with its description area. The rows show the
// ConfigValueTable (the process-wide one unless a test gives its own), which accepted edits go
// straight into and which a read replaces; the grid is rebuilt from it after every read and
// when a document becomes active (Rebuild, OnImageActivated).
//
// Beyond reading and writing:
// - Verify (remembered in the settings, off by default): after a write that went through, the
//   image is read back and every item that differs is named in the output pane and a message,
//   and its row highlighted.
// - Profiles: Save writes the grid's values as the JSON document `netloom-cli config read
//   --json` prints; Load puts a document's values into the grid (items that are no valid stored
//   values, and read-only and per-module items such as MACAddr and SerialNum, are named and
//   left as they were); Compare highlights the rows that differ from a
//   file or from the module (the grid keeps its values); Load Defaults.
// - Rows edited since the last read or write show bold; a read over such edits asks first
//   (ConfirmDiscardEdits).
// - Those edits belong to their document: when the pane is bound to another one they are kept,
//   and once the document is active again and its image shown they come back as edits (a read
//   or write there then replaces them as before). A destroyed document's edits are dropped.
//
// What the pane needs of the active network connection comes through Bind; with nothing bound,
// Read, Write and Compare with Module do nothing. The main frame relays the view's remote flag
// and target (OnTargetChanged), new values (Rebuild) and the end of each transfer
// (OnTransferEnded). UI thread only.
#pragma once

#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/catalogue/config_profile.h"
#include "core/catalogue/value_tables.h"
#include "core/link/walk/node_table.h"
#include "gui/panes/parameters_grid.h"
#include "gui/panes/property_grid.h"
#include "gui/panes/target_field.h"

class QSettings;

namespace netloom::panes {

// The Parameters pane's view of the active network connection.
struct ParametersConnection {
  QPointer<QObject> document;
  std::function<void()> read;                      // RequestConfigRead: connects first if needed
  std::function<void()> write;                     // RequestConfigWrite
  std::function<void(bool)> setRemote;             // the view's parametersRemote
  std::function<void(const QString&)> appendLine;  // a line for the document's output pane
};

class CPropertiesViewBar : public QWidget {
  Q_OBJECT
 public:
  static constexpr const char* kVerifySetting = "Parameters/VerifyAfterWrite";

  explicit CPropertiesViewBar(QWidget* parent = nullptr,
                              catalogue::ConfigValueTable& values = catalogue::GlobalConfigValues(),
                              QSettings* settings = nullptr);

  void Bind(ParametersConnection connection);

  // --- what the user does ---
  void Read();
  void Write();
  void ToggleRemote();
  void SetVerify(bool on);
  // Profiles; false (after telling the user) when the file cannot be used.
  bool SaveProfile(const QString& path);
  bool LoadProfile(const QString& path);
  bool CompareWithFile(const QString& path);
  void CompareWithModule();
  void LoadDefaults();
  // Asks whether edits not yet written may be dropped; true when there are none or the user
  // agrees. Those in the grid; those kept for `document` (dropped once agreed); or all of them
  // (the kept ones dropped once agreed).
  bool ConfirmDiscardEdits();
  bool ConfirmDiscardKeptEdits(const QObject* document);
  bool ConfirmDiscardAllEdits();

  // --- what the main frame relays ---
  void OnTargetChanged(bool remote, const QString& address);
  // The table's values were replaced (a read, the defaults): the grid shows them as unedited.
  void Rebuild();
  // A document became active: its image fills the table and the grid.
  void OnImageActivated(const link::ConfigImage& image);
  // A configuration transfer of the bound connection ended.
  void OnTransferEnded(bool write, bool succeeded);

  // --- state ---
  bool remote() const { return targetField_->remote(); }
  QString target() const { return targetField_->target(); }
  bool verify() const;
  bool hasUnsavedEdits() const { return !ModifiedItems(rows_).empty(); }
  // Whether edits made for `document` are kept while it is not bound.
  bool hasKeptEdits(const QObject* document) const;
  GridRow* ItemRowOf(int item) const;
  // Items whose rows are highlighted by the last comparison or verify.
  std::vector<int> HighlightedItems() const;

  // --- parts ---
  QToolBar* toolBar() const { return toolBar_; }
  // A toolbar command by id (res::kParametersRead, kParametersWrite, kParametersRemote).
  QAction* Action(int id) const;
  QAction* verifyAction() const { return verify_; }
  QToolButton* profileButton() const { return profileButton_; }
  QLineEdit* targetField() const { return targetField_; }
  PropertyGrid* grid() const { return grid_; }

 private:
  enum class Pending { None, VerifyWrite, VerifyRead, CompareRead };

  void CreateToolBar();
  void CreateProfileMenu();
  // The items of the profile at `path`; nothing (after telling the user) when it is unusable.
  std::optional<catalogue::ProfileItems> ReadProfile(const QString& path);
  void OnRowEdited(GridRow* row);
  // The table's values shown as edits over the rows' unedited values.
  void ShowTableAsEdits();
  // The bound document's edits into keptEdits_, or out of it into the table and the grid.
  void KeepEdits();
  void RestoreKeptEdits();
  void DropKeptEdits(QObject* document);  // the document is gone
  bool AskDiscardEdits();
  void Highlight(const std::vector<int>& items);
  void ShowMessage(const QString& text);
  void Tell(const QString& text);  // output pane line and message

  catalogue::ConfigValueTable& values_;
  QSettings* settings_;
  ParametersConnection connection_;
  QToolBar* toolBar_;
  std::map<int, QAction*> actions_;
  QAction* verify_ = nullptr;
  QToolButton* profileButton_ = nullptr;
  CTargetField* targetField_ = nullptr;
  PropertyGrid* grid_;
  ItemRows rows_;
  Pending pending_ = Pending::None;
  std::vector<std::string> kept_;  // the values written (verify) or shown (compare)
  // Per document not bound: item -> the slot text it was edited to.
  std::map<const QObject*, std::map<int, std::string>> keptEdits_;
};

}  // namespace netloom::panes
