// When the network document's Setup and Diagram commands are enabled or checked.
//
// A pure function of the view's state, so the rules are tested without a window.
#pragma once

namespace netloom::model {

// The view fields the rules read.
struct ViewCommandState {
  bool portOpen = false;     // the view holds an open port
  bool hasWorker = false;    // a link worker runs
  bool autoRefresh = false;  // the refresh cycle runs
  int layoutMode = 1;        // 0 tree, 1 circle
  bool waiting = false;      // the UI waits for the worker: every command is disabled
};

struct CommandUi {
  bool handled = false;  // the network document answers this command
  bool enabled = false;
  bool checkable = false;
  bool checked = false;
};

CommandUi NetworkCommandUi(int commandId, const ViewCommandState& state);

}  // namespace netloom::model
