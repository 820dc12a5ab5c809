// The Parameters pane: the module's configuration items as a property grid in eight
// categories, read from and written to the module of the document it shows.
//
// Children, top to bottom: the toolbar (Read, Write, the remote toggle, the read-only target
// field, Verify, the Profile menu) and the grid with its description area. The pane shows one
// network document's configuration (model::ConfigurationModel): Bind chooses the document, and
// the document's model keeps its values, its unwritten edits (bold rows), where they were read
// from and the read-back or comparison in progress, whichever document the pane shows. With no
// document bound the pane shows a configuration of its own, and Read, Write and Compare with
// Module do nothing.
//
// Beyond reading and writing:
// - Write to a module the values were not read from asks first, naming both (the model's
//   WriteQuestion); declined, nothing is sent.
// - Verify (remembered in the settings, off by default): after a write that went through, the
//   image is read back and every item that differs is named in the output pane and a message,
//   and its row highlighted.
// - Profiles (profile_menu.h): Save writes the grid's values as the JSON document `netloom-cli
//   config read --json` prints; Load puts a document's values into the grid (items that are no
//   valid stored values, and read-only and per-module items such as MACAddr and SerialNum, are
//   named and left as they were); Compare highlights the rows that differ from a file or from
//   the module (the grid keeps its values); Load Defaults.
// - A read over edits asks first (ConfirmDiscardEdits).
// UI thread only.
#pragma once

#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>
#include <map>
#include <optional>
#include <vector>

#include "core/catalogue/config_profile.h"
#include "core/catalogue/value_tables.h"
#include "gui/model/configuration_model.h"
#include "gui/model/network_document.h"
#include "gui/panes/document_binding.h"
#include "gui/panes/parameters_grid.h"
#include "gui/panes/property_grid.h"
#include "gui/panes/target_field.h"

class QSettings;

namespace netloom::panes {

class CPropertiesViewBar : public QWidget {
  Q_OBJECT
 public:
  static constexpr const char* kVerifySetting = "Parameters/VerifyAfterWrite";

  explicit CPropertiesViewBar(QWidget* parent = nullptr, QSettings* settings = nullptr);

  // Shows `document` (null: none); an open editor's entry stays with the document it was made on.
  void Bind(model::NetworkDocument* document);

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
  // agrees. Those shown; or those of `documents` (agreed, they no longer count as edits).
  bool ConfirmDiscardEdits();
  bool ConfirmDiscardEdits(const std::vector<model::NetworkDocument*>& documents);
  // The values shown become the unedited ones, and the grid shows them so.
  void Rebuild();

  // --- state ---
  model::NetworkDocument* document() const { return binding_.document(); }
  // The configuration shown: the bound document's, or the pane's own.
  model::ConfigurationModel& configuration();
  catalogue::ConfigValueTable& values() { return configuration().values(); }
  bool remote() const { return targetField_->remote(); }
  QString target() const { return targetField_->target(); }
  bool verify() const;
  bool hasUnsavedEdits() { return configuration().hasEdits(); }
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
  void CreateToolBar();
  // The configuration's values over its unedited ones, edits bold.
  void ShowConfiguration();
  // The items of the profile at `path`; nothing (after telling the user) when it is unusable.
  std::optional<catalogue::ProfileItems> ReadProfile(const QString& path);
  void OnRowEdited(GridRow* row);
  void OnReported(const QString& text, const std::vector<int>& differing);
  // A question whose default is Cancel; true when the user chose `yes`.
  bool Ask(const QString& question, QMessageBox::StandardButton yes);
  bool AskDiscardEdits();
  void Highlight(const std::vector<int>& items);
  void ShowMessage(const QString& text);

  QSettings* settings_;
  model::ConfigurationModel own_;  // shown while no document is bound
  DocumentBinding binding_;
  QToolBar* toolBar_;
  std::map<int, QAction*> actions_;
  QAction* verify_ = nullptr;
  QToolButton* profileButton_ = nullptr;
  CTargetField* targetField_ = nullptr;
  PropertyGrid* grid_;
  ItemRows rows_;
};

}  // namespace netloom::panes
