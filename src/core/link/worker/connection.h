// Connecting, the requests an owner (the desktop program, the CLI) hands its worker, and the
// targeting it sets: the steps both share, so both drive the worker the same way.
//
// Threads: all of these run on the owner's (UI) thread. Each request writes its fields into
// the session and then signals its code ("write, then signal").
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/link/serial/clock.h"
#include "core/link/serial/serial_port.h"
#include "core/link/serial/uart_settings.h"
#include "core/link/worker/link_session.h"
#include "core/link/worker/link_worker.h"
#include "core/link/worker/worker_listener.h"

namespace netloom::link {

struct Connection {
  std::unique_ptr<CThread> worker;  // running and woken; null when the port did not open
  LinkError error;                  // why not (show kCantOpenPortMessage with its detail)
  // Empty, or the line for the user when the port refused the line settings (a baud rate or
  // parity the adapter cannot do): the connection goes on with the port as it is.
  std::string refused;
  // The link's health for the status bar (a network port's round-trip time); null for a device.
  std::shared_ptr<const LinkHealth> health;
};

// Sets the settings' read time-out to 200 ms (the idle read of a fresh connection), opens and
// configures the port, and starts a worker on it with echoOn set, then signals Wake. A port
// that refuses the line settings is used all the same, but its read time-out is applied
// regardless so that every read stays bounded, and `refused` says what the port refused.
// `configValues` are the values the worker's configuration transfers decode into and encode.
Connection Connect(const std::string& path, UartSettings& settings, WorkerListener& listener,
                   LinkSession& session, catalogue::ConfigValueTable& configValues,
                   Clock& clock = DefaultClock());

// Connect in two halves, for an owner that must not wait for a slow port (a gateway that takes
// its time to accept or answer) on its own thread.
struct OpenedPort {
  std::unique_ptr<SerialPort> port;  // null when the port did not open
  LinkError error;                   // why not
  std::string refused;               // as Connection::refused
  UartSettings settings;             // as asked, with the fresh connection's read time-out
};
// The half that may block (up to the network port's connect and answer time-outs): opens and
// configures. Touches nothing shared, so it may run on any thread.
OpenedPort OpenForConnection(const std::string& path, UartSettings settings);
// The other half, on the owner's thread: the worker on a port OpenForConnection opened.
Connection StartConnection(OpenedPort opened, WorkerListener& listener, LinkSession& session,
                           catalogue::ConfigValueTable& configValues,
                           Clock& clock = DefaultClock());

// --- targeting: which node the requests are for (the session's Targeting) ---
// A node pick: `address` (kNoAddress: none) becomes the node the remote requests are for.
void SelectNode(LinkSession& session, std::string_view address);
enum class RemoteSwitch { Console, Parameters };
// A pane's remote switch: its requests go to the selected node (on) or the local module (off).
void SetRemote(LinkSession& session, RemoteSwitch which, bool on);

// --- requests: echoOn on, the request's own fields, then the signal ---
// Console commands and typed text join their queue in the session (kQueuedTextLimit each) and
// go out in order; each of these returns false, queuing and signalling nothing, when its queue
// is full: the caller tells the user that the text was not sent.
// A console command line, for the selected node while the console's switch is on.
bool SendConsoleCommand(CThread& worker, std::string_view text);
// A console command for one node, whatever the selection and the console's switch: it goes
// through the remote set-up to `address`; kNoAddress sends it to the local module. A console
// command for a node that the coordinator refuses ("FAIL") or does not answer gets nothing in
// the node's place: it ends with "(FAIL)Can't remote ..." or "(No answer)Can't remote ..." in
// the output, as after "Time".
bool SendConsoleCommandTo(CThread& worker, std::string_view address, std::string_view text);
// Typed text, sent unchanged to the local module (or the remote console a command left open).
bool SendRawText(CThread& worker, std::string_view text);
// Configuration transfers, for the selected node while the Parameters switch is on.
void RequestConfigRead(CThread& worker);
void RequestConfigWrite(CThread& worker);
// The identity exchanges, for `target` (kNoAddress: the local module) whatever is selected: the
// identity status goes to 0 (pending), then ReadIdentity / WriteIdentity. The write sends
// `requested`.
void RequestIdentityRead(CThread& worker, std::string_view target);
void RequestIdentityWrite(CThread& worker, std::string_view target,
                          const ModuleIdentity& requested);
// Run: echo and auto-refresh on, the worker's node table emptied before the query, then
// QueryNetwork from the root address.
void StartRefresh(CThread& worker);
// Stop (the diagram command): no more queries are served; the port stays open.
void StopRefresh(CThread& worker);

}  // namespace netloom::link
