// Connecting and the requests a view hands its worker: the steps the desktop view and the CLI
// share, so both drive the worker the same way.
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
};

// Sets the settings' read time-out to 200 ms (the idle read of a fresh connection), opens and
// configures the port, and starts a worker on it with echoOn and remoteRefused set, then
// signals Wake. A port that refuses the line settings is used all the same, but its read
// time-out is applied regardless so that every read stays bounded, and `refused` says what the
// port refused.
Connection Connect(const std::string& path, UartSettings& settings, WorkerListener& listener,
                   LinkSession& session, Clock& clock = DefaultClock());

// The pane requests: echoOn on; the view's remoteRefused and selectedAddress go into the
// request; then the request's own field, then the signal.
void SendConsoleCommand(CThread& worker, std::string_view text);
// A console command for one node, whatever the selection and the console pane's remote flag:
// it goes through the remote set-up to `address` (refusals of earlier requests do not hold it
// back); kNoAddress sends it to the local module. A coordinator that refuses the console
// ("FAIL") gets nothing in the node's place: the command ends with "(FAIL)Can't remote ..." in
// the output, as after "Time".
void SendConsoleCommandTo(CThread& worker, std::string_view address, std::string_view text);
void SendRawText(CThread& worker, std::string_view text);
void RequestConfigRead(CThread& worker);
void RequestConfigWrite(CThread& worker);
// The setup wizard's requests: the wizard status goes to 0 (pending), the same request fields
// as above are filled, then ReadIdentity / WriteIdentity. The write sends the session's
// requested identity.
void RequestIdentityRead(CThread& worker);
void RequestIdentityWrite(CThread& worker);
// Run: echo and auto-refresh on, the worker's node table emptied before the query, target and
// root addresses from the view, then QueryNetwork.
void StartRefresh(CThread& worker);
// Stop (the diagram command): no more queries are served; the port stays open.
void StopRefresh(CThread& worker);

}  // namespace netloom::link
