// netloom::link, identity/ — a module's identity, the settings a module is set up with, and
// the exchanges that read and write it.
//
// - module_identity.h     ModuleIdentity
// - identity_reply.h      the identity exchanges' wire forms and the reply's parser (no I/O)
// - identity_exchange.cpp ReadIdentityExchange and WriteIdentityExchange, "ATINFOI" and
//                         "ATRESET" (declared in worker_actions.h)
#pragma once

#include "core/link/identity/identity_reply.h"
#include "core/link/identity/module_identity.h"
