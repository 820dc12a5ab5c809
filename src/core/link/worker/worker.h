// netloom::link, worker/ — the link worker: one thread per connection that alone talks to the
// module, and what its owner uses to drive it.
//
// - link_worker.h     LinkWorker, its idle read and the loop that runs one command at a time
// - connection.h      connecting, targeting and the requests an owner hands its worker
// - link_session.h    LinkSession, the state the UI thread and the worker share
// - worker_command.h  the command codes
// - event_set.h       EventSet, the auto-reset events that carry the codes to the worker
// - worker_listener.h WorkerListener, how the worker reports to its owner
// - worker_context.h  WorkerContext, what an action needs for one command
// - worker_actions.h  the exchanges the loop calls (they live in exchange/, config/, identity/)
#pragma once

#include "core/link/worker/connection.h"
#include "core/link/worker/event_set.h"
#include "core/link/worker/link_session.h"
#include "core/link/worker/link_worker.h"
#include "core/link/worker/worker_actions.h"
#include "core/link/worker/worker_command.h"
#include "core/link/worker/worker_context.h"
#include "core/link/worker/worker_listener.h"
