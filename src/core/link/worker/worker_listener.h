// How the link worker reports to whoever drives it (the desktop program, the CLI, a test).
//
// Every call comes on the worker thread, in the order of the exchange, and the worker goes on
// only when the call returns. A GUI forwards each call to its UI thread; the calls marked
// "may block" are meant to wait there until the user has seen them (AppendOutput until the text
// is appended, ShowMessage until the message box is acknowledged). The rest should return at
// once. Whoever blocks a call must keep serving it while it waits for the worker to end (see
// CThread::Stop), or the two threads wait on each other.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/link/walk/node_table.h"
#include "core/link/worker/worker_command.h"

namespace netloom::link {

// How one command ended, for drivers that wait for a command (the CLI) rather than for the
// results it announces. The desktop program needs none of it.
struct CommandReport {
  explicit CommandReport(WorkerCommand taken) : code(taken) {}

  WorkerCommand code;
  bool delivered = false;  // the request's bytes went to the module (console, raw text)
  std::string failure;     // the text the command reported as its failure, empty when none
};

class WorkerListener {
 public:
  virtual ~WorkerListener() = default;

  // A network query is being served: arm the refresh timer.
  virtual void QueryStarted() = 0;
  // A query produced a root record; the new tables follow.
  virtual void ClearDiagram() = 0;
  // The tables of one finished query, as one consistent whole.
  virtual void NetworkReady(const NetworkSnapshot& snapshot) = 0;
  // A configuration transfer started: the session's busy flag is set until it ends.
  virtual void ConfigTransferStarted() = 0;
  // The current configuration values were replaced (an image was decoded, or the defaults).
  virtual void ConfigValuesChanged() = 0;
  // The worker's node table changed between queries (a remote node's configuration image was
  // stored in a new record): the owner's copy is to be replaced by `table`, a snapshot nobody
  // changes, which may be kept and read on any thread.
  virtual void NodeTableChanged(std::shared_ptr<const NodeTable> table) { (void)table; }
  // Text for the output pane: echoed module bytes and console failure lines. May block.
  virtual void AppendOutput(std::string_view text) = 0;
  // A message box with an OK button. May block until the user acknowledges it.
  virtual void ShowMessage(std::string_view text) = 0;
  // The port stopped working (every read fails: adapter pulled). Reported once; the worker then
  // takes no more reads and waits for Stop. `text` is a complete line for the user.
  virtual void PortLost(std::string_view text) = 0;
  // A command's action ended.
  virtual void CommandFinished(const CommandReport& report) { (void)report; }
};

}  // namespace netloom::link
