// The link worker: one thread per connection that alone talks to the module.
//
// Ownership: the worker owns its port from construction and closes it when its loop ends. The
// listener, the session, the configuration values and the clock are the owner's and must
// outlive the worker.
//
// The loop: one idle read of the port (its bytes go to AppendOutput while the request's echoOn
// is set), then a look at the eleven events without waiting; the lowest signalled code is taken
// and its action runs to its end; Stop ends the loop. A code signalled twice before it is taken
// runs once; console commands and typed text wait in the session's queues instead, so each one
// goes out, in order (the console code is signalled again while more commands wait). The loop
// blocks only in the idle read, so an idle worker takes a request within one read time-out.
//
// A lost port (every read fails, as when the adapter is pulled) is reported once through
// PortLost; from then on the worker takes no idle reads and sleeps until a code is signalled,
// so it uses no processor time. Commands still run (their reads fail at once and they end with
// their own failures, so nobody waits for them in vain) until Stop.
//
// Threads: Start, Signal, SignalWorker and Stop belong to the owner's thread (any one thread);
// everything else happens on the worker thread.
#pragma once

#include <memory>
#include <string>
#include <thread>

#include "core/catalogue/value_tables.h"
#include "core/link/serial/clock.h"
#include "core/link/serial/serial_port.h"
#include "core/link/serial/uart_settings.h"
#include "core/link/worker/event_set.h"
#include "core/link/worker/link_session.h"
#include "core/link/worker/worker_command.h"
#include "core/link/worker/worker_listener.h"

namespace netloom::link {

class CThread {
 public:
  // Takes over `port` (null: the loop ends at once) and a copy of `settings`. Resets the
  // session's request fields (echoOn on). A configuration read decodes into
  // `configValues` and a write encodes them: the values of the owner's document.
  CThread(std::unique_ptr<SerialPort> port, const UartSettings& settings, WorkerListener& listener,
          LinkSession& session, catalogue::ConfigValueTable& configValues, Clock& clock);
  // Stops and joins a worker that still runs.
  ~CThread();
  CThread(const CThread&) = delete;
  CThread& operator=(const CThread&) = delete;

  // Starts the loop on its own thread. Once only.
  void Start();
  // Sets the event of `code`. For Stop it first clears echoOn, so nothing more is echoed while
  // the worker winds down.
  void Signal(WorkerCommand code);
  // Signals Stop and waits until the loop has ended and the port is closed: the command that
  // runs finishes first. It blocks the calling thread; a UI whose listener calls wait for that
  // thread waits instead with session().WaitUntil in short steps, serving them, and calls Stop
  // once the session says the worker ended. Called from a listener call, it only signals.
  void Stop();

  LinkSession& session() const { return session_; }

 private:
  void Run();

  std::unique_ptr<SerialPort> port_;
  const UartSettings settings_;
  WorkerListener& listener_;
  LinkSession& session_;
  catalogue::ConfigValueTable& configValues_;
  Clock& clock_;
  detail::EventSet events_;
  std::thread thread_;
};

// Signals the worker from code that holds only the thread: the same as worker.Signal(code).
void SignalWorker(CThread& worker, WorkerCommand code);

// The line PortLost carries for the port at `path`; `reason` is the system's, may be empty.
std::string PortLostText(const std::string& path, const std::string& reason);

// The link worker by what it is: CThread carries the C prefix of the window-role classes.
using LinkWorker = CThread;

}  // namespace netloom::link
