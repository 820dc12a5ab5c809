// What a connection controller tells the widgets, panes and dialogs bound to it, and the
// states it goes through (see connection_controller.h).
#pragma once

#include <string>
#include <string_view>

#include "core/link/worker/link_session.h"
#include "gui/model/pane_target.h"

namespace netloom::model {

enum class ConnectionState { Closed, Opening, Open, Refreshing, Waiting, Closing, Lost };

// Hears what a controller does. Every call comes on the UI thread; the defaults ignore it.
class ConnectionObserver {
 public:
  virtual ~ConnectionObserver() = default;
  // The state, the port or its settings changed: title, status line, command rules, cursor.
  virtual void StateChanged(ConnectionState state) { (void)state; }
  // Text for the output pane: the module's echo, console failures, the controller's banners.
  virtual void AppendOutput(std::string_view text) { (void)text; }
  // A message box with an OK button; returns once the user acknowledged it. `detail` (the
  // system's reason) may be empty.
  virtual void ShowMessage(std::string_view text, std::string_view detail) {
    (void)text, (void)detail;
  }
  // A query produced a root record: the diagram empties; the new snapshot follows.
  virtual void ClearDiagram() {}
  // The network snapshot was replaced (snapshot()).
  virtual void NetworkChanged() {}
  // A node was picked in the diagram: the panes' targets (and the console's node rows while the
  // console is local) follow it.
  virtual void ConsoleTargetChanged(const PaneTarget& target) { (void)target; }
  virtual void ParametersTargetChanged(const PaneTarget& target) { (void)target; }
  virtual void NodePicked(std::string_view address) { (void)address; }
  // The current configuration values were replaced (read from the module, or the defaults).
  virtual void ConfigValuesChanged() {}
  // A configuration read (`write` false) or write ended; `succeeded`: the image went through.
  virtual void ConfigTransferEnded(bool write, bool succeeded) { (void)write, (void)succeeded; }
};

// The title suffix a network document shows in `state`: "*" while connected, " (port lost)".
std::string_view TitleSuffix(ConnectionState state);

}  // namespace netloom::model
