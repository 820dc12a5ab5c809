// One network document without widgets: everything the desktop program keeps for one serial
// connection and what the panes show of it.
//
// It owns the connection (ConnectionController), the configuration (ConfigurationModel, whose
// values the connection's worker reads into and writes from), what it learns of its network
// across walks (NetworkInsight: node memory, history, session log, saved file) and the lines the
// console sent to it. The panes show the active document: binding a pane is choosing which document
// it shows (DocumentObserver), never a flag on the document. The view that draws the document owns
// it.
//
// Threads: UI thread only, as the controller.
#pragma once

#include <string>
#include <vector>

#include "gui/model/configuration_model.h"
#include "gui/model/connection_controller.h"
#include "gui/model/network_insight.h"
#include "gui/model/port_choice.h"
#include "gui/model/refresh_periods.h"
#include "gui/model/ui_thread.h"

namespace netloom::model {

// Hears a document: its connection (targets, node picks, ...), its configuration, and its end.
class DocumentObserver : public ConnectionObserver, public ConfigurationObserver {
 public:
  // The document goes: the observer lets go of it (it need not remove itself).
  virtual void DocumentGone() {}
};

class NetworkDocument {
 public:
  static constexpr std::size_t kHistoryLength = 20;

  explicit NetworkDocument(UiThread& ui, RefreshPeriods& periods = ProcessRefreshPeriods());
  ~NetworkDocument();
  NetworkDocument(const NetworkDocument&) = delete;
  NetworkDocument& operator=(const NetworkDocument&) = delete;

  ConnectionController& controller() { return controller_; }
  const ConnectionController& controller() const { return controller_; }
  ConfigurationModel& configuration() { return configuration_; }
  const ConfigurationModel& configuration() const { return configuration_; }
  NetworkInsight& insight() { return insight_; }
  const NetworkInsight& insight() const { return insight_; }

  // Observers hear the controller and the configuration; not owned.
  void AddObserver(DocumentObserver& observer);
  void RemoveObserver(DocumentObserver& observer);

  // A new document on `port`: the controller's defaults, the catalogue's configuration.
  void Reset(const PortChoice& port);

  // The console lines sent to this document, newest first, without repeats, at most
  // kHistoryLength.
  const std::vector<std::string>& consoleHistory() const { return consoleHistory_; }
  void RememberConsoleLine(const std::string& line);

 private:
  ConfigurationModel configuration_;
  ConnectionController controller_;
  // Hears the controller right after the configuration, before any pane or view: a walk is
  // merged before it is drawn.
  NetworkInsight insight_;
  std::vector<DocumentObserver*> observers_;
  std::vector<std::string> consoleHistory_;
};

}  // namespace netloom::model
