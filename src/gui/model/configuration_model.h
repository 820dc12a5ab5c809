// One network document's configuration, without widgets: the values the Parameters pane shows
// and edits, the values the module held when they were last read or written (the unedited
// ones), where they were read from, and the read-back and comparison in progress.
//
// The values are the table the document's link worker decodes a read into and encodes a write
// from (handed to it through the controller). An item is edited while its value differs from
// its unedited one; only items with a row in the grid count. A read, a write that went through
// and MarkUnedited make the values unedited; LoadDefaults and the grid's edits change only the
// values.
//
// Transfers (Read, Write, CompareWithModule) go through the controller given to Attach; without
// one they do nothing. Their ends come from the controller (ConfigTransferEnded):
//   read        the values become unedited and `source` names the module they came from;
//   write       the values become unedited (the module holds them); with verify the image is read
//               back and every item that differs is reported;
//   compare     the module's values become the unedited ones, the values stay as they were, and
//               the items that differ are reported.
// Write to a module the values were not read from (nothing read, another node, another port):
// WriteQuestion says so for the user, and Write then reads that module first and keeps its own
// MACAddr and SerialNum unless the user edited them, so that neither the catalogue's identity nor
// another module's is ever written by accident; a failed read writes nothing.
//
// Threads: UI thread only (the worker writes the table during a read, under its own lock).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/catalogue/value_tables.h"
#include "gui/model/connection_observer.h"
#include "gui/model/pane_target.h"

namespace netloom::model {

class ConnectionController;

// The module a document's values came from.
struct ConfigSource {
  std::string port;  // the port's name ("ttyUSB0")
  PaneTarget target;
  bool SameModule(const ConfigSource& other) const {
    return port == other.port && target.SameModule(other.target);
  }
};

// What a read-back or a comparison found: the text for the user and the items to highlight.
struct ConfigReport {
  std::string text;
  std::vector<int> differing;
};

// Hears what a configuration model does; UI thread. The defaults ignore it.
class ConfigurationObserver {
 public:
  virtual ~ConfigurationObserver() = default;
  // A transfer or Reset replaced the values or the unedited values: show them again. (What the
  // pane changes itself, it shows itself.)
  virtual void ConfigurationShown() {}
  virtual void ConfigurationReported(const ConfigReport& report) { (void)report; }
};

// "The grid and the module hold the same values.", or "2 items differ from the module: 14
// PanID, 17 DstAddr" (`other` names what the grid was compared with).
std::string ComparisonText(const std::vector<int>& differing, std::string_view other);

class ConfigurationModel : private ConnectionObserver {
 public:
  // The catalogue defaults, unedited, read from nowhere.
  ConfigurationModel();
  ConfigurationModel(const ConfigurationModel&) = delete;
  ConfigurationModel& operator=(const ConfigurationModel&) = delete;

  // The controller the transfers go through, from Attach until Detach (the document owns both).
  void Attach(ConnectionController& controller);
  void Detach();

  // Observers are not owned; one must be removed before it goes.
  void AddObserver(ConfigurationObserver& observer);
  void RemoveObserver(ConfigurationObserver& observer);

  // --- state ---
  catalogue::ConfigValueTable& values() { return values_; }
  const catalogue::ConfigValueTable& values() const { return values_; }
  const std::vector<std::string>& unedited() const { return unedited_; }
  // Items with a row whose value differs from the unedited one, in item order.
  std::vector<int> EditedItems() const;
  bool hasEdits() const { return !EditedItems().empty(); }
  // The module the unedited values were read from or written to; nothing before that.
  const std::optional<ConfigSource>& source() const { return source_; }

  // --- changes ---
  // A new document: the defaults, unedited, read from nowhere.
  void Reset();
  // The values become the unedited ones: the edits are no longer edits.
  void MarkUnedited();
  // Every value but the module's own identity (MACAddr, SerialNum) becomes its default, as an
  // edit.
  void LoadDefaults();

  // --- transfers (nothing without a controller) ---
  void Read();
  // Empty when the values were read from the module a write reaches now; else the question
  // for the user, naming both.
  std::string WriteQuestion() const;
  // `verify`: read the image back afterwards and report what differs.
  void Write(bool verify);
  void CompareWithModule();

 private:
  enum class Pending { None, Read, Write, VerifyWrite, VerifyRead, CompareRead, ReadBeforeWrite };

  // ConnectionObserver
  void ConfigTransferEnded(bool write, bool succeeded) override;
  void ReadEnded(Pending pending, bool succeeded);

  // Where a transfer goes now.
  ConfigSource Target() const;
  void Start(Pending pending, bool write);
  // The module's values (just read) become the unedited ones, from the transfer's target.
  void TakeRead(std::vector<std::string> module);
  void Show();
  void Report(const ConfigReport& report);

  catalogue::ConfigValueTable values_;
  std::vector<std::string> unedited_;
  std::optional<ConfigSource> source_;
  ConnectionController* controller_ = nullptr;
  std::vector<ConfigurationObserver*> observers_;
  Pending pending_ = Pending::None;
  bool verify_ = false;            // a write started by ReadBeforeWrite is verified
  ConfigSource transferTarget_;    // where the running transfer goes
  std::vector<std::string> kept_;  // the values written (verify) or kept over a read
};

}  // namespace netloom::model
