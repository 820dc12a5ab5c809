// The exchanges the worker's loop calls for its commands, each in a file of its own.
//
// Every action runs on the worker thread with the worker's context and returns only when its
// exchange is over. What it reports goes through ctx.listener; what it leaves for the UI goes
// into ctx.session, before the report that announces it.
#pragma once

#include "core/link/worker/worker_context.h"
#include "core/link/worker/worker_listener.h"

namespace netloom::link {

// ConsoleCommand: the remote set-up decides, then consoleText goes out unchanged. The reply is
// not awaited: the idle reads echo it.
CommandReport ConsoleCommandAction(WorkerContext& ctx);
// RawText: rawText goes out unchanged; no set-up, no time-out change.
CommandReport RawTextAction(WorkerContext& ctx);
// QueryNetwork: served only while the request's autoRefresh is on; reports QueryStarted, and
// ClearDiagram + NetworkReady when the walk found a root.
CommandReport QueryNetworkCommand(WorkerContext& ctx);

// Configuration image transfer (ReadConfig, WriteConfig): set the session's busy flag, report
// ConfigTransferStarted, clear busy at every end before any ShowMessage. Delivered when the
// image was read and decoded, or written and acknowledged; the failure is the message shown
// (empty when the request ended without one: a target the node table lacks).
CommandReport ReadConfigImage(WorkerContext& ctx);
CommandReport WriteConfigImage(WorkerContext& ctx);

// Identity exchanges (ReadIdentity, WriteIdentity): 1 done, -1 failed. Before returning they
// store the identities and any failure text in the session's identity state; the worker then
// stores the result as its status.
int ReadIdentityExchange(WorkerContext& ctx);
int WriteIdentityExchange(WorkerContext& ctx);

}  // namespace netloom::link
